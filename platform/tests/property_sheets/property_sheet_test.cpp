// Property sheets: pages from templates under tabs at the bottom, page
// changes by tapping a tab, OK applying and Cancel resetting every page.
#include "platform/property_sheet.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "dialogs/dialog_test_fixture.h"
#include "platform/shell_dialog.h"

namespace platform {
namespace {

constexpr int kTabY = 294 - kPropertySheetTabHeight / 2;
constexpr POINT kDoneButton{224, 13};

class PropertySheetTest : public testing::DialogTest {
 protected:
  PropertySheetTest() {
    auto resources = std::make_shared<ModuleResources>();
    for (auto [id, caption] : {std::pair{193, "Settings"}, {250, "Video"}, {246, "File"}}) {
      DialogTemplate page = OkCancelTemplate();
      page.items.resize(1);  // the field only
      page.caption = caption;
      resources->AddDialog(id, page);
    }
    module_ = InstallModule(resources);
  }

  // A page that records its notifications and answers `answers[code]`.
  PROPSHEETPAGE Page(int index, UINT template_id) {
    PROPSHEETPAGE page;
    page.hInstance = module_;
    page.pszTemplate = template_id;
    page.lParam = 100 + index;
    page.pfnDlgProc = [this, index](HWND hwnd, UINT message, WPARAM, LPARAM lparam) -> INT_PTR {
      if (message == WM_INITDIALOG) {
        init_params_.push_back(reinterpret_cast<const PROPSHEETPAGE*>(lparam)->lParam);
        return TRUE;
      }
      if (message != WM_NOTIFY) return FALSE;
      const auto* notify = reinterpret_cast<const PSHNOTIFY*>(lparam);
      notes_.push_back({index, notify->hdr.code});
      auto answer = answers_.find({index, notify->hdr.code});
      if (answer == answers_.end()) return FALSE;
      SetWindowLong(hwnd, DWL_MSGRESULT, answer->second);
      return TRUE;
    };
    return page;
  }

  INT_PTR Run(std::function<void(HWND sheet)> person, DWORD flags = PSH_PROPSHEETPAGE,
              PFNPROPSHEETCALLBACK callback = nullptr) {
    pages_ = {Page(0, 193), Page(1, 250)};
    PROPSHEETHEADER header;
    header.dwFlags = flags;
    header.hwndParent = main_;
    header.nPages = static_cast<UINT>(pages_.size());
    header.ppsp = pages_.data();
    header.pfnCallback = std::move(callback);
    return ShowWhile([&] { return PropertySheet(&header); },
                     [&] { person(FindWindow(WC_DIALOG, std::nullopt)); });
  }

  static HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  }
  static std::string CurrentCaption(HWND sheet) { return GetWindowText(CurrentPage(sheet)); }

