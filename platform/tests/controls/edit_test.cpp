#include <gtest/gtest.h>

#include "control_test_fixture.h"

namespace platform::testing {
namespace {

constexpr int kPrefix = 1088;
constexpr int kCounter = 1089;
constexpr int kComment = 1001;

class EditTest : public ControlTest {
 protected:
  HWND MakeEdit(DWORD style, std::string_view text = "", int id = kPrefix, int height = 20) {
    HWND edit = Make("EDIT", text, WS_BORDER | style, 10, 10, 200, height, id);
    SetFocus(edit);
    Pump();
    return edit;
  }
  static std::pair<DWORD, DWORD> Selection(HWND edit) {
    DWORD start = 99, end = 99;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }
};

TEST_F(EditTest, TypedTextArrivesWithUpdateThenChangeForEachCharacter) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL);
  ClearReceived();
  Type("snap");
  EXPECT_EQ(Text(edit), "snap");
  const std::vector<WORD> codes = Notifications(kPrefix);
  ASSERT_EQ(codes.size(), 8u);
  EXPECT_EQ(codes[0], EN_UPDATE);
  EXPECT_EQ(codes[1], EN_CHANGE);
  EXPECT_EQ(SendMessage(edit, EM_GETMODIFY, 0, 0), TRUE);
}

TEST_F(EditTest, KeysTypedThroughTheMessageLoopBecomeCharacters) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL);
  Key('7');
  Key(VK_SPACE);
  EXPECT_EQ(Text(edit), "7 ");
}

TEST_F(EditTest, DigitsOnlyEditRefusesALetterWithABeep) {
  HWND edit = MakeEdit(ES_NUMBER, "", kCounter);
  ClearReceived();
  Type("12a3");
  EXPECT_EQ(Text(edit), "123");
  EXPECT_EQ(Beeps(), 1u);
  EXPECT_EQ(CountOf(kCounter, EN_CHANGE), 3);
}

TEST_F(EditTest, LimitOfFifteenRefusesTheSixteenthCharacter) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL);
  SendMessage(edit, EM_LIMITTEXT, 15, 0);
  EXPECT_EQ(SendMessage(edit, EM_GETLIMITTEXT, 0, 0), 15);
  Type("abcdefghijklmno");
  ClearReceived();
  Type("p");
  EXPECT_EQ(Text(edit), "abcdefghijklmno");
  EXPECT_EQ(Notifications(kPrefix), std::vector<WORD>{EN_MAXTEXT});
  // Replacing a selection stays possible at the limit.
  SendMessage(edit, EM_SETSEL, 0, 1);
  Type("Z");
  EXPECT_EQ(Text(edit), "Zbcdefghijklmno");
}

TEST_F(EditTest, ReplaceSelectionIsCutToTheLimit) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL, "ab");
  SendMessage(edit, EM_SETLIMITTEXT, 4, 0);
  SendMessage(edit, EM_SETSEL, 2, 2);
  SendMessage(edit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("cdef"));
  EXPECT_EQ(Text(edit), "abcd");
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{4}, DWORD{4}));
}

TEST_F(EditTest, ReadOnlyEditRefusesTypingAndDeleting) {
  HWND edit = MakeEdit(ES_READONLY, "\\My Documents\\");
  SendMessage(edit, EM_SETSEL, 3, 3);
  ClearReceived();
  Type("x");
  Key(VK_DELETE);
  input::Char(8);
  Pump();
  EXPECT_EQ(Text(edit), "\\My Documents\\");
  EXPECT_TRUE(Notifications(kPrefix).empty());
  SendMessage(edit, EM_SETREADONLY, FALSE, 0);
  Type("x");
  EXPECT_EQ(Text(edit), "\\Myx Documents\\");
}

TEST_F(EditTest, BackspaceDeleteAndArrowsEditAroundTheCaret) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL, "abcd");
  SendMessage(edit, EM_SETSEL, 4, 4);
  input::Char(8);  // Backspace
  Pump();
  EXPECT_EQ(Text(edit), "abc");
  Key(VK_LEFT);
  Key(VK_LEFT);
  Key(VK_DELETE);
  EXPECT_EQ(Text(edit), "ac");
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{1}, DWORD{1}));
  Key(VK_HOME);
  Type("<");
  Key(VK_END);
  Type(">");
  EXPECT_EQ(Text(edit), "<ac>");
}

