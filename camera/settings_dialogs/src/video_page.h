// The Video page (CVideoDlg): the size of the preview and of clips, and
// whether clips record sound.
#pragma once

#include "sheet_page.h"

namespace camera {

class CVideoDlg : public SheetPage {
 public:
  explicit CVideoDlg(const DialogContext& context) : SheetPage(context) {}
  platform::UINT TemplateId() const override;

 private:
  void OnInit() override;
  bool OnConfirm() override;
  platform::INT_PTR Handle(platform::UINT message, platform::WPARAM wparam,
                           platform::LPARAM lparam) override;
};

}  // namespace camera
