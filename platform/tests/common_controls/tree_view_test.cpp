// The tree view driven with the stylus and keys: items in levels, lazy
// expansion through the notifications, collapsing that forgets children,
// selection, deletion, label editing in place with its refusals, and the
// tap-and-hold refusal.
#include <algorithm>
#include <cstring>

#include "common_controls_fixture.h"

namespace platform {
namespace {

using testing::Notice;

constexpr DWORD kFolderStyle =
    TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS;

class TreeViewTest : public testing::CommonControlsTest {
 protected:
  void SetUp() override {
    CommonControlsTest::SetUp();
    tree_ = Make(WC_TREEVIEW, kFolderStyle, {0, 20, 240, 220}, 101);
  }

  HTREEITEM Insert(HTREEITEM parent, std::string text, LPARAM param = 0, HTREEITEM after = TVI_LAST,
                   int children = 0) {
    TVINSERTSTRUCT insert;
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = text.data();
    insert.item.lParam = param;
    insert.item.cChildren = children;
    return reinterpret_cast<HTREEITEM>(
        SendMessage(tree_, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
  }
  HTREEITEM Next(UINT relation, HTREEITEM item = nullptr) const {
    return reinterpret_cast<HTREEITEM>(
        SendMessage(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
  }
  std::string TextOf(HTREEITEM item) const {
    char buffer[64] = {};
    TVITEM read;
    read.mask = TVIF_TEXT;
    read.hItem = item;
    read.pszText = buffer;
    read.cchTextMax = sizeof(buffer);
    if (!SendMessage(tree_, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&read))) return "(none)";
    return buffer;
  }
  UINT StateOf(HTREEITEM item) const {
    TVITEM read;
    read.mask = TVIF_STATE;
    read.hItem = item;
    read.stateMask = 0xFFFF;
    SendMessage(tree_, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&read));
    return read.state;
  }
  RECT RectOf(HTREEITEM item, bool text_only = true) const {
    RECT rect;
    // The item goes in where the rectangle comes back.
    std::memcpy(static_cast<void*>(&rect), &item, sizeof item);
    EXPECT_TRUE(SendMessage(tree_, TVM_GETITEMRECT, text_only, reinterpret_cast<LPARAM>(&rect)));
    return rect;
  }
  POINT LabelOf(HTREEITEM item) const {
    const RECT rect = RectOf(item);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  // Where the expand button of an item is: half an indent left of its image.
  POINT ButtonOf(HTREEITEM item) const {
    const RECT row = RectOf(item, false);
    TVHITTESTINFO probe;
    const int middle = (row.top + row.bottom) / 2;
    int first = -1, last = -1;
    for (int x = 0; x < 120; ++x) {
      probe.pt = {x, middle};
      SendMessage(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&probe));
      if (probe.flags != TVHT_ONITEMBUTTON) continue;
      if (first < 0) first = x;
      last = x;
    }
    EXPECT_GE(first, 0) << "no button";
    return {(first + last) / 2, middle};
  }
  HTREEITEM Caret() const { return Next(TVGN_CARET); }

  // The folder pattern: an item asks for its children as it expands.
  void FillOnExpand(int count) {
    answer_ = [this, count](const NMHDR& header) -> std::optional<LRESULT> {
      if (header.code != TVN_ITEMEXPANDING) return std::nullopt;
      const auto& notice = reinterpret_cast<const NMTREEVIEW&>(header);
      if (notice.action == TVE_EXPAND && Next(TVGN_CHILD, notice.itemNew.hItem) == nullptr) {
        for (int i = 0; i < count; ++i) {
          Insert(notice.itemNew.hItem, "Sub " + std::to_string(i), 500 + i, TVI_SORT, 1);
        }
      }
      return FALSE;
    };
  }

  HWND tree_ = nullptr;
};

TEST_F(TreeViewTest, ItemsFormLevelsInTheOrderAsked) {
  HTREEITEM root = Insert(TVI_ROOT, "Pocket PC", 1, TVI_LAST, 1);
  HTREEITEM windows = Insert(root, "Windows", 2);
  HTREEITEM documents = Insert(root, "My Documents", 3, TVI_FIRST);
  HTREEITEM program = Insert(root, "program files", 4, TVI_SORT);
  HTREEITEM after = Insert(root, "Temp", 5, documents);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(Next(TVGN_ROOT), root);
  EXPECT_EQ(Next(TVGN_CHILD, root), documents);
  EXPECT_EQ(Next(TVGN_NEXT, documents), after);
  EXPECT_EQ(Next(TVGN_NEXT, after), program);
  EXPECT_EQ(Next(TVGN_NEXT, program), windows);
  EXPECT_EQ(Next(TVGN_NEXT, windows), nullptr);
  EXPECT_EQ(Next(TVGN_PREVIOUS, program), after);
  EXPECT_EQ(Next(TVGN_PARENT, windows), root);
  EXPECT_EQ(Next(TVGN_PARENT, root), nullptr);
  EXPECT_EQ(SendMessage(tree_, TVM_GETCOUNT, 0, 0), 5);
  EXPECT_EQ(TextOf(program), "program files");
  TVITEM read;
  read.mask = TVIF_PARAM | TVIF_CHILDREN;
  read.hItem = root;
  SendMessage(tree_, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&read));
  EXPECT_EQ(read.lParam, 1);
  EXPECT_EQ(read.cChildren, 1);
  // A handle that names no item is refused.
  const HTREEITEM bogus = reinterpret_cast<HTREEITEM>(&read);
  EXPECT_EQ(Insert(bogus, "orphan"), nullptr);
  EXPECT_EQ(TextOf(bogus), "(none)");
}

TEST_F(TreeViewTest, TappingTheButtonAsksForChildrenAndShowsThem) {
  FillOnExpand(2);
  HTREEITEM root = Insert(TVI_ROOT, "Pocket PC", 0, TVI_LAST, 1);
  Tap(tree_, ButtonOf(root));
  EXPECT_EQ(Codes(), (std::vector<UINT>{NM_SETFOCUS, TVN_ITEMEXPANDING, TVN_ITEMEXPANDED}));
  EXPECT_EQ(NoticesOf(TVN_ITEMEXPANDING)[0].tree.action, TVE_EXPAND);
  EXPECT_EQ(NoticesOf(TVN_ITEMEXPANDED)[0].tree.itemNew.hItem, root);
  EXPECT_TRUE(StateOf(root) & TVIS_EXPANDED);
  HTREEITEM first = Next(TVGN_CHILD, root);
  EXPECT_EQ(TextOf(first), "Sub 0");
  EXPECT_EQ(Next(TVGN_NEXTVISIBLE, root), first);  // shown right below
  EXPECT_EQ(Caret(), nullptr);                     // the button selects nothing
  // Tapping it again collapses.
  Forget();
  Tap(tree_, ButtonOf(root));
  EXPECT_EQ(Codes(), (std::vector<UINT>{TVN_ITEMEXPANDING, TVN_ITEMEXPANDED}));
  EXPECT_EQ(NoticesOf(TVN_ITEMEXPANDED)[0].tree.action, TVE_COLLAPSE);
  EXPECT_FALSE(StateOf(root) & TVIS_EXPANDED);
  EXPECT_EQ(Next(TVGN_NEXTVISIBLE, root), nullptr);
}

TEST_F(TreeViewTest, TheParentCanRefuseToExpand) {
  HTREEITEM root = Insert(TVI_ROOT, "Locked", 0, TVI_LAST, 1);
  Insert(root, "Hidden");
  answer_ = [](const NMHDR& header) -> std::optional<LRESULT> {
    return header.code == TVN_ITEMEXPANDING ? std::optional<LRESULT>(TRUE) : std::nullopt;
  };
  EXPECT_FALSE(SendMessage(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root)));
  Tap(tree_, ButtonOf(root));
  EXPECT_FALSE(StateOf(root) & TVIS_EXPANDED);
  EXPECT_TRUE(NoticesOf(TVN_ITEMEXPANDED).empty());
  EXPECT_EQ(Next(TVGN_NEXTVISIBLE, root), nullptr);
}

TEST_F(TreeViewTest, ChildrenAskedOfTheParentDecideTheButton) {
  HTREEITEM item = Insert(TVI_ROOT, "Storage Card", 0, TVI_LAST, I_CHILDRENCALLBACK);
  int asked = 0;
  answer_ = [&asked](const NMHDR& header) -> std::optional<LRESULT> {
    if (header.code != TVN_GETDISPINFO) return std::nullopt;
    ++asked;
    const_cast<NMTVDISPINFO&>(reinterpret_cast<const NMTVDISPINFO&>(header)).item.cChildren = 0;
    return 0;
  };
  EXPECT_FALSE(SendMessage(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item)));
  EXPECT_GT(asked, 0);
  EXPECT_TRUE(NoticesOf(TVN_ITEMEXPANDING).empty());
}

TEST_F(TreeViewTest, ACollapseResetForgetsTheChildren) {
  FillOnExpand(3);
  HTREEITEM root = Insert(TVI_ROOT, "Pocket PC", 0, TVI_LAST, 1);
  ASSERT_TRUE(SendMessage(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root)));
  EXPECT_EQ(SendMessage(tree_, TVM_GETCOUNT, 0, 0), 4);
  HTREEITEM child = Next(TVGN_CHILD, root);
  Forget();
  ASSERT_TRUE(SendMessage(tree_, TVM_EXPAND, TVE_COLLAPSE | TVE_COLLAPSERESET,
                          reinterpret_cast<LPARAM>(root)));
  const auto deleted = NoticesOf(TVN_DELETEITEM);
  ASSERT_EQ(deleted.size(), 3u);
  std::vector<LPARAM> params;
  for (const Notice& notice : deleted) params.push_back(notice.tree.itemOld.lParam);
  std::sort(params.begin(), params.end());
  EXPECT_EQ(params, (std::vector<LPARAM>{500, 501, 502}));
  EXPECT_EQ(Next(TVGN_CHILD, root), nullptr);
  EXPECT_EQ(TextOf(child), "(none)");  // the old handles are dead
  EXPECT_EQ(SendMessage(tree_, TVM_GETCOUNT, 0, 0), 1);
  // The next expansion asks again and gets them afresh.
  Forget();
  ASSERT_TRUE(SendMessage(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root)));
  EXPECT_EQ(NoticesOf(TVN_ITEMEXPANDING).size(), 1u);
  EXPECT_EQ(SendMessage(tree_, TVM_GETCOUNT, 0, 0), 4);
}

