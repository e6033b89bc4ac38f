// The Settings page (CSettingDlg) and the Setup page (CSetupDlg): a list of
// entries, each the setting's name and its current option, with Change
// (or a double tap) opening the entry's option list and Reset going back
// to the defaults. They store only when something changed or Reset was
// pressed.
#pragma once

#include <memory>
#include <span>
#include <vector>

#include "dialog_support.h"
#include "option_tables.h"
#include "sheet_page.h"

namespace camera {

class EntryPage : public SheetPage {
 public:
  struct Layout {
    platform::UINT template_id;
    int header;
    int list;
    int change;
    int reset;
    platform::UINT entry_icons;
    // The entry's option list.
    platform::UINT option_template;
    int option_header;
    int option_rows;
    int option_description;
    platform::UINT option_header_string;
  };

  platform::UINT TemplateId() const override { return layout_.template_id; }

 protected:
  EntryPage(const Layout& layout, std::span<const EntryDefinition> entries,
            const DialogContext& context);

  // The values the page starts from and those Reset sets.
  virtual std::vector<int> StoredValues() const = 0;
  virtual std::vector<int> ResetValues() const;
  // The first option an entry offers.
  virtual int FirstOption(int) const { return 0; }
  // Stores the page's values.
  virtual void Store(const std::vector<int>& values) = 0;

  void OnInit() override;
  bool OnConfirm() override;
  platform::INT_PTR Handle(platform::UINT message, platform::WPARAM wparam,
                           platform::LPARAM lparam) override;

 private:
  void Rebuild();
  void Change(int entry);
  void Reset();

  const Layout layout_;
  std::span<const EntryDefinition> entries_;
  std::unique_ptr<ImageStrip> icons_;
  std::vector<int> values_;
  bool changed_ = false;
};

// CSettingDlg: White Balance, Color, Compression, Resolution, AE Metering.
// While zoomed the Resolution entry shows and edits the zoomed still size,
// offering only the sizes the zoom window allows.
class CSettingDlg : public EntryPage {
 public:
  explicit CSettingDlg(const DialogContext& context);

 private:
  std::vector<int> StoredValues() const override;
  std::vector<int> ResetValues() const override;
  int FirstOption(int entry) const override;
  void Store(const std::vector<int>& values) override;
};

// CSetupDlg: Camera Sounds, Instant Review, Self-Timer, Business Card
// Framing Aid.
class CSetupDlg : public EntryPage {
 public:
  explicit CSetupDlg(const DialogContext& context);

 private:
  std::vector<int> StoredValues() const override;
  void Store(const std::vector<int>& values) override;
};

}  // namespace camera
