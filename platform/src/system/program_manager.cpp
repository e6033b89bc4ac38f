// The built-in programs of one handheld and the ones running.
#include "kernel/kernel.h"
#include "platform/handheld.h"
#include "platform/message_box.h"
#include "platform/programs.h"
#include "system/image_path.h"
#include "system/process_access.h"

namespace platform {

namespace {

using programs_internal::ProcessAccess;

constexpr std::string_view kProgramExtension = ".exe";

std::string FileName(std::string_view path) {
  return std::string(path.substr(path.find_last_of('\\') + 1));
}

}  // namespace

ProgramManager::ProgramManager() = default;
ProgramManager::~ProgramManager() = default;

HINSTANCE ProgramManager::Register(std::string_view path, ProgramEntry entry,
                                   ModuleDefinition module, std::vector<std::string> imports) {
  DWORD error = ERROR_SUCCESS;
  std::optional<std::string> resolved =
      system_internal::ResolveImagePath(path, kProgramExtension, &error);
  if (!entry) error = ERROR_INVALID_PARAMETER;
  if (!resolved || error != ERROR_SUCCESS) {
    SetLastError(error);
    return nullptr;
  }
  const std::string key = system_internal::ImageKey(*resolved);
  {
    std::lock_guard lock(mutex_);
    if (programs_.contains(key)) {
      SetLastError(ERROR_ALREADY_EXISTS);
      return nullptr;
    }
  }
  // The program's own module: its instance, with its resources.
  HINSTANCE instance = Handheld::Current().modules().Register(*resolved, std::move(module));
  if (!instance) return nullptr;
  std::lock_guard lock(mutex_);
  programs_.try_emplace(key, Program{std::move(*resolved), std::move(entry), std::move(imports)});
  return instance;
}

bool ProgramManager::IsRegistered(std::string_view path) const {
  DWORD error = ERROR_SUCCESS;
  std::optional<std::string> resolved =
      system_internal::ResolveImagePath(path, kProgramExtension, &error);
  std::lock_guard lock(mutex_);
  return resolved && programs_.contains(system_internal::ImageKey(*resolved));
}

BOOL ProgramManager::CreateProcess(std::string_view path, std::string_view command_line,
                                   PROCESS_INFORMATION* information) {
  DWORD error = ERROR_SUCCESS;
  std::optional<std::string> resolved =
      system_internal::ResolveImagePath(path, kProgramExtension, &error);
  Program program;
  if (resolved) {
    std::lock_guard lock(mutex_);
    auto found = programs_.find(system_internal::ImageKey(*resolved));
    if (shut_down_) {
      error = ERROR_NOT_READY;
    } else if (found == programs_.end()) {
      error = ERROR_FILE_NOT_FOUND;
    } else {
      program = found->second;
    }
  }
  if (error == ERROR_SUCCESS && !system_internal::ImageFilePresent(program.path)) {
    error = ERROR_FILE_NOT_FOUND;
  }
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }

