// One page of the settings sheet: built from its template, told by the sheet
// when it is shown, left, confirmed (OK) or dropped (Cancel).
#pragma once

#include "camera/settings_dialogs/settings_dialogs.h"
#include "platform/dialogs.h"
#include "platform/property_sheet.h"

namespace camera {

class SheetPage {
 public:
  virtual ~SheetPage() = default;

  virtual platform::UINT TemplateId() const = 0;
  // The page's dialog procedure: the sheet's notices go to the calls below,
  // the rest to Handle.
  platform::INT_PTR Procedure(platform::HWND page, platform::UINT message, platform::WPARAM wparam,
                              platform::LPARAM lparam);

 protected:
  explicit SheetPage(const DialogContext& context) : context_(context) {}

  virtual void OnInit() = 0;
  // Shown: the input panel goes down unless the page wants it.
  virtual void OnShown();
  // About to be left; false keeps the page.
  virtual bool OnLeaving() { return true; }
  // The sheet's OK; false keeps the sheet open on this page.
  virtual bool OnConfirm() = 0;
  virtual platform::INT_PTR Handle(platform::UINT message, platform::WPARAM wparam,
                                   platform::LPARAM lparam) = 0;

  platform::HWND page() const { return page_; }
  platform::HWND Item(int id) const { return platform::GetDlgItem(page_, id); }
  const DialogContext& context_;

 private:
  platform::INT_PTR OnNotify(const platform::NMHDR& header);
  platform::INT_PTR Answer(platform::LRESULT result);

  platform::HWND page_ = nullptr;
};

}  // namespace camera
