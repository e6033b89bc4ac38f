// The platform's program calls, acting on the current handheld.
#include "platform/handheld.h"
#include "platform/programs.h"
#include "system/process_access.h"

namespace platform {

namespace {

ProgramManager& CurrentPrograms() { return Handheld::Current().programs(); }

}  // namespace

BOOL CreateProcess(std::string_view path, std::string_view command_line,
                   PROCESS_INFORMATION* information) {
  return CurrentPrograms().CreateProcess(path, command_line, information);
}

BOOL GetExitCodeProcess(const ProcessHandle& process, DWORD* exit_code) {
  if (!process || !exit_code) {
    SetLastError(process ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  *exit_code = programs_internal::ProcessAccess::ExitCode(*process);
  return TRUE;
}

BOOL TerminateProcess(const ProcessHandle& process, DWORD exit_code) {
  return CurrentPrograms().TerminateProcess(process, exit_code);
}

std::vector<ProcessEntry> EnumProcesses() { return CurrentPrograms().EnumProcesses(); }

ProcessHandle OpenProcess(DWORD process_id) { return CurrentPrograms().OpenProcess(process_id); }

}  // namespace platform
