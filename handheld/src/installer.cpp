#include "installer.h"

#include <cctype>
#include <functional>
#include <map>
#include <span>

#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/paths.h"
#include "selftest_program.h"

namespace handheld {

namespace {

using ProgramEntry = std::function<int(const std::string&)>;

struct BuiltIn {
  const char* path;
  ProgramEntry entry;
};

const std::vector<BuiltIn>& BuiltIns() {
  static const std::vector<BuiltIn> programs = {{kSelfTestPath, SelfTestMain}};
  return programs;
}

bool SamePath(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::vector<std::string> InstallBuiltIns(platform::Handheld& handheld) {
  std::vector<std::string> installed;
  platform::InstallerAccess access;
  for (const BuiltIn& program : BuiltIns()) {
    const std::string marker = std::string("built-in program ") + program.path + "\n";
    if (handheld.files().InstallFile(program.path, std::as_bytes(std::span(marker)))) {
      installed.push_back(program.path);
    }
  }
  return installed;
}

platform::ThreadHandle StartBuiltIn(const std::string& path, const std::string& command_line) {
  for (const BuiltIn& program : BuiltIns()) {
    if (!SamePath(path, program.path)) continue;
    if (platform::GetFileAttributes(path) == platform::INVALID_FILE_ATTRIBUTES) {
      platform::SetLastError(platform::ERROR_FILE_NOT_FOUND);
      return nullptr;
    }
    ProgramEntry entry = program.entry;
    return platform::CreateThread(
        [entry, command_line]() -> platform::DWORD {
          return static_cast<platform::DWORD>(entry(command_line));
        },
        path);
  }
  platform::SetLastError(platform::ERROR_FILE_NOT_FOUND);
  return nullptr;
}

}  // namespace handheld
