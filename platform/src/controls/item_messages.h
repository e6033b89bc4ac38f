// The item messages list boxes and combo boxes both answer (adding,
// inserting, deleting, texts, values, finding, the selection), each under
// its own numbers.
#pragma once

#include <functional>
#include <optional>

#include "controls/item_list.h"
#include "platform/controls.h"

namespace platform::controls {

struct ItemMessageSet {
  UINT add;
  UINT insert;
  UINT remove;
  UINT reset;
  UINT count;
  UINT get_selection;
  UINT set_selection;
  UINT get_text;
  UINT get_text_length;
  UINT get_data;
  UINT set_data;
  UINT find;
  UINT find_exact;
  UINT select_text;
};

inline constexpr ItemMessageSet kListBoxItemMessages{
    LB_ADDSTRING,   LB_INSERTSTRING, LB_DELETESTRING,    LB_RESETCONTENT, LB_GETCOUNT,
    LB_GETCURSEL,   LB_SETCURSEL,    LB_GETTEXT,         LB_GETTEXTLEN,   LB_GETITEMDATA,
    LB_SETITEMDATA, LB_FINDSTRING,   LB_FINDSTRINGEXACT, LB_SELECTSTRING};
inline constexpr ItemMessageSet kComboBoxItemMessages{
    CB_ADDSTRING,   CB_INSERTSTRING, CB_DELETESTRING,    CB_RESETCONTENT, CB_GETCOUNT,
    CB_GETCURSEL,   CB_SETCURSEL,    CB_GETLBTEXT,       CB_GETLBTEXTLEN, CB_GETITEMDATA,
    CB_SETITEMDATA, CB_FINDSTRING,   CB_FINDSTRINGEXACT, CB_SELECTSTRING};

// What the control does when the messages change its rows.
struct ItemMessageHooks {
  // Selects a row (-1: none), bringing it into view.
  std::function<void(int)> select;
  // The rows were added, removed or emptied.
  std::function<void()> changed;
};

// Answers an item message of the set, keeping `selection` on its row while
// rows come and go; nothing for other messages. Errors are -1 in both sets.
std::optional<LRESULT> AnswerItemMessage(const ItemMessageSet& set, ItemList& items, int& selection,
                                         UINT message, WPARAM wparam, LPARAM lparam,
                                         const ItemMessageHooks& hooks);

}  // namespace platform::controls
