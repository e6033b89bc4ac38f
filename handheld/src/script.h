// Scripts of steps for the emulator: what a person would do with the
// handheld, one step a line.
//
//   # a comment
//   echo Text to print
//   start "\Windows\selftest.exe" some arguments
//   wait 1500                      (milliseconds on the handheld's clock)
//   wait-exit "\Windows\selftest.exe" 5000
//   expect-file "\My Documents\selftest.txt"
//   reboot                         (a later run of the same handheld)
//
// Words are separated by spaces; double quotes keep spaces inside a word.
#pragma once

#include <string>
#include <vector>

namespace handheld {

struct ScriptStep {
  int line = 0;
  std::string command;
  std::vector<std::string> arguments;
};

struct Script {
  std::vector<ScriptStep> steps;
};

// Splits one line into words; false (with a reason) on an unclosed quote.
bool SplitWords(const std::string& line, std::vector<std::string>* words, std::string* error);

// Parses script text; on failure returns false and says which line is wrong.
bool ParseScript(const std::string& text, Script* script, std::string* error);

}  // namespace handheld