TEST_F(TreeViewTest, AParentMayForgetChildrenWhenToldOfACollapse) {
  HTREEITEM root = Insert(TVI_ROOT, "Pocket PC", 0, TVI_LAST, 1);
  answer_ = [this](const NMHDR& header) -> std::optional<LRESULT> {
    const auto& notice = reinterpret_cast<const NMTREEVIEW&>(header);
    if (header.code == TVN_ITEMEXPANDING && notice.action == TVE_EXPAND) {
      Insert(notice.itemNew.hItem, "Windows", 0, TVI_SORT, 1);
    } else if (header.code == TVN_ITEMEXPANDED && notice.action == TVE_COLLAPSE) {
      SendMessage(tree_, TVM_EXPAND, TVE_COLLAPSE | TVE_COLLAPSERESET,
                  reinterpret_cast<LPARAM>(notice.itemNew.hItem));
    }
    return std::nullopt;
  };
  Tap(tree_, ButtonOf(root));
  ASSERT_NE(Next(TVGN_CHILD, root), nullptr);
  Wait(1000);
  Tap(tree_, ButtonOf(root));
  EXPECT_EQ(Next(TVGN_CHILD, root), nullptr);
  EXPECT_EQ(NoticesOf(TVN_DELETEITEM).size(), 1u);
  EXPECT_EQ(NoticesOf(TVN_ITEMEXPANDING).size(), 2u);  // the reset asks nothing more
  // Its button still offers the folder's children.
  Wait(1000);
  Tap(tree_, ButtonOf(root));
  EXPECT_NE(Next(TVGN_CHILD, root), nullptr);
}

