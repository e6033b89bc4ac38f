// Running a command line (the tool, the peers) and collecting its exit
// status and output; a scratch host folder for the files they exchange.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/testing/temp_handheld.h"

namespace clip::testing {

struct CommandResult {
  int exit_code = -1;
  std::string out;
  std::string err;
};

class HostFolder {
 public:
  HostFolder() : path_(platform::testing::MakeTemporaryFolder("clip-peers")) {}
  ~HostFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  HostFolder(const HostFolder&) = delete;
  HostFolder& operator=(const HostFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

inline CommandResult RunCommand(const std::string& command, const HostFolder& scratch) {
  CommandResult result;
  const std::string err_file = scratch / "stderr.txt";
  FILE* pipe = popen((command + " 2>" + Quote(err_file)).c_str(), "r");
  if (!pipe) return result;
  std::array<char, 4096> chunk;
  while (std::size_t got = std::fread(chunk.data(), 1, chunk.size(), pipe))
    result.out.append(chunk.data(), got);
  const int status = pclose(pipe);
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream err(err_file);
  result.err.assign(std::istreambuf_iterator<char>(err), {});
  return result;
}

inline bool HaveProgram(const std::string& name) {
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace clip::testing
