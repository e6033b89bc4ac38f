// Dialogs 110 and 112-115 in dialog units (1 unit: 1.5 pixels across,
// 1.625 down). The pages fill the options sheet above its tab row (160 x
// 151 units); the About box fills the screen.
#include "gallery/resources/dialog_ids.h"
#include "gallery/resources/string_ids.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "texts.h"

namespace gallery {

namespace {

using namespace platform;

constexpr UINT kNoId = 0xFFFF;
constexpr DWORD kControl = WS_VISIBLE;

DialogItemTemplate Label(std::string text, int x, int y, int cx, int cy, DWORD align = SS_LEFT,
                         UINT id = kNoId) {
  return {"STATIC", std::move(text), id, kControl | align, 0, x, y, cx, cy};
}

DialogItemTemplate Check(std::string text, UINT id, int x, int y, int cx) {
  return {"BUTTON", std::move(text), id, kControl | WS_TABSTOP | BS_AUTOCHECKBOX, 0, x, y, cx, 10};
}

DialogItemTemplate Radio(std::string text, UINT id, int x, int y, int cx, bool first) {
  const DWORD group = first ? WS_GROUP | WS_TABSTOP : 0;
  return {"BUTTON", std::move(text), id, kControl | group | BS_AUTORADIOBUTTON, 0, x, y, cx, 10};
}

DialogItemTemplate Push(std::string text, UINT id, int x, int y, int cx) {
  return {"BUTTON", std::move(text), id, kControl | WS_TABSTOP | BS_PUSHBUTTON, 0, x, y, cx, 14};
}

DialogItemTemplate Group(std::string text, int x, int y, int cx, int cy) {
  return {"BUTTON", std::move(text), kNoId, kControl | BS_GROUPBOX, 0, x, y, cx, cy};
}

// A drop-down list; `list` is the room its list opens into.
DialogItemTemplate DropList(UINT id, int x, int y, int cx, int list) {
  return {"COMBOBOX", "", id,       kControl | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, x,
          y,          cx, 12 + list};
}

DialogTemplate Page(std::string caption, std::vector<DialogItemTemplate> items) {
  DialogTemplate page;
  page.caption = std::move(caption);
  page.style = WS_CHILD | WS_VISIBLE;
  page.cx = 160;
  page.cy = 151;
  page.items = std::move(items);
  return page;
}

}  // namespace

DialogTemplate AboutDialog(const Texts& text) {
  DialogTemplate about;
  about.caption = text(kStringTitle);
  about.style = WS_POPUP | WS_VISIBLE;
  about.cx = 160;
  about.cy = 165;
  about.items = {
      Label(text(kStringTitle), 0, 10, 160, 12, SS_CENTER),
      Label(text(kTextAboutLine), 0, 24, 160, 10, SS_CENTER),
      Label(text(kTextVersion), 0, 40, 160, 10, SS_CENTER),
      Label("", 40, 50, 80, 10, SS_CENTER | SS_NOTIFY, kAboutVersion),
      Label(text(kTextCopyright), 4, 64, 152, 10, SS_CENTER),
      Label("", 4, 76, 152, 10, SS_CENTER, kAboutExternalDisplay),
      Push(text(kTextOk), IDOK, 55, 136, 50),
  };
  return about;
}

DialogTemplate GeneralPage(const Texts& text) {
  return Page(text(kTextGeneralPage),
              {Check(text(kTextExternalDisplay), kCheckExternalDisplay, 6, 8, 150),
               Check(text(kTextAutoPlayVoiceNote), kCheckAutoPlayVoiceNote, 6, 24, 150),
               Check(text(kTextShowHistogram), kCheckShowHistogram, 6, 40, 150),
               Group(text(kTextFileTypes), 4, 60, 152, 38),
               Push(text(kTextRegister), kButtonRegisterTypes, 12, 76, 64),
               Push(text(kTextRestore), kButtonRestoreTypes, 84, 76, 64)});
}

DialogTemplate FilePage(const Texts& text) {
  return Page(text(kTextFilePage),
              {Label(text(kTextSortBy), 6, 10, 52, 10), DropList(kComboSortKey, 60, 8, 94, 48),
               Label(text(kTextOrder), 6, 28, 52, 10), DropList(kComboSortOrder, 60, 26, 94, 24),
               Check(text(kTextIncludeSubfolders), kCheckIncludeSubfolders, 6, 48, 150),
               Check(text(kTextOpenCardPictures), kCheckOpenCardPictures, 6, 64, 150)});
}

DialogTemplate SlideshowPage(const Texts& text) {
  const std::string modes[] = {text(kTextManual), text(kTextTimedForward), text(kTextTimedBackward),
                               text(kTextTimedRandom)};
  std::vector<DialogItemTemplate> items = {Group(text(kTextAdvance), 4, 2, 152, 56)};
  for (int mode = 0; mode < 4; ++mode) {
    items.push_back(Radio(modes[mode], kRadioAdvanceManual + static_cast<UINT>(mode), 10,
                          12 + 10 * mode, 140, mode == 0));
  }
  const std::vector<DialogItemTemplate> rest = {
      Label(text(kTextSeconds), 6, 63, 50, 10),
      {"EDIT", "", kEditInterval, kControl | WS_TABSTOP | WS_BORDER | ES_NUMBER, 0, 58, 61, 30, 12},
      Check(text(kTextLoop), kCheckLoop, 96, 62, 60),
      Check(text(kTextShowFileName), kCheckShowFileName, 6, 78, 150),
      Check(text(kTextShowFileInfo), kCheckShowFileInfo, 6, 90, 150),
      Check(text(kTextPlayVoiceNotes), kCheckPlayVoiceNotes, 6, 102, 150),
      Check(text(kTextRotateToFit), kCheckRotateToFit, 6, 114, 72),
      Radio(text(kTextLeft), kRadioRotateLeft, 80, 114, 36, true),
      Radio(text(kTextRight), kRadioRotateRight, 118, 114, 40, false),
      Check(text(kTextTransitions), kCheckTransitions, 6, 130, 60),
      DropList(kComboTransition, 68, 128, 88, 60),
  };
  items.insert(items.end(), rest.begin(), rest.end());
  return Page(text(kTextSlideshowPage), std::move(items));
}

DialogTemplate AudioPage(const Texts& text) {
  return Page(
      text(kTextAudioPage),
      {Label(text(kTextFormat), 6, 10, 52, 10), DropList(kComboAudioFormat, 60, 8, 94, 24),
       Label(text(kTextQuality), 6, 30, 150, 10), DropList(kComboAudioAttributes, 6, 42, 150, 90)});
}

}  // namespace gallery
