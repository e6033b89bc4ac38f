// Menu 102: the Tools and Picture sub-menus and the six toolbar buttons.
// The first two items of Tools (the camera and its separator) go when no
// camera program is installed.
#include "gallery/resources/commands.h"
#include "gallery/resources/string_ids.h"
#include "texts.h"

namespace gallery {

namespace {

using platform::MenuItemTemplate;

MenuItemTemplate Command(std::string text, UINT id) {
  MenuItemTemplate item;
  item.text = std::move(text);
  item.id = id;
  return item;
}

MenuItemTemplate Separator() {
  MenuItemTemplate item;
  item.separator = true;
  return item;
}

MenuItemTemplate Popup(std::string text, UINT id, std::vector<MenuItemTemplate> items) {
  MenuItemTemplate item;
  item.text = std::move(text);
  item.id = id;
  item.items = std::move(items);
  return item;
}

MenuItemTemplate Button(UINT id, int image) {
  MenuItemTemplate item;
  item.id = id;
  item.image = image;
  return item;
}

}  // namespace

platform::MenuTemplate BrowserMenu(const Texts& text) {
  platform::MenuTemplate menu;
  menu.items.push_back(
      Popup(text(kTextTools), kMenuTools,
            {Command(text(kTextCamera), kCommandCamera), Separator(),
             Command(text(kTextChooseFolder), kCommandChooseFolder),
             Command(text(kTextRefresh), kCommandRefresh), Separator(),
             Command(text(kTextBeam), kCommandBeam), Command(text(kTextSendObex), kCommandSendObex),
             Command(text(kTextMail), kCommandMail), Command(text(kTextPrint), kCommandPrint),
             Separator(), Command(text(kTextOptions), kCommandOptions),
             Command(text(kTextAbout), kCommandAbout), Separator(),
             Command(text(kTextExit), kCommandExit)}));
  menu.items.push_back(Popup(
      text(kTextPicture), kMenuPicture,
      {Command(text(kTextView), kCommandView), Command(text(kTextSlideshow), kCommandSlideshow),
       Separator(), Command(text(kTextRename), kCommandRenameItem),
       Command(text(kTextDelete), kCommandDelete), Command(text(kTextMove), kCommandMove),
       Command(text(kTextCopy), kCommandCopy), Separator(),
       Command(text(kTextEditComment), kCommandEditComment),
       Command(text(kTextRotateLeft), kCommandRotateLeft),
       Command(text(kTextRotateRight), kCommandRotateRight),
       Popup(text(kTextClipboard), 0,
             {Command("12.5 %", kCommandClipboard125), Command("25 %", kCommandClipboard250),
              Command("50 %", kCommandClipboard500),
              Command(text(kTextActualSize), kCommandClipboardActual)}),
       Separator(), Command(text(kTextMarkRange), kCommandMarkRange),
       Command(text(kTextMarkAll), kCommandMarkAll),
       Command(text(kTextUnmarkAll), kCommandUnmarkAll)}));
  // The toolbar strip's images 0..5 in button order.
  const UINT buttons[] = {kButtonCamera,    kButtonView,   kButtonSlideshow,
                          kButtonVoiceNote, kButtonFolder, kButtonDelete};
  int image = 0;
  for (UINT id : buttons) menu.items.push_back(Button(id, image++));
  return menu;
}

}  // namespace gallery
