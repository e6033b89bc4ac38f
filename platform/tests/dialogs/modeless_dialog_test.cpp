// Modeless dialogs beside the program's own message loop.
#include "dialog_test_fixture.h"
#include "platform/message_box.h"

namespace platform {
namespace {

class ModelessDialogTest : public testing::DialogTest {};

TEST_F(ModelessDialogTest, TheProgramsLoopPassesMessagesThroughIsDialogMessage) {
  DialogTemplate dialog_template = OkCancelTemplate();
  dialog_template.style |= WS_VISIBLE;
  int oks = 0;
  HWND dialog = CreateDialogIndirectParam(
      nullptr, &dialog_template, main_,
      [&](HWND hwnd, UINT message, WPARAM wparam, LPARAM) -> INT_PTR {
        if (message == WM_COMMAND && LOWORD(wparam) == IDOK) ++oks;
        if (message == WM_COMMAND && LOWORD(wparam) == IDCANCEL) DestroyWindow(hwnd);
        return message == WM_COMMAND;
      },
      0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(GetActiveWindow(), dialog);
  // The owner stays usable.
  EXPECT_TRUE(IsWindowEnabled(main_));
  ThreadHandle person = CreateThread([&]() -> DWORD {
    Sleep(100);
    Press(VK_RETURN);
    Tap(GetDlgItem(dialog, IDOK));
    Press(VK_ESCAPE);
    return 0;
  });
  MSG msg;
  while (IsWindow(dialog) && GetMessage(&msg, nullptr, 0, 0) > 0) {
    if (!IsDialogMessage(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  WaitForSingleObject(*person, INFINITE);
  EXPECT_EQ(oks, 2);
  EXPECT_FALSE(IsWindow(dialog));
  // A message for another window is not the dialog's.
  MSG other{main_, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_FALSE(IsDialogMessage(dialog, &other));
}

TEST_F(ModelessDialogTest, EndDialogHidesAModelessDialogAndFailsForOtherWindows) {
  DialogTemplate dialog_template = OkCancelTemplate();
  dialog_template.style |= WS_VISIBLE;
  HWND dialog = CreateDialogIndirect(nullptr, &dialog_template, main_,
                                     [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; });
  ASSERT_TRUE(IsWindowVisible(dialog));
  EXPECT_TRUE(EndDialog(dialog, 1));
  EXPECT_FALSE(IsWindowVisible(dialog));
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_FALSE(EndDialog(main_, 1));
  DestroyWindow(dialog);
}

TEST_F(ModelessDialogTest, AChildDialogLivesInItsParentsClientArea) {
  DialogTemplate page = OkCancelTemplate();
  page.style = WS_CHILD | WS_VISIBLE;
  page.x = 4;
  page.y = 8;
  HWND dialog = CreateDialogIndirect(nullptr, &page, main_,
                                     [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return TRUE; });
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetParent(dialog), main_);
  RECT rect;
  GetWindowRect(dialog, &rect);
  EXPECT_EQ(rect.left, 6);
  EXPECT_EQ(rect.top, 26 + 13);
}

}  // namespace
}  // namespace platform
