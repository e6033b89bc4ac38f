#include "controls/item_messages.h"

namespace platform::controls {

namespace {

constexpr LRESULT kError = -1;
constexpr LRESULT kOkay = 0;
static_assert(LB_ERR == kError && CB_ERR == kError && LB_OKAY == kOkay && CB_OKAY == kOkay);

const char* TextOf(LPARAM lparam) {
  const char* text = reinterpret_cast<const char*>(lparam);
  return text ? text : "";
}

}  // namespace

std::optional<LRESULT> AnswerItemMessage(const ItemMessageSet& set, ItemList& items, int& selection,
                                         UINT message, WPARAM wparam, LPARAM lparam,
                                         const ItemMessageHooks& hooks) {
  const int index = static_cast<int>(wparam);
  if (message == set.add || message == set.insert) {
    const int added =
        message == set.add ? items.Add(TextOf(lparam)) : items.Insert(index, TextOf(lparam));
    if (added < 0) return kError;
    if (selection >= added) ++selection;
    hooks.changed();
    return added;
  }
  if (message == set.remove) {
    if (!items.Delete(index)) return kError;
    if (selection == index) {
      selection = -1;
    } else if (selection > index) {
      --selection;
    }
    hooks.changed();
    return items.count();
  }
  if (message == set.reset) {
    items.Clear();
    selection = -1;
    hooks.changed();
    return kOkay;
  }
  if (message == set.count) return items.count();
  if (message == set.get_selection) return selection;
  if (message == set.set_selection) {
    hooks.select(index);
    return items.Valid(index) ? index : kError;
  }
  if (message == set.get_text) {
    return CopyItemText(items, index, reinterpret_cast<char*>(lparam));
  }
  if (message == set.get_text_length) {
    return items.Valid(index) ? static_cast<LRESULT>(items.Text(index).size()) : kError;
  }
  if (message == set.get_data) return items.Valid(index) ? items.Data(index) : kError;
  if (message == set.set_data) {
    if (!items.Valid(index)) return kError;
    items.SetData(index, lparam);
    return kOkay;
  }
  if (message == set.find || message == set.find_exact || message == set.select_text) {
    const int found = items.Find(TextOf(lparam), index, message == set.find_exact);
    if (message == set.select_text && found >= 0) hooks.select(found);
    return found;
  }
  return std::nullopt;
}

}  // namespace platform::controls
