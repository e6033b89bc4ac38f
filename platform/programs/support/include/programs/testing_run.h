// For the programs' tests: starting a built-in program on the current
// handheld and waiting for its end, what it left in a folder and said in
// message boxes, and reading host files and commands.
#pragma once

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/handheld.h"
#include "platform/message_box.h"
#include "platform/programs.h"
#include "platform/threads.h"

namespace platform::programs::testing {

// The program's exit code; -1 when it could not start or did not end within
// a minute on the handheld's clock.
inline int RunProgram(std::string_view path, std::string_view command_line) {
  PROCESS_INFORMATION information;
  if (!CreateProcess(path, command_line, &information)) return -1;
  if (WaitForSingleObject(*information.hProcess, 60'000) != WAIT_OBJECT_0) return -1;
  DWORD exit_code = 0;
  GetExitCodeProcess(information.hProcess, &exit_code);
  return static_cast<int>(exit_code);
}

// The host path of a handheld file, empty when it does not exist.
inline std::string HostPathOf(Handheld& handheld, std::string_view path) {
  if (GetFileAttributes(path) == INVALID_FILE_ATTRIBUTES) return {};
  return handheld.files().HostPath(path).value_or(std::filesystem::path()).string();
}

// The names in a handheld folder, side files included; none when it does
// not exist.
inline std::vector<std::string> FolderNames(Handheld& handheld, std::string_view folder) {
  std::vector<std::string> names;
  const auto host = handheld.files().HostPath(folder);
  if (!host || !std::filesystem::exists(*host)) return names;
  for (const auto& entry : std::filesystem::directory_iterator(*host)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

// Every box shown so far, as "caption: text".
inline std::vector<std::string> BoxTexts(Handheld& handheld) {
  std::vector<std::string> texts;
  for (const MessageBoxRecord& box : handheld.message_boxes().Boxes()) {
    texts.push_back(box.request.caption + ": " + box.request.text);
  }
  return texts;
}

inline std::string ReadHostFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What a host command printed on its standard output.
inline std::string RunHostCommand(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return output;
  std::array<char, 512> chunk;
  while (std::fgets(chunk.data(), chunk.size(), pipe)) output += chunk.data();
  pclose(pipe);
  return output;
}

}  // namespace platform::programs::testing
