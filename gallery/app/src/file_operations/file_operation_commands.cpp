// Delete, Move, Copy and Rename from the browser: the confirmations, the
// destination from the folder chooser (remembered as "Move" and "Copy"),
// the work under the wait cursor and the failure messages with counts.
// The file list follows through the shell's change notifications; here
// only the marks of the pictures that went are cleared, so that what
// failed stays marked for another try.
#include <algorithm>
#include <string>
#include <vector>

#include "browser/folder_chooser.h"
#include "command_line.h"
#include "file_batch.h"
#include "file_list_access.h"
#include "gallery/options/registry_accessor.h"
#include "gallery/resources/commands.h"
#include "gallery/resources/string_ids.h"
#include "gallery_state.h"
#include "operation_texts.h"
#include "part_commands.h"
#include "platform/cursor.h"
#include "platform/files.h"
#include "platform/shell_services.h"
#include "rename_sheet.h"
#include "resource_texts.h"

namespace gallery {

namespace {

using namespace platform;

struct OperationTexts {
  UINT caption;
  UINT failed;        // "%d file(s) could not be ..."
  UINT label_prefix;  // the chooser's label
  const char* remembered;
};

OperationTexts TextsOf(FileOperation operation) {
  switch (operation) {
    case FileOperation::kMove:
      return {kStringMoveCaption, kStringMoveFailed, kStringMoveTo, "Move"};
    case FileOperation::kCopy:
      return {kStringCopyCaption, kStringCopyFailed, kStringCopyTo, "Copy"};
    case FileOperation::kDelete:
      break;
  }
  return {kStringDeleteCaption, kStringDeleteFailed, 0, ""};
}

// The current file; empty when there is none (an empty folder).
std::string CurrentFile() {
  const std::string current = CurrentIndex() >= 0 ? EntryPath(CurrentIndex()) : Gallery().current;
  const DWORD attributes = current.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributes(current);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
  return current;
}

// The marked entries, or the current file alone; empty when there is no
// current file.
std::vector<std::string> Subjects(bool* marked) {
  *marked = MarkedCount() > 0;
  if (*marked) return MarkedPaths();
  const std::string current = CurrentFile();
  if (current.empty()) return {};
  return {current};
}

bool Confirm(HWND browser, bool marked, const std::vector<std::string>& pictures, UINT caption) {
  const std::string text = marked
                               ? CountText(kStringMarkedConfirm, static_cast<int>(pictures.size()))
                               : FileNameOf(pictures.front());
  return ConfirmBox(browser, text, caption);
}

// The destination of a move or copy: the chooser starts at the remembered
// folder and what it chose is remembered. Nothing when the chooser was
// left without a choice.
std::optional<std::string> ChooseDestination(HWND browser, const OperationTexts& texts) {
  const RegistryAccessor key(HKEY_CURRENT_USER, kGalleryKey);
  std::string folder = key.ReadString(texts.remembered)
                           .value_or(SpecialFolderPath(CSIDL_PERSONAL).value_or("") + "\\");
  if (!ChooseFolder(browser, Gallery().title, ResourceText(texts.label_prefix), folder)) {
    return std::nullopt;
  }
  key.WriteString(texts.remembered, folder);
  return folder;
}

void Report(HWND browser, const std::vector<PictureOutcome>& outcomes, UINT failed_text) {
  for (const PictureOutcome& outcome : outcomes) {
    if (outcome.result.pair_split) ErrorBox(browser, NameText(kStringNoteApart, outcome.picture));
  }
  if (const int failed = FailedCount(outcomes)) ErrorBox(browser, CountText(failed_text, failed));
}

// What went is unmarked; what failed stays marked.
void UnmarkDone(const std::vector<PictureOutcome>& outcomes) {
  for (const PictureOutcome& outcome : outcomes) {
    if (!outcome.result.ok) continue;
    const int index = FindEntry(outcome.picture);
    if (index >= 0) SetMarked(index, false);
  }
}

// The strip and the pane again, with the current index kept in the list.
void ShowListAgain(HWND browser) {
  const int count = EntryCount();
  if (count > 0) SetCurrentEntry(browser, std::clamp(CurrentIndex(), 0, count - 1));
}

void RunOperation(HWND browser, FileOperation operation) {
  bool marked = false;
  const std::vector<std::string> pictures = Subjects(&marked);
  if (pictures.empty()) return;
  const OperationTexts texts = TextsOf(operation);
  if (!Confirm(browser, marked, pictures, texts.caption)) return;
  std::string destination;
  if (operation != FileOperation::kDelete) {
    const auto chosen = ChooseDestination(browser, texts);
    if (!chosen) return;
    destination = *chosen;
  }
  std::optional<std::vector<PictureOutcome>> outcomes;
  {
    platform::WaitCursor wait;
    outcomes = RunFileOperation(operation, pictures, destination, Gallery().folder);
  }
  if (!outcomes) return;
  if (marked) UnmarkDone(*outcomes);
  Report(browser, *outcomes, texts.failed);
  // A copy that all went leaves the list as it was.
  const bool list_changed = operation != FileOperation::kCopy || FailedCount(*outcomes) > 0;
  if (marked && list_changed) ShowListAgain(browser);
}

}  // namespace

void FileOperationCommand(HWND browser, UINT command) {
  RecordRoute(GalleryPart::kFileOperations, command);
  switch (command) {
    case kButtonDelete:
    case kCommandDelete:
      RunOperation(browser, FileOperation::kDelete);
      break;
    case kCommandMove:
      RunOperation(browser, FileOperation::kMove);
      break;
    case kCommandCopy:
      RunOperation(browser, FileOperation::kCopy);
      break;
    case kCommandRename:
    case kCommandRenameItem:
      if (const std::string current = CurrentFile(); !current.empty()) {
        RunRenameSheet(browser, current);
      }
      break;
    default:
      break;
  }
}

}  // namespace gallery
