// Reading a built-in program's command line. The text comes from whoever
// started the program (a shell entry, a script, another program) and is
// taken as untrusted: paths may be quoted or not and hold spaces, a quote
// may be left open, the line may be longer than any path.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::programs {

// Longest command line a program takes; the handheld's own programs take
// no more than a path and a switch or two.
inline constexpr std::size_t kMaxCommandLine = 1024;

// The one path a command line names: a quoted path ("\My Documents\a b.jpg")
// or, unquoted, the whole line with its spaces, both trimmed of blanks
// around. Nothing, with the reason in *error, for an empty or over-long
// line, an open quote, text after the closing quote, or a path longer than
// the handheld's paths.
std::optional<std::string> PathArgument(std::string_view command_line, std::string* error);

// The path of a switch and its value (-attach "PATH"): the switch must come
// first, matched without regard to case; its value is read as PathArgument
// reads a whole line.
std::optional<std::string> SwitchArgument(std::string_view command_line, std::string_view name,
                                          std::string* error);

}  // namespace platform::programs