TEST_F(TreeViewTest, ATapSelectsAndThePreviousSelectionIsReported) {
  HTREEITEM first = Insert(TVI_ROOT, "First", 11);
  HTREEITEM second = Insert(TVI_ROOT, "Second", 12);
  Tap(tree_, LabelOf(first));
  EXPECT_EQ(Caret(), first);
  EXPECT_TRUE(StateOf(first) & TVIS_SELECTED);
  Wait(1000);
  Forget();
  Tap(tree_, LabelOf(second));
  EXPECT_EQ(Codes(),
            (std::vector<UINT>{NM_RECOGNIZEGESTURE, TVN_SELCHANGING, TVN_SELCHANGED, NM_CLICK}));
  const Notice changed = NoticesOf(TVN_SELCHANGED)[0];
  EXPECT_EQ(changed.tree.action, TVC_BYMOUSE);
  EXPECT_EQ(changed.tree.itemOld.hItem, first);
  EXPECT_EQ(changed.tree.itemNew.hItem, second);
  EXPECT_EQ(changed.tree.itemNew.lParam, 12);
  EXPECT_FALSE(StateOf(first) & TVIS_SELECTED);
  // The selected label is highlighted.
  EXPECT_EQ(ColourAt(tree_, {RectOf(second).left + 1, LabelOf(second).y}),
            Shown(GetSysColor(COLOR_HIGHLIGHT)));
}

