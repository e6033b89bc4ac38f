// Menu 102: one menu of tools (40001), holding the picture commands
// (40004), and the six toolbar buttons; a second menu would not leave the
// buttons room on the bar in every language. The first two items of the
// tools (the camera and its separator) go when no camera is installed.
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
  MenuItemTemplate picture = Popup(
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
       Command(text(kTextUnmarkAll), kCommandUnmarkAll)});
  platform::MenuTemplate menu;
  menu.items.push_back(
      Popup(text(kTextMenu), kMenuTools,
            {Command(text(kTextCamera), kCommandCamera), Separator(), std::move(picture),
             Separator(), Command(text(kTextChooseFolder), kCommandChooseFolder),
             Command(text(kTextRefresh), kCommandRefresh), Separator(),
             Command(text(kTextBeam), kCommandBeam), Command(text(kTextSendObex), kCommandSendObex),
             Command(text(kTextMail), kCommandMail), Command(text(kTextPrint), kCommandPrint),
             Separator(), Command(text(kTextOptions), kCommandOptions),
             Command(text(kTextAbout), kCommandAbout), Separator(),
             Command(text(kTextExit), kCommandExit)}));
  // The toolbar strip's images 0..5 in button order.
  const UINT buttons[] = {kButtonCamera,    kButtonView,   kButtonSlideshow,
                          kButtonVoiceNote, kButtonFolder, kButtonDelete};
  int image = 0;
  for (UINT id : buttons) menu.items.push_back(Button(id, image++));
  return menu;
}

}  // namespace gallery
