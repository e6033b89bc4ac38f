#include "installer.h"

#include <span>

#include "platform/files.h"
#include "platform/programs.h"
#include "selftest_program.h"

namespace handheld {

namespace {

struct BuiltIn {
  const char* path;
  platform::ProgramEntry entry;
};

const std::vector<BuiltIn>& BuiltIns() {
  static const std::vector<BuiltIn> programs = {
      {kSelfTestPath,
       [](platform::HINSTANCE, const std::string& command_line) {
         return SelfTestMain(command_line);
       }},
  };
  return programs;
}

}  // namespace

std::vector<std::string> InstallBuiltIns(platform::Handheld& handheld) {
  std::vector<std::string> installed;
  platform::InstallerAccess access;
  for (const BuiltIn& program : BuiltIns()) {
    const std::string marker = std::string("built-in program ") + program.path + "\n";
    handheld.programs().Register(program.path, program.entry);
    if (handheld.files().InstallFile(program.path, std::as_bytes(std::span(marker)))) {
      installed.push_back(program.path);
    }
  }
  return installed;
}

}  // namespace handheld
