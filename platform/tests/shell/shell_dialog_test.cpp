// The shell's full-screen dialog initialisation and its Done button.
#include "platform/shell_dialog.h"

#include "dialogs/dialog_test_fixture.h"
#include "platform/menu_bar.h"
#include "platform/screen.h"
#include "platform/shell_state.h"

namespace platform {
namespace {

constexpr POINT kDoneButton{224, 13};

class ShellDialogTest : public testing::DialogTest {
 protected:
  // Runs the OK/Cancel dialog initialised with `flags`; the person acts on
  // it and the result is the command that ended it.
  INT_PTR RunWith(DWORD flags, std::function<void(HWND)> person) {
    DialogTemplate dialog_template = OkCancelTemplate();
    return ShowWhile(
        [&] {
          return DialogBoxIndirect(
              nullptr, &dialog_template, main_,
              [flags](HWND dialog, UINT message, WPARAM wparam, LPARAM) -> INT_PTR {
                if (message == WM_INITDIALOG) {
                  SHINITDLGINFO info;
                  info.hDlg = dialog;
                  info.dwFlags = flags;
                  EXPECT_TRUE(SHInitDialog(&info));
                }
                if (message == WM_COMMAND) EndDialog(dialog, LOWORD(wparam));
                return message == WM_COMMAND;
              });
        },
        [&] { person(FindWindow(WC_DIALOG, std::nullopt)); });
  }
  static RECT RectOf(HWND hwnd) {
    RECT rect;
    GetWindowRect(hwnd, &rect);
    return rect;
  }
};

TEST_F(ShellDialogTest, TheDoneButtonInTheTaskBarSendsOk) {
  RECT rect{};
  COLORREF done_face = 0;
  const INT_PTR result = RunWith(SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN, [&](HWND dialog) {
    rect = RectOf(dialog);
    done_face = screen::Compose().GetPixel(kDoneButton.x, 6);
    TapAt(kDoneButton);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 26);
  EXPECT_EQ(rect.right, 240);
  EXPECT_EQ(rect.bottom, 294);
  EXPECT_EQ(done_face, RGB(255, 255, 255));
  // Back at the main window there is no Done button: a tap there does
  // nothing.
  EXPECT_NE(screen::Compose().GetPixel(kDoneButton.x, 6), RGB(255, 255, 255));
  TapAt(kDoneButton);
  Pump();
  EXPECT_TRUE(ReceivedBy(main_, WM_COMMAND).empty());
}

TEST_F(ShellDialogTest, WithoutTheDoneButtonTheTaskBarTapDoesNothing) {
  const INT_PTR result = RunWith(SHIDIF_FULLSCREENNOMENUBAR, [&](HWND dialog) {
    EXPECT_EQ(RectOf(dialog).bottom, 320);
    TapAt(kDoneButton);
    Sleep(50);
    Tap(GetDlgItem(dialog, IDCANCEL));
  });
  EXPECT_EQ(result, IDCANCEL);
}

TEST_F(ShellDialogTest, TheDoneButtonComesAndGoesAtTheProgramsWish) {
  const INT_PTR result = RunWith(SHIDIF_DONEBUTTON, [&](HWND dialog) {
    SHDoneButton(dialog, SHDB_HIDE);
    TapAt(kDoneButton);
    Sleep(50);
    SHDoneButton(dialog, SHDB_SHOW);
    TapAt(kDoneButton);
  });
  EXPECT_EQ(result, IDOK);
}

TEST_F(ShellDialogTest, TheInputPanelIsLoweredAndAnEmptyMenuBarMade) {
  SipShowIM(SIPF_ON);
  HWND bar = nullptr;
  RunWith(SHIDIF_SIPDOWN | SHIDIF_EMPTYMENU | SHIDIF_SIZEDLG, [&](HWND dialog) {
    bar = SHFindMenuBar(dialog);
    EXPECT_EQ(RectOf(dialog).bottom, 294);
    Press(VK_ESCAPE);
  });
  EXPECT_FALSE(shell::InputPanelShown());
  EXPECT_NE(bar, nullptr);
  EXPECT_FALSE(IsWindow(bar));  // gone with its dialog
}

TEST_F(ShellDialogTest, SizingLeavesRoomForARaisedInputPanel) {
  RunWith(0, [&](HWND dialog) {
    SipShowIM(SIPF_ON);
    SHINITDLGINFO info;
    info.hDlg = dialog;
    info.dwFlags = SHIDIF_SIZEDLG;
    SHInitDialog(&info);
    EXPECT_EQ(RectOf(dialog).bottom, shell::kInputPanelRect.top);
    SipShowIM(SIPF_OFF);
    Press(VK_ESCAPE);
  });
  SHINITDLGINFO nothing;
  EXPECT_FALSE(SHInitDialog(&nothing));
  EXPECT_FALSE(SHInitDialog(nullptr));
}

}  // namespace
}  // namespace platform
