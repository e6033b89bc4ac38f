// A dialog's controls by id: texts, numbers and check marks.
#include "dialog_test_fixture.h"

namespace platform {
namespace {

using testing::kTestButton;

class DialogItemsTest : public testing::DialogTest {
 protected:
  void SetUp() override {
    DialogTemplate dialog_template = OkCancelTemplate();
    dialog_template.style |= WS_VISIBLE;
    for (UINT id = 1001; id <= 1004; ++id) {
      dialog_template.items.push_back(Item(kTestButton, "radio", id, 10, 20 + 10 * (id - 1001), 50,
                                           10, WS_VISIBLE | (id == 1001 ? WS_GROUP : 0)));
    }
    dialog_template.items.push_back(
        Item(kTestButton, "after", 1005, 10, 60, 50, 10, WS_VISIBLE | WS_GROUP));
    dialog_ = CreateDialogIndirect(nullptr, &dialog_template, main_,
                                   [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; });
    ASSERT_NE(dialog_, nullptr);
  }
  void TearDown() override { DestroyWindow(dialog_); }
  HWND dialog_ = nullptr;
};

TEST_F(DialogItemsTest, NumbersInAndOut) {
  BOOL translated = FALSE;
  ASSERT_TRUE(SetDlgItemInt(dialog_, 100, 9999, FALSE));
  EXPECT_EQ(GetDlgItemText(dialog_, 100), "9999");
  EXPECT_EQ(GetDlgItemInt(dialog_, 100, &translated, FALSE), 9999u);
  EXPECT_TRUE(translated);
  SetDlgItemInt(dialog_, 100, static_cast<UINT>(-12), TRUE);
  EXPECT_EQ(GetDlgItemText(dialog_, 100), "-12");
  EXPECT_EQ(static_cast<int>(GetDlgItemInt(dialog_, 100, &translated, TRUE)), -12);
  EXPECT_TRUE(translated);
  // Not a number for an unsigned reading.
  EXPECT_EQ(GetDlgItemInt(dialog_, 100, &translated, FALSE), 0u);
  EXPECT_FALSE(translated);
  for (const char* text : {"", "12a", "abc", "99999999999", " "}) {
    SetDlgItemText(dialog_, 100, text);
    translated = TRUE;
    EXPECT_EQ(GetDlgItemInt(dialog_, 100, &translated, FALSE), 0u) << text;
    EXPECT_FALSE(translated) << text;
  }
  SetDlgItemText(dialog_, 100, " 42 ");
  EXPECT_EQ(GetDlgItemInt(dialog_, 100, &translated, FALSE), 42u);
  EXPECT_TRUE(translated);
  // No such control.
  EXPECT_EQ(GetDlgItemInt(dialog_, 555, &translated, FALSE), 0u);
  EXPECT_FALSE(translated);
  EXPECT_FALSE(SetDlgItemText(dialog_, 555, "x"));
}

TEST_F(DialogItemsTest, TextsAreCutToTheBuffer) {
  SetDlgItemText(dialog_, 100, "\\My Documents\\My Pictures\\");
  char buffer[6];
  EXPECT_EQ(GetDlgItemText(dialog_, 100, buffer, sizeof buffer), 5u);
  EXPECT_STREQ(buffer, "\\My D");
  EXPECT_EQ(GetDlgItemText(dialog_, 555, buffer, sizeof buffer), 0u);
  EXPECT_STREQ(buffer, "");
}

TEST_F(DialogItemsTest, RadioButtonsOfARangeAreCheckedOneAtATime) {
  ASSERT_TRUE(CheckRadioButton(dialog_, 1001, 1002, 1002));
  EXPECT_EQ(IsDlgButtonChecked(dialog_, 1001), BST_UNCHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, 1002), BST_CHECKED);
  CheckDlgButton(dialog_, 1003, BST_CHECKED);
  CheckRadioButton(dialog_, 1003, 1004, 1004);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, 1003), BST_UNCHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, 1004), BST_CHECKED);
  // The first range is left alone.
  EXPECT_EQ(IsDlgButtonChecked(dialog_, 1002), BST_CHECKED);
  EXPECT_FALSE(CheckRadioButton(dialog_, 1004, 1003, 1003));
  EXPECT_FALSE(CheckDlgButton(dialog_, 555, BST_CHECKED));
}

TEST_F(DialogItemsTest, GroupsRunFromOneGroupStyleToTheNext) {
  HWND first = GetDlgItem(dialog_, 1001);
  EXPECT_EQ(GetNextDlgGroupItem(dialog_, first, FALSE), GetDlgItem(dialog_, 1002));
  EXPECT_EQ(GetNextDlgGroupItem(dialog_, first, TRUE), GetDlgItem(dialog_, 1004));
  EXPECT_EQ(GetNextDlgGroupItem(dialog_, GetDlgItem(dialog_, 1004), FALSE), first);
  EXPECT_EQ(GetNextDlgGroupItem(dialog_, GetDlgItem(dialog_, 1005), FALSE),
            GetDlgItem(dialog_, 1005));
}

TEST_F(DialogItemsTest, SendingToAControlById) {
  CheckDlgButton(dialog_, 1002, BST_CHECKED);
  EXPECT_EQ(SendDlgItemMessage(dialog_, 1002, 0x00F0, 0, 0), 1);
  EXPECT_EQ(SendDlgItemMessage(dialog_, 555, 0x00F0, 0, 0), 0);
}

}  // namespace
}  // namespace platform
