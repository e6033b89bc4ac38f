// A small built-in program that proves a handheld works end to end: each run
// counts itself in the registry and appends a line to a file, so a later run
// (or a later boot of the same handheld) reads back what the earlier wrote.
#pragma once

#include <string>

namespace handheld {

inline constexpr const char* kSelfTestPath = "\\Windows\\selftest.exe";
inline constexpr const char* kSelfTestLog = "\\My Documents\\selftest.txt";

// Returns the run number (1 for the first run on this handheld), or a
// negative number when a platform call failed.
int SelfTestMain(const std::string& command_line);

}  // namespace handheld
