// The File page (CFileDlg): the picture name's prefix and counter and the
// folder pictures go to, chosen in the folder chooser. The edits refuse
// what a picture name cannot hold and keep the focus while empty.
#pragma once

#include <string>

#include "sheet_page.h"

namespace camera {

class CFileDlg : public SheetPage {
 public:
  explicit CFileDlg(const DialogContext& context) : SheetPage(context) {}
  platform::UINT TemplateId() const override;

 private:
  void OnInit() override;
  void OnShown() override;
  bool OnLeaving() override;
  bool OnConfirm() override;
  platform::INT_PTR Handle(platform::UINT message, platform::WPARAM wparam,
                           platform::LPARAM lparam) override;

  void OnCounterChanged();
  void OnPrefixChanged();
  void OnEditLeft(int id);
  // Puts `text` back into the edit with the caret at its end, and beeps.
  void Restore(int id, const std::string& text);
  // The first empty edit gets the focus and the device beeps; false when
  // none is empty.
  bool RefuseEmpty();
  void ChooseFolder();

  std::string previous_prefix_;
  std::string previous_counter_;
  bool restoring_ = false;
};

}  // namespace camera
