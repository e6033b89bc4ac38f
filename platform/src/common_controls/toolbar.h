// The toolbar control ("ToolbarWindow32").
#pragma once

#include <vector>

#include "common_controls/event_control.h"
#include "common_controls/owned_image_list.h"
#include "platform/common_controls/toolbar.h"

namespace platform::common_controls {

class Toolbar : public EventControl {
 public:
  Toolbar(HWND hwnd, const CREATESTRUCT& create);

 private:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  // The TB_* messages on buttons, and on sizes and images; nullopt for
  // any other.
  std::optional<LRESULT> HandleButtonMessage(UINT message, WPARAM wparam, LPARAM lparam);
  std::optional<LRESULT> HandleLayoutMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void OnStylusDown(POINT point) override;
  void OnStylusMove(POINT point) override;
  void OnStylusUp(POINT point) override;
  void Paint(HDC dc) override;

  bool Valid(int index) const { return index >= 0 && index < static_cast<int>(buttons_.size()); }
  int IndexOf(int command) const;
  TBBUTTON* Find(int command);
  RECT ItemRect(int index) const;
  int HitTest(POINT point) const;
  // The list images come from: the one set by the program, else our own.
  HIMAGELIST Images() const { return images_set_ ? images_set_ : images_.get(); }

  int AddBitmap(int count, const TBADDBITMAP* bitmap);
  bool Insert(int index, const TBBUTTON& button);
  bool Delete(int index);
  // Sets or clears state bits of the button with the command id.
  bool ChangeState(int command, BYTE bits, bool set);
  BOOL HasState(int command, BYTE bit);
  // Replaces the button's state bits.
  BOOL SetState(int command, BYTE state);
  BOOL AddButtons(WPARAM count, const TBBUTTON* added);
  BOOL GetRect(int index, RECT* rect) const;
  BOOL SetBitmapSize(SIZE size);
  // The press of a button ends without a click.
  void CaptureLost();
  void AutoSize();

  void Click(int index);
  void PaintButton(HDC dc, int index) const;

  std::vector<TBBUTTON> buttons_;
  OwnedImageList images_;
  HIMAGELIST images_set_ = nullptr;
  SIZE bitmap_size_{16, 15};
  SIZE button_size_{23, 22};
  int pressed_ = -1;  // the button the stylus went down on
};

}  // namespace platform::common_controls
