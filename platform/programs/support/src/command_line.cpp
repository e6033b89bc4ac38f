#include "programs/command_line.h"

#include "platform/paths.h"

namespace platform::programs {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

std::optional<std::string> Fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> PathArgument(std::string_view command_line, std::string* error) {
  if (command_line.size() > kMaxCommandLine) {
    return Fail(error, "The command line is too long.");
  }
  std::string_view text = Trim(command_line);
  if (text.empty()) return Fail(error, "No file was named.");
  if (text.front() == '"') {
    const std::size_t close = text.find('"', 1);
    if (close == std::string_view::npos) return Fail(error, "A quote is not closed.");
    if (!Trim(text.substr(close + 1)).empty()) {
      return Fail(error, "Only one file can be named.");
    }
    text = Trim(text.substr(1, close - 1));
    if (text.empty()) return Fail(error, "No file was named.");
  } else if (text.find('"') != std::string_view::npos) {
    return Fail(error, "A quote is not closed.");
  }
  if (Utf16Length(text) >= MAX_PATH) return Fail(error, "The file name is too long.");
  return std::string(text);
}

std::optional<std::string> SwitchArgument(std::string_view command_line, std::string_view name,
                                          std::string* error) {
  if (command_line.size() > kMaxCommandLine) {
    return Fail(error, "The command line is too long.");
  }
  const std::string_view text = Trim(command_line);
  const bool named =
      StartsWithIgnoreCase(text, name) &&
      (text.size() == name.size() || kBlanks.find(text[name.size()]) != std::string_view::npos);
  if (!named) return Fail(error, "Expected " + std::string(name) + " and a file.");
  return PathArgument(text.substr(name.size()), error);
}

}  // namespace platform::programs
