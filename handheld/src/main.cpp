// orsa-handheld: runs an emulated handheld in a host folder.
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "emulator.h"
#include "script.h"
#include "script_runner.h"

namespace {

constexpr const char* kUsage =
    "usage: orsa-handheld --root FOLDER --script FILE [--real-time]\n"
    "\n"
    "Makes (or reopens) a handheld whose files and registry live in FOLDER and\n"
    "runs the steps of the script FILE on it, headless.\n"
    "\n"
    "  --root FOLDER   host folder of the handheld (created when missing)\n"
    "  --script FILE   script of steps: echo, wait, start, wait-exit,\n"
    "                  expect-file, reboot (see handheld/scripts/demo.txt)\n"
    "  --real-time     let the handheld's clock follow real time instead of\n"
    "                  jumping ahead whenever every thread waits\n"
    "  -h, --help      show this text\n"
    "\n"
    "Exit status: 0 when every step succeeded, 1 when a step failed,\n"
    "2 for a usage error or a script that cannot be read.\n";

int UsageError(const std::string& message) {
  std::cerr << "orsa-handheld: " << message << "\n"
            << "Try 'orsa-handheld --help'.\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  handheld::EmulatorOptions options;
  std::string script_path;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "-h" || argument == "--help") {
      std::cout << kUsage;
      return 0;
    } else if (argument == "--real-time") {
      options.real_time = true;
    } else if (argument == "--root" && i + 1 < argc) {
      options.root = argv[++i];
    } else if (argument == "--script" && i + 1 < argc) {
      script_path = argv[++i];
    } else {
      return UsageError("unexpected argument '" + argument + "'");
    }
  }
  if (options.root.empty()) return UsageError("--root is required");
  if (script_path.empty()) return UsageError("--script is required");

  std::ifstream file(script_path);
  if (!file) return UsageError("cannot read script " + script_path);
  std::stringstream text;
  text << file.rdbuf();
  handheld::Script script;
  std::string error;
  if (!handheld::ParseScript(text.str(), &script, &error)) {
    return UsageError(script_path + ": " + error);
  }

  std::error_code ignored;
  std::filesystem::create_directories(options.root, ignored);
  handheld::Emulator emulator(options);
  handheld::ScriptRunner runner(emulator, std::cout, std::cerr);
  if (!runner.Validate(script)) return 2;
  const handheld::ScriptReport report = runner.Run(script);
  std::cout << "orsa-handheld: " << report.steps_run << " of " << script.steps.size()
            << " steps ran, " << report.failures << " failed; the handheld's files are in "
            << std::filesystem::absolute(options.root / "files").string() << "\n";
  return report.failures == 0 ? 0 : 1;
}
