// Starting programs and opening documents through the shell.
#include "platform/shell_execute.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "platform/last_error.h"
#include "platform/message_box.h"
#include "platform/registry.h"

namespace platform {

namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// The extension with its dot (".jpg"), empty when the name has none.
std::string Extension(std::string_view file) {
  const std::size_t slash = file.find_last_of('\\');
  const std::size_t dot = file.find_last_of('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return "";
  return Lower(file.substr(dot));
}

std::optional<std::string> DefaultValue(HKEY root, const std::string& key_name) {
  RegKey key;
  if (RegOpenKeyEx(root, key_name, key.put()) != ERROR_SUCCESS) return std::nullopt;
  DWORD type = 0, size = 0;
  if (RegQueryValueEx(key.get(), "", &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ) {
    return std::nullopt;
  }
  std::string value(size, '\0');
  if (RegQueryValueEx(key.get(), "", &type, value.data(), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.resize(std::min<std::size_t>(size, value.find('\0')));
  return value;
}

struct CommandLine {
  std::string program;
  std::string arguments;
};

// The registered open command for a document, "%1" replaced by its path.
std::optional<CommandLine> OpenCommand(const std::string& document) {
  const std::string extension = Extension(document);
  if (extension.empty()) return std::nullopt;
  std::optional<std::string> file_class = DefaultValue(HKEY_CLASSES_ROOT, extension);
  if (!file_class || file_class->empty()) return std::nullopt;
  std::optional<std::string> command =
      DefaultValue(HKEY_CLASSES_ROOT, *file_class + "\\Shell\\Open\\Command");
  if (!command || command->empty()) return std::nullopt;
  CommandLine line;
  std::string_view rest = *command;
  if (rest.front() == '"') {
    const std::size_t end = rest.find('"', 1);
    if (end == std::string_view::npos) return std::nullopt;
    line.program = std::string(rest.substr(1, end - 1));
    rest.remove_prefix(end + 1);
  } else {
    const std::size_t end = rest.find(' ');
    line.program = std::string(rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
  }
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  for (std::size_t at = 0; at < rest.size(); ++at) {
    if (rest.substr(at, 2) == "%1") {
      line.arguments += document;
      ++at;
    } else {
      line.arguments += rest[at];
    }
  }
  return line;
}

bool IsProgram(const std::string& file) {
  const std::string extension = Extension(file);
  return extension.empty() || extension == ".exe";
}

// The name a person knows the file by: the last part of its path.
std::string_view ShownName(std::string_view file) {
  const std::size_t slash = file.find_last_of('\\');
  return slash == std::string_view::npos ? file : file.substr(slash + 1);
}

// Tells the person, unless the caller asked for no boxes, then fails with
// the code and the last error.
BOOL Fail(SHELLEXECUTEINFO* info, UINT_PTR code, DWORD error) {
  if (!(info->fMask & SEE_MASK_FLAG_NO_UI)) {
    const std::string name(ShownName(info->lpFile));
    const std::string text =
        code == SE_ERR_NOASSOC
            ? "No program is registered to open '" + name + "'."
            : "Cannot find '" + name + "' or a part it needs. Check the name and try again.";
    MessageBox(info->hwnd, text, name, MB_OK | MB_ICONEXCLAMATION);
  }
  info->hInstApp = code;
  SetLastError(error);
  return FALSE;
}

}  // namespace

BOOL ShellExecuteEx(SHELLEXECUTEINFO* info) {
  if (!info || info->lpFile.empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  info->hProcess.reset();
  CommandLine line{info->lpFile, info->lpParameters};
  if (!IsProgram(info->lpFile)) {
    std::optional<CommandLine> opened = OpenCommand(info->lpFile);
    if (!opened) return Fail(info, SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION);
    line = *opened;
    if (!info->lpParameters.empty()) line.arguments += " " + info->lpParameters;
  }
  PROCESS_INFORMATION process;
  if (!CreateProcess(line.program, line.arguments, &process)) {
    return Fail(info, SE_ERR_FNF, GetLastError());
  }
  info->hInstApp = kShellExecuteSucceeded;
  if (info->fMask & SEE_MASK_NOCLOSEPROCESS) info->hProcess = process.hProcess;
  return TRUE;
}

}  // namespace platform
