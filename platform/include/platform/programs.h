// Programs: the handheld's executables. A program is present when its file
// is in the handheld's file system and the emulator has it built in, that
// is, registered with the ProgramManager at its path with an entry point.
// Starting one runs the entry on a new handheld thread, its main thread,
// with the command line; the entry's result is the exit code.
//
// Each program is a module too (its instance), so that it can carry its own
// resources; the instance is loaded while the program runs.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/last_error.h"
#include "platform/modules.h"
#include "platform/threads.h"
#include "platform/types.h"

namespace platform {

// The program's entry: its instance and the command line it was started
// with (the arguments only, without the program's name).
using ProgramEntry = std::function<int(HINSTANCE instance, const std::string& command_line)>;

namespace programs_internal {
struct ProcessAccess;
}  // namespace programs_internal

// A started program. Waitable: signalled once the program has ended.
class Process final : public Waitable {
 public:
  DWORD id() const { return id_; }
  // The handheld path it was started from, as registered.
  const std::string& path() const { return path_; }
  HINSTANCE instance() const { return instance_; }

 protected:
  bool IsSignalled() const override { return exited_; }

 private:
  friend struct programs_internal::ProcessAccess;
  Process(DWORD id, std::string path, HINSTANCE instance)
      : id_(id), path_(std::move(path)), instance_(instance) {}
  const DWORD id_;
  const std::string path_;
  const HINSTANCE instance_;
  // Guarded by the kernel lock.
  bool exited_ = false;
  DWORD exit_code_ = STILL_ACTIVE;
};

using ProcessHandle = std::shared_ptr<Process>;

struct PROCESS_INFORMATION {
  ProcessHandle hProcess;
  ThreadHandle hThread;  // the main thread
  DWORD dwProcessId = 0;
  DWORD dwThreadId = 0;
};

// A running program, as listed by EnumProcesses.
struct ProcessEntry {
  DWORD process_id = 0;
  std::string path;
  friend bool operator==(const ProcessEntry&, const ProcessEntry&) = default;
};

class ProgramManager {
 public:
  ProgramManager();
  ~ProgramManager();
  ProgramManager(const ProgramManager&) = delete;
  ProgramManager& operator=(const ProgramManager&) = delete;

  // Builds a program in at a handheld path ("\Windows\orsacap.exe"), and
  // registers `module` (its own resources) with the current handheld's
  // module manager at the same path. The modules `imports` names (those the
  // program links, "orsabeam.dll") are loaded in order before each start and
  // freed when it ends. Returns the program's instance; null
  // with the last error set when the path is malformed or already taken.
  HINSTANCE Register(std::string_view path, ProgramEntry entry, ModuleDefinition module = {},
                     std::vector<std::string> imports = {});
  bool IsRegistered(std::string_view path) const;

  // The calls of the same names below, on this manager.
  BOOL CreateProcess(std::string_view path, std::string_view command_line,
                     PROCESS_INFORMATION* information);
  std::vector<ProcessEntry> EnumProcesses() const;
  ProcessHandle OpenProcess(DWORD process_id) const;
  BOOL TerminateProcess(const ProcessHandle& process, DWORD exit_code);

  // Asks every running program to end (their main threads end at their next
  // platform wait), and refuses new starts.
  void Shutdown();

 private:
  struct Program {
    std::string path;
    ProgramEntry entry;
    std::vector<std::string> imports;
  };
  struct Running {
    ProcessHandle process;
    ThreadHandle main_thread;
    std::vector<HMODULE> imports;  // freed when the program ends
    bool started = false;  // the entry is about to run or runs
    // An end asked for before the entry ran: the entry is skipped.
    std::optional<DWORD> end_requested;
  };

  // The body of a program's main thread.
  static DWORD RunProgram(ProgramManager* manager, const ProcessHandle& process,
                          const ProgramEntry& entry, const std::string& command_line);
  // Notes that the program's main thread began; an exit code when it was
  // asked to end before.
  std::optional<DWORD> Started(const ProcessHandle& process);
  void Ended(const ProcessHandle& process, DWORD exit_code);
  // Loads a program's imports; on a missing one frees those loaded, says so
  // in a message box and sets ERROR_MOD_NOT_FOUND.
  static bool LoadImports(const Program& program, std::vector<HMODULE>* loaded);
  // Asks a running program to end; the main thread to terminate when its
  // entry is already running. Callers hold mutex_.
  static ThreadHandle RequestEnd(Running& running, DWORD exit_code);

  mutable std::mutex mutex_;
  std::unordered_map<std::string, Program> programs_;  // folded path -> program
  std::map<DWORD, Running> running_;
  DWORD next_process_id_ = 1;
  bool shut_down_ = false;
};

// The platform calls, acting on Handheld::Current().programs().
//
// Starts a program by handheld path, or by name ("peghelp.exe", looked for
// in "\Windows\"; ".exe" is added to a name without an extension).
// ERROR_FILE_NOT_FOUND when the file is missing or the program is not built
// in; the path's own error when it is malformed; ERROR_MOD_NOT_FOUND, after
// a message box naming it, when a module the program links is missing.
// `information` may be null.
BOOL CreateProcess(std::string_view path, std::string_view command_line,
                   PROCESS_INFORMATION* information = nullptr);
// STILL_ACTIVE while the program runs, then its exit code.
BOOL GetExitCodeProcess(const ProcessHandle& process, DWORD* exit_code);
// Ends the program the safe way (see TerminateThread): its main thread ends
// with exit_code at its next platform wait. FALSE with ERROR_INVALID_HANDLE
// when it has already ended.
BOOL TerminateProcess(const ProcessHandle& process, DWORD exit_code);
// The programs running now, in the order they were started.
std::vector<ProcessEntry> EnumProcesses();
// A running program by id; null with ERROR_INVALID_PARAMETER when none runs
// with that id.
ProcessHandle OpenProcess(DWORD process_id);

}  // namespace platform