TEST_F(TreeViewTest, TheParentCanRefuseASelection) {
  HTREEITEM first = Insert(TVI_ROOT, "First");
  HTREEITEM second = Insert(TVI_ROOT, "Second");
  ASSERT_TRUE(SendMessage(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(first)));
  Forget();
  answer_ = [](const NMHDR& header) -> std::optional<LRESULT> {
    return header.code == TVN_SELCHANGING ? std::optional<LRESULT>(TRUE) : std::nullopt;
  };
  Tap(tree_, LabelOf(second));
  EXPECT_EQ(Caret(), first);
  EXPECT_FALSE(SendMessage(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(second)));
  EXPECT_TRUE(NoticesOf(TVN_SELCHANGED).empty());
}

TEST_F(TreeViewTest, SelectingAHiddenItemExpandsItsAncestors) {
  HTREEITEM root = Insert(TVI_ROOT, "Pocket PC", 0, TVI_LAST, 1);
  HTREEITEM folder = Insert(root, "My Documents", 0, TVI_LAST, 1);
  HTREEITEM pictures = Insert(folder, "My Pictures");
  ASSERT_TRUE(SendMessage(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(pictures)));
  EXPECT_TRUE(StateOf(root) & TVIS_EXPANDED);
  EXPECT_TRUE(StateOf(folder) & TVIS_EXPANDED);
  EXPECT_EQ(NoticesOf(TVN_SELCHANGED)[0].tree.action, TVC_UNKNOWN);
  // Collapsing an ancestor brings the selection up to it.
  SendMessage(tree_, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(root));
  EXPECT_EQ(Caret(), root);
}

TEST_F(TreeViewTest, DeletingAnItemDeletesItsSubtreeAndMovesTheSelection) {
  HTREEITEM a = Insert(TVI_ROOT, "A", 1, TVI_LAST, 1);
  HTREEITEM b = Insert(TVI_ROOT, "B", 2);
  HTREEITEM inner = Insert(a, "inner", 3, TVI_LAST, 1);
  Insert(inner, "deep", 4);
  SendMessage(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(inner));
  Forget();
  ASSERT_TRUE(SendMessage(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(a)));
  std::vector<LPARAM> params;
  for (const Notice& notice : NoticesOf(TVN_DELETEITEM))
    params.push_back(notice.tree.itemOld.lParam);
  EXPECT_EQ(params, (std::vector<LPARAM>{4, 3, 1}));  // children before their parent
  EXPECT_EQ(Caret(), b);
  EXPECT_EQ(SendMessage(tree_, TVM_GETCOUNT, 0, 0), 1);
  EXPECT_FALSE(SendMessage(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(a)));
  // Destroying the tree tells the parent of what is left.
  Forget();
  DestroyWindow(tree_);
  ASSERT_EQ(NoticesOf(TVN_DELETEITEM).size(), 1u);
  EXPECT_EQ(NoticesOf(TVN_DELETEITEM)[0].tree.itemOld.lParam, 2);
}