TEST_F(EditTest, BackspaceRemovesAWholeCharacterOfUtf8Text) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL, "caf\xC3\xA9");
  EXPECT_EQ(SendMessage(edit, WM_GETTEXTLENGTH, 0, 0), 5);
  SendMessage(edit, EM_SETSEL, 4, 4);
  input::Char(8);
  Pump();
  EXPECT_EQ(Text(edit), "caf");
  input::Char(L'\u00fc');
  Pump();
  EXPECT_EQ(Text(edit), "caf\xC3\xBC");
}

TEST_F(EditTest, SelectAllThenMinusOneLeavesTheCaretAtTheEnd) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL, "1234");
  SendMessage(edit, EM_SETSEL, 0, -1);
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{4}));
  SendMessage(edit, EM_SETSEL, static_cast<WPARAM>(-1), -1);
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{4}, DWORD{4}));
  Type("5");
  EXPECT_EQ(Text(edit), "12345");
}

TEST_F(EditTest, SetSelectionAtTheLengthPutsTheCaretAtTheEnd) {
  HWND edit = MakeEdit(ES_NUMBER, "", kCounter);
  // What a page does after putting a previous value back.
  SetWindowText(edit, "9999");
  const int length = GetWindowTextLength(edit);
  SendMessage(edit, EM_SETSEL, length, length);
  const LRESULT packed = SendMessage(edit, EM_GETSEL, 0, 0);
  EXPECT_EQ(LOWORD(packed), 4);
  EXPECT_EQ(HIWORD(packed), 4);
  Type("1");
  EXPECT_EQ(Text(edit), "99991");
}

TEST_F(EditTest, SettingTheTextReportsAChangeAndPutsTheCaretFirst) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL, "old");
  ClearReceived();
  SetWindowText(edit, "new");
  EXPECT_EQ(Notifications(kPrefix), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{0}));
  EXPECT_EQ(SendMessage(edit, EM_GETMODIFY, 0, 0), FALSE);
  char buffer[3];
  EXPECT_EQ(GetWindowText(edit, buffer, 3), 2);
  EXPECT_STREQ(buffer, "ne");
}

TEST_F(EditTest, TapPlacesTheCaretAndDragSelects) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL, "abcdef");
  Tap(edit, 150, 9);  // right of the text
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{6}, DWORD{6}));
  Tap(edit, 0, 9);
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{0}));
  Press(edit, 0, 9);
  MoveTo(edit, 150, 9);
  Lift(edit, 150, 9);
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{6}));
  Type("x");
  EXPECT_EQ(Text(edit), "x");
}

TEST_F(EditTest, TapGivesTheFocusWithFocusNotifications) {
  HWND first = Make("EDIT", "", WS_BORDER, 10, 10, 100, 20, 1);
  HWND second = Make("EDIT", "", WS_BORDER, 10, 40, 100, 20, 2);
  Tap(first, 5, 5);
  ClearReceived();
  Tap(second, 5, 5);
  EXPECT_EQ(GetFocus(), second);
  EXPECT_EQ(Notifications(1), std::vector<WORD>{EN_KILLFOCUS});
  EXPECT_EQ(Notifications(2), std::vector<WORD>{EN_SETFOCUS});
}

TEST_F(EditTest, CaretIsDrawnOnlyWithTheFocus) {
  HWND edit = Make("EDIT", "", WS_BORDER, 10, 10, 100, 20, 1);
  EXPECT_FALSE(HasInk(edit, RECT{0, 0, 6, 18}));
  SetFocus(edit);
  EXPECT_TRUE(HasInk(edit, RECT{0, 0, 6, 18}));
}

TEST_F(EditTest, SingleLineEditIgnoresEnter) {
  HWND edit = MakeEdit(ES_AUTOHSCROLL, "a");
  SendMessage(edit, EM_SETSEL, 1, 1);
  Key(VK_RETURN);
  EXPECT_EQ(Text(edit), "a");
}

