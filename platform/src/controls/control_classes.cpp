#include "controls/control_classes.h"

#include "controls/check_box.h"
#include "controls/combo_box.h"
#include "controls/drop_list.h"
#include "controls/edit_control.h"
#include "controls/group_box.h"
#include "controls/list_box.h"
#include "controls/push_button.h"
#include "controls/radio_button.h"
#include "controls/scroll_bar_control.h"
#include "controls/static_control.h"
#include "platform/controls.h"

namespace platform::controls {

namespace {

// The kind of button the style asks for.
std::shared_ptr<Control> MakeButton(HWND hwnd, const CREATESTRUCT& create) {
  switch (static_cast<DWORD>(create.style) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return std::make_shared<CheckBox>(hwnd);
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return std::make_shared<RadioButton>(hwnd);
    case BS_GROUPBOX:
      return std::make_shared<GroupBox>(hwnd);
    default:
      return std::make_shared<PushButton>(hwnd);
  }
}

WNDCLASS ControlClass(const char* name, ControlFactory factory) {
  WNDCLASS control_class;
  control_class.style = CS_DBLCLKS;
  control_class.lpszClassName = name;
  control_class.lpfnWndProc = ControlClassProcedure(std::move(factory));
  return control_class;
}

bool Has(const CREATESTRUCT& create, DWORD style) {
  return (static_cast<DWORD>(create.style) & style) != 0;
}

}  // namespace

std::vector<WNDCLASS> ControlClasses() {
  return {
      ControlClass(kButtonClassName, MakeButton),
      ControlClass(kStaticClassName,
                   [](HWND hwnd, const CREATESTRUCT&) -> std::shared_ptr<Control> {
                     return std::make_shared<StaticControl>(hwnd);
                   }),
      ControlClass(kEditClassName,
                   [](HWND hwnd, const CREATESTRUCT&) -> std::shared_ptr<Control> {
                     return std::make_shared<EditControl>(hwnd);
                   }),
      ControlClass(kListBoxClassName,
                   [](HWND hwnd, const CREATESTRUCT& create) -> std::shared_ptr<Control> {
                     return std::make_shared<ListBox>(hwnd, Has(create, LBS_SORT),
                                                      Has(create, LBS_DISABLENOSCROLL));
                   }),
      ControlClass(kComboBoxClassName,
                   [](HWND hwnd, const CREATESTRUCT& create) -> std::shared_ptr<Control> {
                     return std::make_shared<ComboBox>(hwnd, Has(create, CBS_SORT));
                   }),
      ControlClass(kScrollBarClassName,
                   [](HWND hwnd, const CREATESTRUCT&) -> std::shared_ptr<Control> {
                     return std::make_shared<ScrollBarControl>(hwnd);
                   }),
      ControlClass(kDropListClassName,
                   [](HWND hwnd, const CREATESTRUCT& create) -> std::shared_ptr<Control> {
                     return std::make_shared<DropList>(hwnd,
                                                       static_cast<HWND>(create.lpCreateParams));
                   }),
  };
}

}  // namespace platform::controls