TEST_F(TreeViewTest, AnAcceptedLabelEditTakesTheNewText) {
  HTREEITEM item = Insert(TVI_ROOT, "New Folder", 7);
  answer_ = [](const NMHDR& header) -> std::optional<LRESULT> {
    return header.code == TVN_ENDLABELEDIT ? std::optional<LRESULT>(TRUE) : std::nullopt;
  };
  HWND edit =
      reinterpret_cast<HWND>(SendMessage(tree_, TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(item)));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(tree_, TVM_GETEDITCONTROL, 0, 0)), edit);
  // The window system's edit control does the editing when it has one.
  WNDCLASS edit_class;
  if (GetClassInfo(nullptr, "EDIT", &edit_class)) {
    EXPECT_EQ(GetClassName(edit), "EDIT");
  }
  EXPECT_EQ(GetFocus(), edit);
  ASSERT_EQ(NoticesOf(TVN_BEGINLABELEDIT).size(), 1u);
  EXPECT_EQ(NoticesOf(TVN_BEGINLABELEDIT)[0].text, "New Folder");
  EXPECT_EQ(NoticesOf(TVN_BEGINLABELEDIT)[0].display.lParam, 7);
  Type("Holiday");  // replaces the selected text
  Key(VK_RETURN);
  ASSERT_EQ(NoticesOf(TVN_ENDLABELEDIT).size(), 1u);
  EXPECT_EQ(NoticesOf(TVN_ENDLABELEDIT)[0].text, "Holiday");
  EXPECT_EQ(TextOf(item), "Holiday");
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(SendMessage(tree_, TVM_GETEDITCONTROL, 0, 0), 0);
}

TEST_F(TreeViewTest, ARefusedLabelEditKeepsTheOldText) {
  HTREEITEM item = Insert(TVI_ROOT, "Pictures");
  // The parent answers FALSE: it refuses the name.
  SendMessage(tree_, TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(item));
  Type("bad:name");
  Key(VK_RETURN);
  EXPECT_EQ(NoticesOf(TVN_ENDLABELEDIT)[0].text, "bad:name");
  EXPECT_EQ(TextOf(item), "Pictures");
  // Escape cancels: the parent hears of it without a text.
  Forget();
  answer_ = [](const NMHDR& header) -> std::optional<LRESULT> {
    return header.code == TVN_ENDLABELEDIT ? std::optional<LRESULT>(TRUE) : std::nullopt;
  };
  SendMessage(tree_, TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(item));
  Type("Other");
  Key(VK_ESCAPE);
  ASSERT_EQ(NoticesOf(TVN_ENDLABELEDIT).size(), 1u);
  EXPECT_FALSE(NoticesOf(TVN_ENDLABELEDIT)[0].text.has_value());
  EXPECT_EQ(TextOf(item), "Pictures");
}

TEST_F(TreeViewTest, DestroyingTheTreeDuringAnEditEndsIt) {
  HTREEITEM item = Insert(TVI_ROOT, "Folder", 9);
  HWND edit =
      reinterpret_cast<HWND>(SendMessage(tree_, TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(item)));
  ASSERT_NE(edit, nullptr);
  Type("Half");
  DestroyWindow(tree_);
  EXPECT_FALSE(IsWindow(edit));
  // The edit ends once (the hidden tree takes the focus from the box), and
  // the item is deleted after it.
  EXPECT_EQ(Codes().back(), TVN_DELETEITEM);
  ASSERT_EQ(NoticesOf(TVN_ENDLABELEDIT).size(), 1u);
  EXPECT_EQ(NoticesOf(TVN_DELETEITEM).size(), 1u);
  // Keys after the tree has gone reach nothing of it.
  Key(VK_RETURN);
  EXPECT_EQ(NoticesOf(TVN_ENDLABELEDIT).size(), 1u);
}

