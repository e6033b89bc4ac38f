// The About box: the product's picture and full name, the versions of its
// parts (the driver's asked of the card's driver) and the current time.
#include <cstdio>

#include "about_time_line.h"
#include "artwork_ids.h"
#include "camera/session/device_calls.h"
#include "camera/settings_dialogs/settings_dialogs.h"
#include "camera/strings/string_library.h"
#include "dialog_ids.h"
#include "dialog_support.h"
#include "platform/common_controls.h"
#include "platform/controls.h"
#include "platform/gdi.h"
#include "platform/time.h"
#include "string_ids.h"

namespace camera {

using namespace platform;

namespace {

namespace ids = dialog_ids;

constexpr char kUnknownVersion[] = "0.0.0";

}  // namespace

std::string AboutTimeLine(const SYSTEMTIME& time) {
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char line[64];
  std::snprintf(line, sizeof line, "    %s %s %02d %02d:%02d:%02d %04d", kDays[time.wDayOfWeek % 7],
                kMonths[(time.wMonth + 11) % 12], time.wDay, time.wHour, time.wMinute, time.wSecond,
                time.wYear);
  return line;
}

namespace {

class AboutBox {
 public:
  explicit AboutBox(const DialogContext& context) : context_(context) {}
  ~AboutBox() {
    if (picture_) DeleteObject(picture_);
  }
  AboutBox(const AboutBox&) = delete;
  AboutBox& operator=(const AboutBox&) = delete;

  void Run(HWND owner) {
    DialogBoxParam(
        context_.instance, ids::kAboutBox, owner,
        [this](HWND dialog, UINT message, WPARAM wparam, LPARAM) -> INT_PTR {
          switch (message) {
            case WM_INITDIALOG:
              OnInit(dialog);
              return TRUE;
            case WM_COMMAND:
              if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wparam));
                return TRUE;
              }
              return FALSE;
            case WM_HELP:
              if (context_.open_help) context_.open_help();
              return TRUE;
            default:
              return FALSE;
          }
        },
        0);
  }

 private:
  void OnInit(HWND dialog) {
    MakeFullScreen(dialog, true);
    SetWindowText(dialog, LocalizedText(kAboutString));
    picture_ = LoadBitmap(context_.instance, artwork_ids::kAboutPicture);
    SendDlgItemMessage(dialog, ids::kAboutImage, STM_SETIMAGE, IMAGE_BITMAP,
                       reinterpret_cast<LPARAM>(picture_));
    SetItemString(dialog, ids::kProductName, kProductString);
    HWND list = GetDlgItem(dialog, ids::kVersionList);
    SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const int width = ListWidth(list);
    std::string heading = LocalizedText(kComponentString);
    AddListColumn(list, 0, heading, width * 2 / 3);
    heading = LocalizedText(kVersionString);
    AddListColumn(list, 1, heading, width - width * 2 / 3);
    std::string driver = DriverVersion();
    if (driver.empty()) driver = kUnknownVersion;
    const std::pair<UINT, std::string> rows[] = {{kInterfaceString, "1.0.0"},
                                                 {kModuleString, "0.2.1"},
                                                 {kDriverString, driver},
                                                 {kFirmwareString, driver}};
    int index = 0;
    for (const auto& [name, version] : rows) {
      const std::string text = LocalizedText(name);
      AddListRow(list, index, text, -1);
      SetListText(list, index, 1, version);
      ++index;
    }
    SYSTEMTIME now;
    GetSystemTime(&now);
    SetDlgItemText(dialog, ids::kTimeLine, AboutTimeLine(now));
  }

  const DialogContext& context_;
  HBITMAP picture_ = nullptr;
};

}  // namespace

void RunAboutBox(HWND owner, const DialogContext& context) {
  InitCommonControls();
  AboutBox box(context);
  box.Run(owner);
}

}  // namespace camera