TEST_F(EditTest, MultiLineEditMakesNewLinesOnEnter) {
  HWND edit =
      MakeEdit(ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL, "", kComment, 120);
  Type("one");
  Key(VK_RETURN);
  Type("two");
  EXPECT_EQ(Text(edit), "one\r\ntwo");
  EXPECT_EQ(SendMessage(edit, EM_GETLINECOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessage(edit, EM_LINEINDEX, 1, 0), 5);
  EXPECT_EQ(SendMessage(edit, EM_LINELENGTH, 5, 0), 3);
  // Backspace at a line's start joins the lines again.
  SendMessage(edit, EM_SETSEL, 5, 5);
  input::Char(8);
  Pump();
  EXPECT_EQ(Text(edit), "onetwo");
  EXPECT_TRUE(SendMessage(edit, WM_GETDLGCODE, 0, 0) & 0x0004);  // wants every key
}

TEST_F(EditTest, MultiLineEditWrapsLongTextAtWords) {
  HWND edit = MakeEdit(ES_MULTILINE | ES_AUTOVSCROLL, "", kComment, 120);
  Type("the quick brown fox jumps over the lazy dog and runs far away");
  EXPECT_GT(SendMessage(edit, EM_GETLINECOUNT, 0, 0), 1);
  // Every line after the first begins with a word, never inside one.
  const std::string text = Text(edit);
  const LRESULT second = SendMessage(edit, EM_LINEINDEX, 1, 0);
  ASSERT_GT(second, 0);
  EXPECT_EQ(text[static_cast<std::size_t>(second) - 1], ' ');
}

TEST_F(EditTest, UpAndDownMoveBetweenLines) {
  HWND edit = MakeEdit(ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, "abc\r\ndef", kComment, 120);
  SendMessage(edit, EM_SETSEL, 1, 1);
  Key(VK_DOWN);
  EXPECT_EQ(SendMessage(edit, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 1);
  Key(VK_UP);
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{1}, DWORD{1}));
}

TEST_F(EditTest, AutomaticVerticalScrollFollowsTheCaret) {
  HWND edit =
      MakeEdit(ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL, "", kComment, 60);
  for (int line = 0; line < 10; ++line) {
    Type("line");
    Key(VK_RETURN);
  }
  EXPECT_EQ(SendMessage(edit, EM_GETLINECOUNT, 0, 0), 11);
  const LRESULT first = SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
  EXPECT_GT(first, 5);
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(edit, SB_VERT, &info));
  EXPECT_EQ(info.nMax, 10);
  EXPECT_EQ(info.nPos, first);
  // Scrolling back to the top and on to the caret.
  SendMessage(edit, EM_LINESCROLL, 0, -100);
  EXPECT_EQ(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  SendMessage(edit, EM_SCROLLCARET, 0, 0);
  EXPECT_EQ(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), first);
}

TEST_F(EditTest, WithoutAutomaticScrollTypingStopsWhenTheLinesAreFull) {
  HWND edit = MakeEdit(ES_MULTILINE | ES_WANTRETURN, "", kComment, 40);
  for (int line = 0; line < 6; ++line) {
    Type("x");
    Key(VK_RETURN);
  }
  const LRESULT lines = SendMessage(edit, EM_GETLINECOUNT, 0, 0);
  EXPECT_LT(lines, 6);
  EXPECT_EQ(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  EXPECT_GT(Beeps(), 0u);
}

TEST_F(EditTest, TapOnTheScrollBarScrollsTheLines) {
  std::string text;
  for (int line = 0; line < 12; ++line) text += "line\r\n";
  HWND edit = MakeEdit(ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, text, kComment, 62);
  ASSERT_EQ(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  RECT client;
  GetClientRect(edit, &client);
  // The down arrow at the bottom of the bar on the right.
  Tap(edit, client.right - 5, client.bottom - 4);
  EXPECT_EQ(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 1);
  EXPECT_EQ(GetScrollPos(edit, SB_VERT), 1);
  // The caret stayed where it was.
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{0}));
}

TEST_F(EditTest, ParentColoursTheEdit) {
  HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
  RegisterRecordingClass("YellowParent",
                         [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
                           if (message != WM_CTLCOLOREDIT) return std::nullopt;
                           return reinterpret_cast<LRESULT>(yellow);
                         });
  HWND owner = CreateWindow("YellowParent", "", WS_VISIBLE, 0, 26, 240, 268, nullptr, nullptr,
                            nullptr, nullptr);
  HWND edit = Make("EDIT", "", 0, 10, 10, 100, 20, 1, owner);
  EXPECT_EQ(ScreenPixel(edit, 50, 10), RGB(255, 255, 0));
  DestroyWindow(owner);
  DeleteObject(yellow);
}

}  // namespace
}  // namespace platform::testing
