// Menus as data: items with ids, separators, check marks, greyed items and
// sub-menus, changed at run time and loaded from module resources.
#include "dialogs/dialog_test_fixture.h"
#include "menu_templates.h"
#include "platform/last_error.h"
#include "platform/menus.h"

namespace platform {
namespace {

class MenuApiTest : public testing::DialogTest {
 protected:
  // File (Play, Menu..., About..., separator, Exit) and Mode (Still checked,
  // Video), as the camera's menu resource.
  static MenuTemplate CameraMenu() {
    using testing::Command;
    return MenuTemplate{
        {testing::Popup(
             "File", 40001,
             {Command("Play", 32830), Command("Menu...", 32771), Command("About...", 32829),
              testing::Separator(), Command("E&xit", 32827)}),
         testing::Popup("Mode", 0,
                        {Command("Still", 32839, false, true), Command("Video", 32837, true)})}};
  }
};

TEST_F(MenuApiTest, AMenuResourceBecomesAMenuWithItsSubMenus) {
  auto resources = std::make_shared<ModuleResources>();
  resources->AddMenu(348, CameraMenu());
  HINSTANCE module = InstallModule(resources);
  HMENU menu = LoadMenu(module, 348);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuItemCount(menu), 2);
  HMENU file = GetSubMenu(menu, 0);
  HMENU mode = GetSubMenu(menu, 1);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(GetMenuItemCount(file), 5);
  EXPECT_EQ(GetMenuItemID(file, 1), 32771u);
  EXPECT_EQ(GetMenuState(file, 3, MF_BYPOSITION) & MF_SEPARATOR, MF_SEPARATOR);
  EXPECT_EQ(GetMenuString(file, 32827, MF_BYCOMMAND), "E&xit");
  EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(-1));  // a sub-menu
  // By command the sub-menus are searched.
  EXPECT_EQ(GetMenuState(menu, 32839, MF_BYCOMMAND), MF_CHECKED);
  EXPECT_EQ(GetMenuState(mode, 32837, MF_BYCOMMAND), MF_GRAYED);
  EXPECT_EQ(GetMenuState(menu, 12345, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_TRUE(DestroyMenu(menu));
  // The sub-menus went with it.
  EXPECT_FALSE(IsMenu(file));
  EXPECT_FALSE(IsMenu(mode));
  EXPECT_FALSE(DestroyMenu(menu));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);

  EXPECT_EQ(LoadMenu(module, 349), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
}

TEST_F(MenuApiTest, CheckAndEnableReportTheStateBefore) {
  const MenuTemplate camera = CameraMenu();
  HMENU menu = LoadMenuIndirect(&camera);
  EXPECT_EQ(CheckMenuItem(menu, 32837, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
  EXPECT_EQ(CheckMenuItem(menu, 32839, MF_BYCOMMAND | MF_UNCHECKED), MF_CHECKED);
  EXPECT_EQ(GetMenuState(menu, 32837, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
  EXPECT_EQ(GetMenuState(menu, 32839, MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_EQ(CheckMenuItem(menu, 99, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(-1));

  EXPECT_EQ(EnableMenuItem(menu, 32830, MF_BYCOMMAND | MF_GRAYED), static_cast<BOOL>(MF_ENABLED));
  EXPECT_EQ(EnableMenuItem(menu, 32830, MF_BYCOMMAND | MF_ENABLED), static_cast<BOOL>(MF_GRAYED));
  EXPECT_EQ(EnableMenuItem(menu, 99, MF_BYCOMMAND | MF_GRAYED), -1);

  ASSERT_TRUE(CheckMenuRadioItem(menu, 32837, 32839, 32839, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuState(menu, 32837, MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_EQ(GetMenuState(menu, 32839, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
  DestroyMenu(menu);
}

TEST_F(MenuApiTest, ItemsAreAppendedInsertedAndTakenOutAtRunTime) {
  HMENU tools = CreatePopupMenu();
  ASSERT_TRUE(AppendMenu(tools, MF_STRING, 1300, "Mail"));
  ASSERT_TRUE(AppendMenu(tools, MF_STRING, 1301, "Printer"));
  ASSERT_TRUE(InsertMenu(tools, 1301, MF_BYCOMMAND | MF_STRING, 1302, "Fax"));
  ASSERT_TRUE(InsertMenu(tools, 0, MF_BYPOSITION | MF_SEPARATOR, 0, ""));
  ASSERT_EQ(GetMenuItemCount(tools), 4);
  EXPECT_EQ(GetMenuItemID(tools, 1), 1300u);
  EXPECT_EQ(GetMenuItemID(tools, 2), 1302u);
  EXPECT_EQ(GetMenuItemID(tools, 3), 1301u);
  // Removing the first two items by position, as the gallery does.
  ASSERT_TRUE(RemoveMenu(tools, 0, MF_BYPOSITION));
  ASSERT_TRUE(RemoveMenu(tools, 0, MF_BYPOSITION));
  EXPECT_EQ(GetMenuItemID(tools, 0), 1302u);
  EXPECT_FALSE(RemoveMenu(tools, 1300, MF_BYCOMMAND));
  EXPECT_EQ(GetLastError(), ERROR_MENU_ITEM_NOT_FOUND);

  HMENU more = CreatePopupMenu();
  AppendMenu(more, MF_STRING, 1400, "Beam");
  ASSERT_TRUE(AppendMenu(tools, MF_POPUP, reinterpret_cast<UINT_PTR>(more), "More"));
  // A sub-menu that does not exist cannot be added.
  EXPECT_FALSE(AppendMenu(tools, MF_POPUP, 0x7777, "Broken"));
  // Removing keeps the sub-menu, deleting destroys it.
  HMENU kept = CreatePopupMenu();
  AppendMenu(tools, MF_POPUP, reinterpret_cast<UINT_PTR>(kept), "Kept");
  ASSERT_TRUE(RemoveMenu(tools, 3, MF_BYPOSITION));
  EXPECT_TRUE(IsMenu(kept));
  ASSERT_TRUE(DeleteMenu(tools, 2, MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(more));
  EXPECT_EQ(GetMenuItemCount(tools), 2);
  ASSERT_TRUE(ModifyMenu(tools, 1302, MF_BYCOMMAND | MF_STRING, 1303, "Fax again"));
  EXPECT_EQ(GetMenuString(tools, 1303, MF_BYCOMMAND), "Fax again");
  DestroyMenu(kept);
  DestroyMenu(tools);
}

TEST_F(MenuApiTest, ItemInformationTellsTextItemsFromSeparators) {
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING | MF_CHECKED, 1300, "Send to PC");
  AppendMenu(menu, MF_SEPARATOR, 0, "");
  char text[8];
  MENUITEMINFO info;
  info.fMask = MIIM_TYPE | MIIM_STATE | MIIM_ID;
  info.dwTypeData = text;
  info.cch = sizeof text;
  ASSERT_TRUE(GetMenuItemInfo(menu, 1300, FALSE, &info));
  EXPECT_EQ(info.fType, MFT_STRING);
  EXPECT_EQ(info.fState, MFS_CHECKED);
  EXPECT_EQ(info.wID, 1300u);
  EXPECT_STREQ(text, "Send to");  // cut to the buffer
  EXPECT_EQ(info.cch, 10u);
  info.fMask = MIIM_TYPE;
  info.dwTypeData = nullptr;
  ASSERT_TRUE(GetMenuItemInfo(menu, 1, TRUE, &info));
  EXPECT_EQ(info.fType, MFT_SEPARATOR);
  EXPECT_FALSE(GetMenuItemInfo(menu, 5, TRUE, &info));
  DestroyMenu(menu);
}

}  // namespace
}  // namespace platform
