#include "selftest_program.h"

#include <cstdio>

#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/profile.h"
#include "platform/time.h"

namespace handheld {

using namespace platform;

int SelfTestMain(const std::string& command_line) {
  Profile profile("Orsa", "selftest");
  const int run = static_cast<int>(profile.GetProfileInt("Runs", "count", 0)) + 1;
  if (!profile.WriteProfileInt("Runs", "count", run)) return -1;

  FileHandle log = CreateFile(kSelfTestLog, GENERIC_WRITE, 0, OPEN_ALWAYS);
  if (!log) return -static_cast<int>(GetLastError());
  SetFilePointer(log, 0, nullptr, FILE_END);
  SYSTEMTIME now;
  GetLocalTime(&now);
  char line[160];
  const int length = std::snprintf(
      line, sizeof line, "run %d at %04u-%02u-%02u %02u:%02u:%02u: %s\r\n", run, now.wYear,
      now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, command_line.c_str());
  DWORD written = 0;
  if (!WriteFile(log, line, static_cast<DWORD>(std::min<int>(length, sizeof line - 1)), &written)) {
    return -static_cast<int>(GetLastError());
  }
  return run;
}

}  // namespace handheld