  using Note = std::pair<int, UINT>;
  HINSTANCE module_ = nullptr;
  std::vector<PROPSHEETPAGE> pages_;
  std::vector<LPARAM> init_params_;
  std::vector<Note> notes_;
  std::map<Note, LRESULT> answers_;
};

TEST_F(PropertySheetTest, ATabChangesThePageAndOkAppliesEveryPageMade) {
  RECT sheet_rect{}, page_rect{};
  std::string first_caption, second_caption;
  bool second_made_before_tap = true;
  const INT_PTR result = Run([&](HWND sheet) {
    GetWindowRect(sheet, &sheet_rect);
    GetWindowRect(CurrentPage(sheet), &page_rect);
    first_caption = CurrentCaption(sheet);
    second_made_before_tap = SendMessage(sheet, PSM_INDEXTOHWND, 1, 0) != 0;
    TapAt(POINT{80, kTabY});  // the Video tab, right of "Settings"
    second_caption = CurrentCaption(sheet);
    TapAt(kDoneButton);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(sheet_rect.top, 26);
  EXPECT_EQ(sheet_rect.bottom, 294);
  EXPECT_EQ(page_rect.bottom, 294 - kPropertySheetTabHeight);
  EXPECT_EQ(first_caption, "Settings");
  EXPECT_EQ(second_caption, "Video");
  EXPECT_FALSE(second_made_before_tap);
  EXPECT_EQ(init_params_, (std::vector<LPARAM>{100, 101}));
  EXPECT_EQ(notes_, (std::vector<Note>{{0, PSN_SETACTIVE},
                                       {0, PSN_KILLACTIVE},
                                       {1, PSN_SETACTIVE},
                                       {1, PSN_KILLACTIVE},
                                       {0, PSN_APPLY},
                                       {1, PSN_APPLY}}));
}

TEST_F(PropertySheetTest, APageThatRefusesToBeLeftStaysOnTop) {
  answers_[{0, PSN_KILLACTIVE}] = TRUE;
  std::string caption;
  const INT_PTR result = Run([&](HWND sheet) {
    TapAt(POINT{80, kTabY});
    caption = CurrentCaption(sheet);
    // OK asks the page too: it stays open.
    TapAt(kDoneButton);
    EXPECT_TRUE(IsWindow(sheet));
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(caption, "Settings");
  EXPECT_EQ(init_params_.size(), 1u);  // the second page was never made
  EXPECT_EQ(notes_, (std::vector<Note>{{0, PSN_SETACTIVE},
                                       {0, PSN_KILLACTIVE},
                                       {0, PSN_KILLACTIVE},
                                       {0, PSN_QUERYCANCEL},
                                       {0, PSN_RESET}}));
}

TEST_F(PropertySheetTest, ARefusedApplyKeepsTheSheetOpenOnThatPage) {
  answers_[{0, PSN_APPLY}] = PSNRET_INVALID;
  std::string caption;
  const INT_PTR result = Run([&](HWND sheet) {
    TapAt(POINT{80, kTabY});
    TapAt(kDoneButton);
    caption = CurrentCaption(sheet);
    answers_.clear();
    SendMessage(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(caption, "Settings");
  // Applying stopped at the first page and started again.
  EXPECT_EQ(std::count(notes_.begin(), notes_.end(), Note{0, PSN_APPLY}), 2);
  EXPECT_EQ(std::count(notes_.begin(), notes_.end(), Note{1, PSN_APPLY}), 1);
}

TEST_F(PropertySheetTest, TheCallbackMakesTheSheetFullScreenAndThePagesFollow) {
  RECT sheet_rect{}, page_rect{};
  int initialized = 0;
  const INT_PTR result = Run(
      [&](HWND sheet) {
        GetWindowRect(sheet, &sheet_rect);
        GetWindowRect(CurrentPage(sheet), &page_rect);
        Press(VK_ESCAPE);
      },
      PSH_PROPSHEETPAGE | PSH_MAXIMIZE | PSH_USECALLBACK,
      [&](HWND sheet, UINT message, LPARAM) {
        if (message != PSCB_INITIALIZED) return 0;
        ++initialized;
        SHINITDLGINFO info;
        info.hDlg = sheet;
        info.dwFlags = SHIDIF_FULLSCREENNOMENUBAR | SHIDIF_DONEBUTTON;
        SHInitDialog(&info);
        return 0;
      });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(initialized, 1);
  EXPECT_EQ(sheet_rect.bottom, 320);
  EXPECT_EQ(page_rect.bottom, 320 - kPropertySheetTabHeight);
}

TEST_F(PropertySheetTest, AMissingPageTemplateFailsTheSheet) {
  std::vector<PROPSHEETPAGE> pages = {Page(0, 193), Page(1, 999)};
  PROPSHEETHEADER header;
  header.hwndParent = main_;
  header.nPages = 2;
  header.ppsp = pages.data();
  EXPECT_EQ(PropertySheet(&header), -1);
  header.nPages = 0;
  EXPECT_EQ(PropertySheet(&header), -1);
  EXPECT_EQ(PropertySheet(nullptr), -1);
  EXPECT_TRUE(IsWindowEnabled(main_));
}

TEST_F(PropertySheetTest, AModelessSheetChangesPagesByMessage) {
  pages_ = {Page(0, 193), Page(1, 250)};
  pages_[1].dwFlags = PSP_USETITLE;
  pages_[1].pszTitle = "Audio";
  PROPSHEETHEADER header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS;
  header.hwndParent = main_;
  header.nPages = 2;
  header.ppsp = pages_.data();
  auto sheet = reinterpret_cast<HWND>(PropertySheet(&header));
  ASSERT_NE(sheet, nullptr);
  EXPECT_TRUE(IsWindowVisible(sheet));
  EXPECT_TRUE(SendMessage(sheet, PSM_SETCURSEL, 1, 0));
  HWND second = CurrentPage(sheet);
  EXPECT_EQ(GetWindowText(second), "Video");
  EXPECT_FALSE(IsWindowVisible(reinterpret_cast<HWND>(SendMessage(sheet, PSM_INDEXTOHWND, 0, 0))));
  EXPECT_FALSE(SendMessage(sheet, PSM_SETCURSEL, 5, 0));
  SendMessage(sheet, WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(IsWindow(sheet));
}

}  // namespace
}  // namespace platform
