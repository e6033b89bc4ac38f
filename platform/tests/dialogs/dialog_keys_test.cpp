// Keys in a dialog: Enter clicks the default button, Escape cancels, Tab
// walks the tab stops; a control or the program can keep keys for itself.
#include <vector>

#include "dialog_test_fixture.h"
#include "platform/controls/buttons.h"
#include "platform/message_box.h"

namespace platform {
namespace {

using testing::kFieldWantsKeys;
using testing::kTestButton;
using testing::kTestField;

class DialogKeysTest : public testing::DialogTest {
 protected:
  // Runs the OK/Cancel dialog, recording its commands; ends on the person's
  // last action (a posted WM_CLOSE, which the dialog gets as Cancel).
  std::vector<WPARAM> CommandsWhile(const DialogTemplate& dialog_template,
                                    std::function<void(HWND)> person,
                                    std::function<void(HWND)> init = nullptr) {
    std::vector<WPARAM> commands;
    ShowWhile(
        [&] {
          return DialogBoxIndirect(
              nullptr, &dialog_template, main_,
              [&](HWND dialog, UINT message, WPARAM wparam, LPARAM) -> INT_PTR {
                if (message == WM_INITDIALOG && init) init(dialog);
                if (message != WM_COMMAND) return FALSE;
                commands.push_back(wparam);
                if (LOWORD(wparam) == IDCLOSE) EndDialog(dialog, 0);
                return TRUE;
              });
        },
        [&] {
          HWND dialog = FindWindow(WC_DIALOG, std::nullopt);
          person(dialog);
          PostMessage(dialog, WM_COMMAND, IDCLOSE, 0);
        });
    commands.pop_back();
    return commands;
  }
  static constexpr WORD IDCLOSE = 8;
};

TEST_F(DialogKeysTest, EnterClicksOkAndEscapeCancels) {
  const auto commands = CommandsWhile(OkCancelTemplate(), [](HWND) {
    Press(VK_RETURN);
    Press(VK_ESCAPE);
  });
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(commands[0], MAKEWPARAM(IDOK, BN_CLICKED));
  EXPECT_EQ(commands[1], MAKEWPARAM(IDCANCEL, BN_CLICKED));
}

TEST_F(DialogKeysTest, TheTemplatesDefaultButtonAndDmSetDefIdChooseWhatEnterClicks) {
  DialogTemplate dialog_template = OkCancelTemplate();
  dialog_template.items[2].style |= testing::kDefaultButtonStyle;  // Cancel
  LRESULT before = 0, after = 0;
  const auto commands = CommandsWhile(dialog_template, [&](HWND dialog) {
    before = SendMessage(dialog, DM_GETDEFID, 0, 0);
    Press(VK_RETURN);
    SendMessage(dialog, DM_SETDEFID, IDOK, 0);
    after = SendMessage(dialog, DM_GETDEFID, 0, 0);
    Press(VK_RETURN);
  });
  EXPECT_EQ(before, MAKELONG(IDCANCEL, DC_HASDEFID));
  EXPECT_EQ(after, MAKELONG(IDOK, DC_HASDEFID));
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(LOWORD(commands[0]), IDCANCEL);
  EXPECT_EQ(LOWORD(commands[1]), IDOK);
}

TEST_F(DialogKeysTest, TheProgramsPreTranslationCanSwallowEnter) {
  std::vector<UINT> seen_keys;
  const auto commands = CommandsWhile(
      OkCancelTemplate(),
      [](HWND) {
        Press(VK_RETURN);
        Press(VK_ESCAPE);
      },
      [&](HWND dialog) {
        SetDialogPreTranslateHook(dialog, [&](MSG& msg) {
          if (msg.message == WM_KEYUP) seen_keys.push_back(static_cast<UINT>(msg.wParam));
          return msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN;
        });
      });
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(LOWORD(commands[0]), IDCANCEL);
  EXPECT_EQ(seen_keys, (std::vector<UINT>{VK_RETURN, VK_ESCAPE}));
}

TEST_F(DialogKeysTest, AControlThatWantsTheKeysGetsThemAndAFocusedButtonIsClickedByEnter) {
  DialogTemplate dialog_template = OkCancelTemplate();
  dialog_template.items[0].style |= kFieldWantsKeys;
  std::string typed;
  const auto commands = CommandsWhile(dialog_template, [&](HWND dialog) {
    HWND field = GetDlgItem(dialog, 100);
    EXPECT_EQ(GetFocus(), field);  // the first tab stop
    Press(VK_RETURN);
    typed = GetWindowText(field);
    SetFocus(GetDlgItem(dialog, IDCANCEL));
    Sleep(20);
    Press(VK_RETURN);
  });
  EXPECT_EQ(typed, "snap\r");
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(LOWORD(commands[0]), IDCANCEL);
}

TEST_F(DialogKeysTest, ADisabledDefaultButtonIsNotClicked) {
  const auto commands = CommandsWhile(OkCancelTemplate(), [](HWND dialog) {
    EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
    Press(VK_RETURN);
  });
  EXPECT_TRUE(commands.empty());
}

TEST_F(DialogKeysTest, TabWalksTheTabStopsAndSkipsDisabledOnes) {
  DialogTemplate dialog_template = OkCancelTemplate();
  dialog_template.items.push_back(Item(kTestField, "", 101, 10, 30, 100, 12));
  std::vector<int> focus_ids;
  CommandsWhile(dialog_template, [&](HWND dialog) {
    EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
    for (int i = 0; i < 4; ++i) {
      focus_ids.push_back(GetDlgCtrlID(GetFocus()));
      Press(VK_TAB);
    }
  });
  EXPECT_EQ(focus_ids, (std::vector<int>{100, IDCANCEL, 101, 100}));
}

TEST_F(DialogKeysTest, ShiftTabWalksTheTabStopsBackwards) {
  DialogTemplate dialog_template = OkCancelTemplate();
  dialog_template.items.push_back(Item(kTestField, "", 101, 10, 30, 100, 12));
  std::vector<int> focus_ids;
  CommandsWhile(dialog_template, [&](HWND) {
    input::KeyDown(VK_SHIFT);
    for (int i = 0; i < 4; ++i) {
      Press(VK_TAB);
      focus_ids.push_back(GetDlgCtrlID(GetFocus()));
    }
    input::KeyUp(VK_SHIFT);
    Press(VK_TAB);
    focus_ids.push_back(GetDlgCtrlID(GetFocus()));
  });
  EXPECT_EQ(focus_ids, (std::vector<int>{101, IDCANCEL, IDOK, 100, IDOK}));
}

TEST_F(DialogKeysTest, ArrowsMoveWithinAGroupAndChooseTheRadioButtonTheyReach) {
  DialogTemplate dialog_template = OkCancelTemplate();
  // Two groups of radio buttons: the stream size, then the sound.
  const DWORD radio = WS_VISIBLE | BS_AUTORADIOBUTTON;
  dialog_template.items = {Item("BUTTON", "320x240", 201, 10, 10, 60, 12, radio | WS_GROUP),
                           Item("BUTTON", "160x120", 202, 10, 24, 60, 12, radio),
                           Item("BUTTON", "Off", 203, 80, 10, 60, 12, radio | WS_GROUP),
                           Item("BUTTON", "On", 204, 80, 24, 60, 12, radio),
                           Item(kTestButton, "OK", IDOK, 10, 70, 50, 14, WS_VISIBLE | WS_GROUP)};
  std::vector<int> focus_ids;
  std::vector<UINT> checked;
  CommandsWhile(dialog_template, [&](HWND dialog) {
    SendMessage(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, 201)), TRUE);
    Sleep(20);
    for (UINT key : {VK_DOWN, VK_DOWN, VK_UP}) {
      Press(key);
      focus_ids.push_back(GetDlgCtrlID(GetFocus()));
    }
    for (int id = 201; id <= 204; ++id) checked.push_back(IsDlgButtonChecked(dialog, id));
  });
  // The walk wraps round inside its own group and never reaches the next.
  EXPECT_EQ(focus_ids, (std::vector<int>{202, 201, 202}));
  EXPECT_EQ(checked, (std::vector<UINT>{BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED, BST_UNCHECKED}));
}

TEST_F(DialogKeysTest, AnEditKeepsTheArrowsForItsCaret) {
  DialogTemplate dialog_template = OkCancelTemplate();
  dialog_template.items.insert(dialog_template.items.begin(),
                               Item("EDIT", "snap", 300, 10, 30, 100, 12));
  int focus_id = 0;
  CommandsWhile(dialog_template, [&](HWND dialog) {
    SendMessage(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, 300)), TRUE);
    Sleep(20);
    Press(VK_RIGHT);
    Press(VK_DOWN);
    focus_id = GetDlgCtrlID(GetFocus());
  });
  EXPECT_EQ(focus_id, 300);
}

TEST_F(DialogKeysTest, TypingReachesTheFocusedControl) {
  std::string typed;
  CommandsWhile(OkCancelTemplate(), [&](HWND dialog) {
    input::Char(L's');
    Sleep(20);
    typed = GetDlgItemText(dialog, 100);
  });
  EXPECT_EQ(typed, "snaps");
}

}  // namespace
}  // namespace platform
