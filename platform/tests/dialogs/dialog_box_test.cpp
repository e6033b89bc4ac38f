// Modal dialogs from templates: built with their controls, initialised with
// the caller's value, ended with a result, owner disabled meanwhile.
#include "dialog_test_fixture.h"
#include "platform/last_error.h"
#include "platform/message_box.h"

namespace platform {
namespace {

using testing::kTestButton;
using testing::kTestField;

class DialogBoxTest : public testing::DialogTest {};

// Records what the procedure saw and ends on OK or Cancel.
struct Seen {
  LPARAM init_param = 0;
  HWND dialog = nullptr;
  int commands = 0;
};

DLGPROC EndingProcedure(Seen& seen) {
  return [&seen](HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) -> INT_PTR {
    if (message == WM_INITDIALOG) {
      seen.init_param = lparam;
      seen.dialog = dialog;
      return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
      ++seen.commands;
      EndDialog(dialog, LOWORD(wparam) == IDOK ? 42 : 7);
      return TRUE;
    }
    return FALSE;
  };
}

TEST_F(DialogBoxTest, ATemplateFromAModuleBecomesADialogThatATapOnOkEnds) {
  auto resources = std::make_shared<ModuleResources>();
  resources->AddDialog(193, OkCancelTemplate());
  HINSTANCE module = InstallModule(resources);
  ASSERT_NE(module, nullptr);
  Seen seen;
  bool owner_disabled = false;
  RECT field_rect{}, dialog_rect{};
  std::string caption, field_text;
  const INT_PTR result =
      ShowWhile([&] { return DialogBoxParam(module, 193, main_, EndingProcedure(seen), 0x1234); },
                [&] {
                  HWND dialog = FindWindow(WC_DIALOG, std::nullopt);
                  owner_disabled = !IsWindowEnabled(main_);
                  caption = GetWindowText(dialog);
                  field_text = GetDlgItemText(dialog, 100);
                  GetWindowRect(GetDlgItem(dialog, 100), &field_rect);
                  GetWindowRect(dialog, &dialog_rect);
                  Tap(GetDlgItem(dialog, IDOK));
                });
  EXPECT_EQ(result, 42);
  EXPECT_EQ(seen.init_param, 0x1234);
  EXPECT_EQ(seen.commands, 1);
  EXPECT_TRUE(owner_disabled);
  EXPECT_TRUE(IsWindowEnabled(main_));
  EXPECT_FALSE(IsWindow(seen.dialog));
  EXPECT_EQ(GetActiveWindow(), main_);
  EXPECT_EQ(caption, "Settings");
  EXPECT_EQ(field_text, "snap");
  // Dialog units: 6 / 4 pixels across, 13 / 8 down; the dialog sits in
  // the work area below the task bar, its client area inside the border.
  EXPECT_EQ(dialog_rect.top, 26);
  EXPECT_EQ(dialog_rect.right - dialog_rect.left, 240);
  EXPECT_EQ(field_rect.left - dialog_rect.left - 1, 15);
  EXPECT_EQ(field_rect.top - dialog_rect.top - 1, 16);
  EXPECT_EQ(field_rect.right - field_rect.left, 150);
  EXPECT_EQ(field_rect.bottom - field_rect.top, 20);
}

TEST_F(DialogBoxTest, CancelGivesItsOwnResult) {
  DialogTemplate dialog_template = OkCancelTemplate();
  Seen seen;
  const INT_PTR result = ShowWhile(
      [&] {
        return DialogBoxIndirectParam(nullptr, &dialog_template, main_, EndingProcedure(seen), 0);
      },
      [&] { Tap(GetDlgItem(FindWindow(WC_DIALOG, std::nullopt), IDCANCEL)); });
  EXPECT_EQ(result, 7);
}

TEST_F(DialogBoxTest, AMissingTemplateOrControlClassFailsWithMinusOne) {
  auto resources = std::make_shared<ModuleResources>();
  DialogTemplate broken = OkCancelTemplate();
  broken.items.push_back(Item("NoSuchControl", "", 300, 0, 0, 10, 10));
  resources->AddDialog(194, broken);
  HINSTANCE module = InstallModule(resources);
  bool called = false;
  auto procedure = [&](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR {
    called = called || message == WM_INITDIALOG;
    return FALSE;
  };
  EXPECT_EQ(DialogBox(module, 195, main_, procedure), -1);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
  EXPECT_EQ(DialogBox(module, 194, main_, procedure), -1);
  EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
  EXPECT_EQ(DialogBoxIndirect(module, nullptr, main_, procedure), -1);
  EXPECT_FALSE(called);
  // Nothing is left behind and the owner still works.
  EXPECT_EQ(FindWindow(WC_DIALOG, std::nullopt), nullptr);
  EXPECT_TRUE(IsWindowEnabled(main_));
}

TEST_F(DialogBoxTest, EndingDuringInitialisationReturnsAtOnce) {
  DialogTemplate dialog_template = OkCancelTemplate();
  bool shown = false;
  const INT_PTR result = DialogBoxIndirect(
      nullptr, &dialog_template, main_, [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) EndDialog(dialog, 3);
        if (message == WM_SHOWWINDOW) shown = true;
        return FALSE;
      });
  EXPECT_EQ(result, 3);
  EXPECT_FALSE(shown);
}

TEST_F(DialogBoxTest, ClosingTheDialogIsCancel) {
  DialogTemplate dialog_template = OkCancelTemplate();
  Seen seen;
  const INT_PTR result = ShowWhile(
      [&] { return DialogBoxIndirect(nullptr, &dialog_template, main_, EndingProcedure(seen)); },
      [&] { PostMessage(FindWindow(WC_DIALOG, std::nullopt), WM_CLOSE, 0, 0); });
  EXPECT_EQ(result, 7);
}

TEST_F(DialogBoxTest, AHandledMessageAnswersWithTheResultSlotAndColourMessagesDirectly) {
  DialogTemplate dialog_template = OkCancelTemplate();
  constexpr UINT kAsk = WM_USER + 50;
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  LRESULT asked = 0, colour = 0, unhandled = 0;
  ShowWhile(
      [&] {
        return DialogBoxIndirect(nullptr, &dialog_template, main_,
                                 [&](HWND dialog, UINT message, WPARAM wparam, LPARAM) -> INT_PTR {
                                   if (message == kAsk) {
                                     SetWindowLong(dialog, DWL_MSGRESULT, 99);
                                     return TRUE;
                                   }
                                   if (message == WM_CTLCOLORSTATIC)
                                     return reinterpret_cast<INT_PTR>(blue);
                                   if (message == WM_COMMAND && LOWORD(wparam) == IDOK)
                                     EndDialog(dialog, IDOK);
                                   return FALSE;
                                 });
      },
      [&] {
        HWND dialog = FindWindow(WC_DIALOG, std::nullopt);
        asked = SendMessage(dialog, kAsk, 0, 0);
        // A control asks its parent for its colours.
        colour = SendMessage(dialog, WM_CTLCOLORSTATIC, 0,
                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, 100)));
        unhandled = SendMessage(dialog, kAsk + 1, 0, 0);
        Tap(GetDlgItem(dialog, IDOK));
      });
  EXPECT_EQ(asked, 99);
  EXPECT_EQ(colour, reinterpret_cast<LRESULT>(blue));
  EXPECT_EQ(unhandled, 0);
  DeleteObject(blue);
}

