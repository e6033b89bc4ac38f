// File: sort key and order, subfolders, storage-card pictures. Opening the
// card's pictures always includes the subfolders.
#include "gallery/resources/dialog_ids.h"
#include "gallery/resources/string_ids.h"
#include "gallery_state.h"
#include "help.h"
#include "option_pages.h"
#include "platform/controls.h"
#include "resource_texts.h"

namespace gallery {

using namespace platform;

namespace {

// Checking "open card pictures" checks and locks "include subfolders".
void FollowCardPictures(HWND page) {
  const bool card = pages::Checked(page, kCheckOpenCardPictures) != 0;
  if (card) pages::SetCheck(page, kCheckIncludeSubfolders, 1);
  EnableWindow(GetDlgItem(page, static_cast<int>(kCheckIncludeSubfolders)), !card);
}

void Load(HWND page) {
  const FileOptions& file = Gallery().options.file;
  std::vector<std::string> keys;
  for (UINT key = 0; key <= kSortByType; ++key) keys.push_back(ResourceText(kStringSortName + key));
  pages::FillCombo(page, kComboSortKey, keys, static_cast<int>(file.sort_key));
  // Index 0 descending, 1 ascending: the index is the stored value.
  pages::FillCombo(page, kComboSortOrder,
                   {ResourceText(kStringDescending), ResourceText(kStringAscending)},
                   static_cast<int>(file.sort_ascending));
  pages::SetCheck(page, kCheckIncludeSubfolders, file.include_subfolders);
  pages::SetCheck(page, kCheckOpenCardPictures, file.open_card_pictures);
  FollowCardPictures(page);
}

bool Command(HWND page, WORD id, WORD code) {
  if (id != kCheckOpenCardPictures || code != BN_CLICKED) return false;
  FollowCardPictures(page);
  return true;
}

void Store(HWND page) {
  FileOptions& file = Gallery().options.file;
  const int key = pages::ComboSelection(page, kComboSortKey);
  const int order = pages::ComboSelection(page, kComboSortOrder);
  if (key >= 0) file.sort_key = static_cast<std::uint32_t>(key);
  if (order >= 0) file.sort_ascending = static_cast<std::uint32_t>(order);
  file.include_subfolders = pages::Checked(page, kCheckIncludeSubfolders);
  file.open_card_pictures = pages::Checked(page, kCheckOpenCardPictures);
}

constexpr pages::PageBehaviour kFilePage{Load, Command, Store, kHelpGeneral};

}  // namespace

INT_PTR FilePageProcedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
  return pages::RunPage(kFilePage, page, message, wparam, lparam);
}

}  // namespace gallery
