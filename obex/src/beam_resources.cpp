#include "beam_resources.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "platform/window.h"

namespace obex {

namespace {

// Control styles of the window system.
constexpr platform::DWORD kStaticIcon = 0x0003;
constexpr platform::DWORD kStaticNotify = 0x0100;
constexpr platform::DWORD kListBoxNoIntegralHeight = 0x0100;
constexpr platform::DWORD kDialogModalFrame = 0x0080;

platform::DialogTemplate BeamDialogTemplate() {
  using namespace platform;
  DialogTemplate dialog;
  dialog.style = WS_POPUP | WS_CAPTION | WS_VISIBLE | kDialogModalFrame;
  // Dialog units; the dialog makes itself full-screen when it starts.
  dialog.cx = 160;
  dialog.cy = 186;
  dialog.items = {
      {"STATIC", "", kControlLogSwitch, WS_CHILD | WS_VISIBLE | kStaticIcon | kStaticNotify, 0, 5,
       5, 21, 20},
      {"STATIC", "", kControlStatus, WS_CHILD | WS_VISIBLE, 0, 37, 12, 120, 34},
      {"LISTBOX", "", kControlLog,
       WS_CHILD | WS_BORDER | WS_VSCROLL | WS_HSCROLL | kListBoxNoIntegralHeight, 0, 3, 52, 153,
       120},
  };
  return dialog;
}

// The conversion character of the one conversion in `format`; nothing when
// there is none or more than one.
std::optional<char> OnlyConversion(std::string_view format) {
  std::optional<char> found;
  for (std::size_t at = 0; at < format.size(); ++at) {
    if (format[at] != '%') continue;
    if (++at < format.size() && format[at] == '%') continue;
    while (at < format.size() &&
           std::string_view("-+ #0123456789.").find(format[at]) != std::string_view::npos) {
      ++at;
    }
    if (at >= format.size() || found) return std::nullopt;
    found = format[at];
  }
  return found;
}

template <typename Argument>
std::string FormatWith(const std::string& format, Argument argument) {
  const int length = std::snprintf(nullptr, 0, format.c_str(), argument);
  if (length < 0) return format;
  std::vector<char> text(static_cast<std::size_t>(length) + 1);
  std::snprintf(text.data(), text.size(), format.c_str(), argument);
  return std::string(text.data(), static_cast<std::size_t>(length));
}

}  // namespace

std::shared_ptr<platform::ModuleResources> MakeBeamResources(std::string* error) {
  auto resources = std::make_shared<platform::ModuleResources>();
  if (!platform::ParseStringTable(kBeamStringTable, resources.get(), error)) return nullptr;
  resources->AddDialog(kDialogBeam, BeamDialogTemplate());
  return resources;
}

std::string BeamString(platform::HINSTANCE resources, UINT id) {
  std::string text;
  platform::LoadString(resources, id, &text);
  return text;
}

std::string FormatBeamString(platform::HINSTANCE resources, UINT id, std::string_view argument) {
  const std::string format = BeamString(resources, id);
  if (OnlyConversion(format) != 's') return format;
  const std::string value(argument);
  return FormatWith(format, value.c_str());
}

std::string FormatBeamString(platform::HINSTANCE resources, UINT id, int argument) {
  const std::string format = BeamString(resources, id);
  const std::optional<char> conversion = OnlyConversion(format);
  if (!conversion || std::string_view("diuxXc").find(*conversion) == std::string_view::npos) {
    return format;
  }
  return FormatWith(format, argument);
}

}  // namespace obex