TEST_F(DialogBoxTest, TheDialogColourMessageFillsTheBackground) {
  DialogTemplate dialog_template = OkCancelTemplate();
  HBRUSH green = CreateSolidBrush(RGB(0, 0, 255));
  COLORREF corner = 0;
  ShowWhile(
      [&] {
        return DialogBoxIndirect(nullptr, &dialog_template, main_,
                                 [&](HWND dialog, UINT message, WPARAM wparam, LPARAM) -> INT_PTR {
                                   if (message == WM_CTLCOLORDLG)
                                     return reinterpret_cast<INT_PTR>(green);
                                   if (message == WM_COMMAND && LOWORD(wparam) == IDCANCEL)
                                     EndDialog(dialog, 0);
                                   return FALSE;
                                 });
      },
      [&] {
        HWND dialog = FindWindow(WC_DIALOG, std::nullopt);
        HDC dc = GetDC(dialog);
        corner = GetPixel(dc, 200, 100);
        ReleaseDC(dialog, dc);
        Press(VK_ESCAPE);
      });
  EXPECT_EQ(corner, RGB(0, 0, 255));
  DeleteObject(green);
}

TEST_F(DialogBoxTest, ADialogOpenedFromADialogReturnsToIt) {
  DialogTemplate dialog_template = OkCancelTemplate();
  INT_PTR inner_result = 0;
  const INT_PTR outer_result = ShowWhile(
      [&] {
        return DialogBoxIndirect(
            nullptr, &dialog_template, main_,
            [&](HWND dialog, UINT message, WPARAM wparam, LPARAM) -> INT_PTR {
              if (message != WM_COMMAND) return FALSE;
              if (LOWORD(wparam) == IDOK) {
                inner_result = DialogBoxIndirect(
                    nullptr, &dialog_template, dialog,
                    [](HWND inner, UINT inner_message, WPARAM inner_wparam, LPARAM) -> INT_PTR {
                      if (inner_message == WM_COMMAND) EndDialog(inner, LOWORD(inner_wparam) + 10);
                      return inner_message == WM_COMMAND;
                    });
              } else {
                EndDialog(dialog, LOWORD(wparam));
              }
              return TRUE;
            });
      },
      [&] {
        HWND outer = FindWindow(WC_DIALOG, std::nullopt);
        Tap(GetDlgItem(outer, IDOK));
        Sleep(50);
        // The inner dialog is on top and the outer one disabled.
        HWND inner = FindWindow(WC_DIALOG, std::nullopt);
        EXPECT_NE(inner, outer);
        EXPECT_FALSE(IsWindowEnabled(outer));
        Tap(GetDlgItem(inner, IDCANCEL));
        Sleep(50);
        EXPECT_TRUE(IsWindowEnabled(outer));
        Tap(GetDlgItem(outer, IDCANCEL));
      });
  EXPECT_EQ(inner_result, IDCANCEL + 10);
  EXPECT_EQ(outer_result, IDCANCEL);
}

TEST_F(DialogBoxTest, QuittingEndsTheDialogAndTheQuitReachesTheOuterLoop) {
  DialogTemplate dialog_template = OkCancelTemplate();
  HWND dialog = nullptr;
  const INT_PTR result = DialogBoxIndirect(nullptr, &dialog_template, main_,
                                           [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> INT_PTR {
                                             if (message == WM_INITDIALOG) {
                                               dialog = hwnd;
                                               PostQuitMessage(5);
                                             }
                                             return FALSE;
                                           });
  EXPECT_EQ(result, 0);
  EXPECT_FALSE(IsWindow(dialog));
  MSG msg;
  ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 5u);
}

}  // namespace
}  // namespace platform