  std::vector<HMODULE> imports;
  if (!LoadImports(program, &imports)) return FALSE;
  HINSTANCE instance = Handheld::Current().modules().LoadLibrary(program.path);
  if (!instance) {
    for (HMODULE module : imports) Handheld::Current().modules().FreeLibrary(module);
    return FALSE;
  }
  ProcessHandle process;
  ThreadHandle thread;
  {
    // Held until the main thread is noted, which the thread waits for
    // before its entry runs.
    std::lock_guard lock(mutex_);
    process = ProcessAccess::Make(next_process_id_++, program.path, instance);
    Running& running = running_[process->id()];
    running.process = process;
    running.imports = std::move(imports);
    thread = CreateThread(
        [this, process, entry = std::move(program.entry), command = std::string(command_line)]()
            -> DWORD { return RunProgram(this, process, entry, command); },
        FileName(program.path));
    running.main_thread = thread;
  }
  if (information) *information = {process, thread, process->id(), thread->id()};
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

DWORD ProgramManager::RunProgram(ProgramManager* manager, const ProcessHandle& process,
                                 const ProgramEntry& entry, const std::string& command_line) {
  // Notes the end however the thread ends: by returning, or unwound by
  // ExitThread or a termination, when no platform wait may block any more.
  // Windows the program left (all of them when it was terminated) go
  // first, so that whoever waits for its end finds none of them.
  struct EndNotice {
    ProgramManager* manager;
    const ProcessHandle& process;
    DWORD exit_code = 0;
    ~EndNotice() {
      CurrentKernel().ReleaseCurrentThreadTargets();
      manager->Ended(process, exit_code);
    }
  } notice{manager, process};
  if (std::optional<DWORD> ended_early = manager->Started(process)) {
    notice.exit_code = *ended_early;
    return notice.exit_code;
  }
  try {
    notice.exit_code = static_cast<DWORD>(entry(process->instance(), command_line));
  } catch (const ThreadExit& exit) {
    notice.exit_code = exit.exit_code;
    throw;
  }
  return notice.exit_code;
}

std::optional<DWORD> ProgramManager::Started(const ProcessHandle& process) {
  std::lock_guard lock(mutex_);
  Running& running = running_.at(process->id());
  running.started = true;
  return running.end_requested;
}

bool ProgramManager::LoadImports(const Program& program, std::vector<HMODULE>* loaded) {
  ModuleManager& modules = Handheld::Current().modules();
  for (const std::string& name : program.imports) {
    if (HMODULE module = modules.LoadLibrary(name)) {
      loaded->push_back(module);
      continue;
    }
    for (HMODULE module : *loaded) modules.FreeLibrary(module);
    loaded->clear();
    MessageBox(nullptr,
               "Cannot start '" + FileName(program.path) + "': the module '" + name +
                   "' it needs is missing.",
               "Error", MB_OK | MB_ICONERROR);
    SetLastError(ERROR_MOD_NOT_FOUND);
    return false;
  }
  return true;
}

void ProgramManager::Ended(const ProcessHandle& process, DWORD exit_code) {
  ModuleManager& modules = Handheld::Current().modules();
  modules.FreeLibrary(process->instance());
  std::vector<HMODULE> imports;
  {
    std::lock_guard lock(mutex_);
    auto found = running_.find(process->id());
    if (found != running_.end()) imports = std::move(found->second.imports);
    running_.erase(process->id());
  }
  for (auto it = imports.rbegin(); it != imports.rend(); ++it) modules.FreeLibrary(*it);
  ProcessAccess::Exit(*process, exit_code);
}

std::vector<ProcessEntry> ProgramManager::EnumProcesses() const {
  std::lock_guard lock(mutex_);
  std::vector<ProcessEntry> entries;
  for (const auto& [id, running] : running_) entries.push_back({id, running.process->path()});
  return entries;
}

ProcessHandle ProgramManager::OpenProcess(DWORD process_id) const {
  std::lock_guard lock(mutex_);
  auto found = running_.find(process_id);
  if (found == running_.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return found->second.process;
}

ThreadHandle ProgramManager::RequestEnd(Running& running, DWORD exit_code) {
  if (running.started) return running.main_thread;
  // The kernel would end a thread that has not run yet before this
  // manager hears of it; the entry is skipped instead.
  if (!running.end_requested) running.end_requested = exit_code;
  return nullptr;
}

BOOL ProgramManager::TerminateProcess(const ProcessHandle& process, DWORD exit_code) {
  ThreadHandle thread;
  {
    std::lock_guard lock(mutex_);
    auto found = process ? running_.find(process->id()) : running_.end();
    if (found == running_.end() || found->second.process != process) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    thread = RequestEnd(found->second, exit_code);
  }
  return thread ? TerminateThread(thread, exit_code) : TRUE;
}

void ProgramManager::Shutdown() {
  std::vector<ThreadHandle> threads;
  {
    std::lock_guard lock(mutex_);
    shut_down_ = true;
    for (auto& [id, running] : running_) {
      if (ThreadHandle thread = RequestEnd(running, 0)) threads.push_back(std::move(thread));
    }
  }
  // A program that ended meanwhile is no error here.
  for (const ThreadHandle& thread : threads) TerminateThread(thread, 0);
}

}  // namespace platform
