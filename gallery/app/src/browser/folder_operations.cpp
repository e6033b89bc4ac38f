#include "browser/folder_operations.h"

#include <cstdio>

#include "gallery/resources/string_ids.h"
#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/paths.h"
#include "resource_texts.h"

namespace gallery {

namespace {

using namespace platform;

struct ErrorString {
  DWORD error;
  UINT string;
};

constexpr ErrorString kErrorStrings[] = {
    {2, 570},   {3, 577},   {5, 579},   {17, 579},  {80, 559},
    {183, 559}, {112, 558}, {123, 558}, {145, 576}, {161, 578},
};

constexpr DWORD kFilenameExcedRange = 206;
constexpr int kLastNumber = 9998;

bool NameTaken(DWORD error) { return error == 183 || error == 80; }

std::string WithoutFinalSeparator(std::string path) {
  if (path.size() > 1 && path.back() == '\\') path.pop_back();
  return path;
}

}  // namespace

UINT FolderErrorString(DWORD error) {
  for (const ErrorString& known : kErrorStrings) {
    if (known.error == error) return known.string;
  }
  return kStringOperationFailed;
}

std::string FolderErrorText(DWORD error) {
  const UINT id = FolderErrorString(error);
  const std::string text = ResourceText(id);
  if (id != kStringOperationFailed) return text;
  char formatted[256];
  std::snprintf(formatted, sizeof(formatted), text.c_str(), static_cast<int>(error));
  return formatted;
}

bool FolderFits(const std::string& folder) { return Utf16Length(folder) <= kLongestFolder; }

NewFolder MakeNewFolder(const std::string& parent, const std::string& base) {
  for (int number = 1; number <= kLastNumber; ++number) {
    std::string name = base;
    if (number > 1) name += " (" + std::to_string(number) + ")";
    // The folder must come back through the caller's buffer with its "\".
    if (!FolderFits(parent + name + "\\")) return {"", kFilenameExcedRange, false};
    if (CreateDirectory(parent + name)) return {name, 0, false};
    const DWORD error = GetLastError();
    if (!NameTaken(error)) return {"", error, false};
  }
  return {"", 183, true};
}

DWORD RemoveFolder(const std::string& path) {
  return RemoveDirectory(WithoutFinalSeparator(path)) ? 0 : GetLastError();
}

DWORD RenameFolder(const std::string& parent, const std::string& old_name,
                   const std::string& new_name) {
  if (!FolderFits(parent + new_name + "\\")) return kFilenameExcedRange;
  return MoveFile(parent + old_name, parent + new_name) ? 0 : GetLastError();
}

}  // namespace gallery