TEST_F(TreeViewTest, TheParentCanRefuseToBeginAnEdit) {
  HTREEITEM root = Insert(TVI_ROOT, "Pocket PC");
  answer_ = [](const NMHDR& header) -> std::optional<LRESULT> {
    return header.code == TVN_BEGINLABELEDIT ? std::optional<LRESULT>(TRUE) : std::nullopt;
  };
  EXPECT_EQ(SendMessage(tree_, TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(root)), 0);
  EXPECT_EQ(SendMessage(tree_, TVM_GETEDITCONTROL, 0, 0), 0);
  EXPECT_TRUE(NoticesOf(TVN_ENDLABELEDIT).empty());
}

TEST_F(TreeViewTest, EndingAnEditNowKeepsOrCancelsTheText) {
  HTREEITEM item = Insert(TVI_ROOT, "Old");
  answer_ = [](const NMHDR& header) -> std::optional<LRESULT> {
    return header.code == TVN_ENDLABELEDIT ? std::optional<LRESULT>(TRUE) : std::nullopt;
  };
  SendMessage(tree_, TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(item));
  Type("New");
  EXPECT_TRUE(SendMessage(tree_, TVM_ENDEDITLABELNOW, FALSE, 0));
  EXPECT_EQ(TextOf(item), "New");
  SendMessage(tree_, TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(item));
  Type("Newer");
  EXPECT_TRUE(SendMessage(tree_, TVM_ENDEDITLABELNOW, TRUE, 0));
  EXPECT_EQ(TextOf(item), "New");
  EXPECT_FALSE(SendMessage(tree_, TVM_ENDEDITLABELNOW, FALSE, 0));
}

TEST_F(TreeViewTest, ATapOnTheSelectedLabelStartsAnEditOnceItIsNoDoubleTap) {
  HTREEITEM item = Insert(TVI_ROOT, "Folder");
  Tap(tree_, LabelOf(item));  // selects
  Wait(1000);
  Tap(tree_, LabelOf(item));  // on the selected label
  EXPECT_TRUE(NoticesOf(TVN_BEGINLABELEDIT).empty());
  Wait(kDoubleTapTimeMs);
  ASSERT_EQ(NoticesOf(TVN_BEGINLABELEDIT).size(), 1u);
  EXPECT_NE(SendMessage(tree_, TVM_GETEDITCONTROL, 0, 0), 0);
}

