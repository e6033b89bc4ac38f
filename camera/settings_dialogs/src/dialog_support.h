// What the settings dialogs share: message boxes under the application's
// title, texts by id, the blue header labels, full-screen dialogs and the
// report-view lists.
#pragma once

#include <string>
#include <string_view>

#include "platform/dialogs.h"
#include "platform/image_list.h"

namespace camera {

// Shows a message box with the application's title (string 50004).
int Tell(platform::HWND owner, std::string_view text, platform::UINT type);
int Tell(platform::HWND owner, platform::UINT text_id, platform::UINT type);

// Sets a control's text to a string of the library.
void SetItemString(platform::HWND dialog, int id, platform::UINT string_id);

// A dialog procedure's answer to WM_CTLCOLORSTATIC: the header label in
// pure blue, every other static as the platform draws it.
platform::INT_PTR HeaderColour(platform::HWND dialog, platform::WPARAM dc, platform::LPARAM control,
                               int header_id);

// Makes a dialog fill the screen above an empty menu bar; with `done` the
// task bar's OK button closes it.
void MakeFullScreen(platform::HWND dialog, bool done);

// Report-view lists.
void AddListColumn(platform::HWND list, int index, std::string_view text, int width);
void AddListRow(platform::HWND list, int index, std::string_view text, int image);
void SetListText(platform::HWND list, int index, int column, std::string_view text);
// The selected row, -1 when none is.
int SelectedRow(platform::HWND list);
void SelectRow(platform::HWND list, int index);
// The list's client width.
int ListWidth(platform::HWND list);

// An image list of the module's bitmap strip, owned until destruction.
class ImageStrip {
 public:
  ImageStrip(platform::HINSTANCE instance, platform::UINT bitmap, int width);
  ~ImageStrip();
  ImageStrip(const ImageStrip&) = delete;
  ImageStrip& operator=(const ImageStrip&) = delete;
  platform::HIMAGELIST get() const { return list_; }

 private:
  platform::HIMAGELIST list_;
};

}  // namespace camera