TEST_F(TreeViewTest, ADoubleTapTogglesExpansionAndStartsNoEdit) {
  FillOnExpand(1);
  HTREEITEM root = Insert(TVI_ROOT, "Pocket PC", 0, TVI_LAST, 1);
  SendMessage(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
  Tap(tree_, LabelOf(root));
  Wait(100);
  Tap(tree_, LabelOf(root));
  Wait(kDoubleTapTimeMs * 2);
  EXPECT_EQ(NoticesOf(NM_DBLCLK).size(), 1u);
  EXPECT_TRUE(StateOf(root) & TVIS_EXPANDED);
  EXPECT_TRUE(NoticesOf(TVN_BEGINLABELEDIT).empty());
}

TEST_F(TreeViewTest, TapAndHoldNeverStartsAnEdit) {
  HTREEITEM item = Insert(TVI_ROOT, "Folder");
  SendMessage(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  // Recognised: the parent hears of the gesture.
  Down(tree_, LabelOf(item));
  Wait(kTapAndHoldTimeMs);
  Up(tree_, LabelOf(item));
  Wait(kDoubleTapTimeMs * 2);
  EXPECT_EQ(NoticesOf(GN_CONTEXTMENU).size(), 1u);
  EXPECT_TRUE(NoticesOf(TVN_BEGINLABELEDIT).empty());
  // Refused: no gesture, and still no edit.
  Forget();
  answer_ = [](const NMHDR& header) -> std::optional<LRESULT> {
    return header.code == NM_RECOGNIZEGESTURE ? std::optional<LRESULT>(TRUE) : std::nullopt;
  };
  Wait(1000);
  Down(tree_, LabelOf(item));
  Wait(kTapAndHoldTimeMs + 200);
  Up(tree_, LabelOf(item));
  Wait(kDoubleTapTimeMs * 2);
  EXPECT_TRUE(NoticesOf(GN_CONTEXTMENU).empty());
  EXPECT_TRUE(NoticesOf(TVN_BEGINLABELEDIT).empty());
  EXPECT_EQ(SendMessage(tree_, TVM_GETEDITCONTROL, 0, 0), 0);
}

TEST_F(TreeViewTest, WithoutLabelEditingNoEditStarts) {
  HWND plain = Make(WC_TREEVIEW, TVS_HASBUTTONS, {0, 230, 240, 290}, 102);
  TVINSERTSTRUCT insert;
  std::string text = "Fixed";
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = text.data();
  auto item = SendMessage(plain, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert));
  EXPECT_EQ(SendMessage(plain, TVM_EDITLABEL, 0, item), 0);
  EXPECT_TRUE(NoticesOf(TVN_BEGINLABELEDIT).empty());
}

TEST_F(TreeViewTest, KeysWalkTheTree) {
  FillOnExpand(2);
  HTREEITEM root = Insert(TVI_ROOT, "Pocket PC", 0, TVI_LAST, 1);
  HTREEITEM other = Insert(TVI_ROOT, "Other");
  SetFocus(tree_);
  Key(VK_DOWN);
  EXPECT_EQ(Caret(), root);
  Key(VK_RIGHT);  // expands
  EXPECT_TRUE(StateOf(root) & TVIS_EXPANDED);
  Key(VK_RIGHT);  // into the first child
  EXPECT_EQ(TextOf(Caret()), "Sub 0");
  EXPECT_EQ(NoticesOf(TVN_SELCHANGED).back().tree.action, TVC_BYKEYBOARD);
  Key(VK_LEFT);  // up to the parent
  EXPECT_EQ(Caret(), root);
  Key(VK_END);
  EXPECT_EQ(Caret(), other);
  Key(VK_RETURN);
  EXPECT_EQ(NoticesOf(NM_RETURN).size(), 1u);
}

TEST_F(TreeViewTest, ALongTreeScrollsToShowAnItem) {
  std::vector<HTREEITEM> items;
  for (int i = 0; i < 40; ++i) items.push_back(Insert(TVI_ROOT, "Folder " + std::to_string(i)));
  EXPECT_EQ(Next(TVGN_FIRSTVISIBLE), items[0]);
  const int per_page = static_cast<int>(SendMessage(tree_, TVM_GETVISIBLECOUNT, 0, 0));
  EXPECT_GT(per_page, 5);
  EXPECT_LT(per_page, 40);
  ASSERT_TRUE(SendMessage(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(items[35])));
  const RECT row = RectOf(items[35], false);
  EXPECT_GE(row.top, 0);
  EXPECT_LE(row.bottom, 200);
  EXPECT_NE(Next(TVGN_FIRSTVISIBLE), items[0]);
  Tap(tree_, LabelOf(items[35]));
  EXPECT_EQ(Caret(), items[35]);
}

TEST_F(TreeViewTest, ButtonsShowWhatAnItemHolds) {
  HTREEITEM root = Insert(TVI_ROOT, "Pocket PC", 0, TVI_LAST, 1);
  Insert(root, "Windows");
  const POINT button = ButtonOf(root);
  const COLORREF sign = Shown(GetSysColor(COLOR_WINDOWTEXT));
  // "+": the vertical stroke shows while collapsed, and goes when expanded.
  EXPECT_EQ(ColourAt(tree_, {button.x, button.y - 2}), sign);
  SendMessage(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
  EXPECT_NE(ColourAt(tree_, {button.x, button.y - 2}), sign);
  EXPECT_EQ(ColourAt(tree_, {button.x - 2, button.y}), sign);
}

}  // namespace
}  // namespace platform
