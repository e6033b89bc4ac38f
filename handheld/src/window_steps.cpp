// Steps that look at windows and the clipboard: expect-text reads a
// control's text, expect-no-window checks that a window has gone and
// save-clipboard writes the clipboard's picture as a PNG file.
#include <algorithm>
#include <filesystem>

#include "platform/clipboard.h"
#include "platform/gdi_dib.h"
#include "platform/gdi_png.h"
#include "platform/paths.h"
#include "platform/window.h"
#include "script_steps.h"

namespace handheld {

namespace {

// How long the steps give the programs to bring the screen where expected.
constexpr platform::DWORD kWaitMs = 5000;
constexpr platform::DWORD kPollMs = 50;

// A control is named by its class ("Edit") or by its id (a number).
struct ControlName {
  std::optional<int> id;
  std::string window_class;
  bool Matches(platform::HWND hwnd) const {
    if (id) return platform::GetDlgCtrlID(hwnd) == *id;
    return platform::EqualsIgnoreCase(platform::GetClassName(hwnd), window_class);
  }
};

ControlName NameOf(const std::string& text) {
  ControlName name;
  int id = 0;
  if (ParseInteger(text, &id)) {
    name.id = id;
  } else {
    name.window_class = text;
  }
  return name;
}

// The texts of the visible windows and controls so named, top-level windows
// and their children alike.
std::vector<std::string> TextsOf(const ControlName& name) {
  std::vector<std::string> texts;
  auto look = [&](platform::HWND hwnd, platform::LPARAM) {
    if (platform::IsWindowVisible(hwnd) && name.Matches(hwnd)) {
      texts.push_back(platform::GetWindowText(hwnd));
    }
    return platform::TRUE;
  };
  platform::EnumWindows(
      [&](platform::HWND top, platform::LPARAM lparam) {
        look(top, lparam);
        platform::EnumChildWindows(top, look, lparam);
        return platform::TRUE;
      },
      0);
  return texts;
}

bool ExpectText(StepContext& context) {
  const ControlName name = NameOf(context.step.arguments[0]);
  const std::string& expected = context.step.arguments[1];
  std::vector<std::string> texts;
  for (platform::DWORD waited = 0;; waited += kPollMs) {
    texts = TextsOf(name);
    if (std::find(texts.begin(), texts.end(), expected) != texts.end()) {
      context.out << context.step.arguments[0] << " shows \"" << expected << "\"\n";
      return true;
    }
    if (waited >= kWaitMs) break;
    WaitOnHandheld(context, kPollMs);
  }
  if (texts.empty()) return Fail(context, "no control " + context.step.arguments[0] + " is shown");
  std::string seen;
  for (const std::string& text : texts) seen += (seen.empty() ? "\"" : ", \"") + text + "\"";
  return Fail(context, context.step.arguments[0] + " shows " + seen + ", not \"" + expected + "\"");
}

bool ExpectNoWindow(StepContext& context) {
  const std::string& window_class = context.step.arguments[0];
  for (platform::DWORD waited = 0;; waited += kPollMs) {
    platform::HWND found = platform::FindWindow(window_class, std::nullopt);
    if (!found || !platform::IsWindowVisible(found)) break;
    if (waited >= kWaitMs) {
      return Fail(context, "a window of class '" + window_class + "' is still shown after " +
                               std::to_string(kWaitMs) + " ms");
    }
    WaitOnHandheld(context, kPollMs);
  }
  context.out << "no window " << window_class << "\n";
  return true;
}

bool SaveClipboard(StepContext& context) {
  const std::filesystem::path file = context.emulator.root() / context.step.arguments[0];
  if (!platform::OpenClipboard(nullptr)) return Fail(context, "the clipboard is in use");
  std::optional<std::vector<platform::BYTE>> dib = platform::GetClipboardData(platform::CF_DIB);
  platform::CloseClipboard();
  if (!dib) return Fail(context, "the clipboard holds no picture");
  std::optional<platform::gdi::Surface> picture = platform::gdi::SurfaceFromPackedDib(*dib);
  if (!picture) return Fail(context, "the clipboard's picture is damaged");
  std::error_code ignored;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ignored);
  if (!platform::gdi::WritePng(*picture, file)) {
    return Fail(context, "cannot write " + file.string());
  }
  context.out << "clipboard picture " << picture->width() << "x" << picture->height() << " in "
              << std::filesystem::absolute(file).string() << "\n";
  return true;
}

}  // namespace

void AddWindowSteps(StepTable* table) {
  table->insert({
      {"expect-text",
       {2, 2, nullptr, ExpectText, "expect-text CLASS|ID TEXT",
        "a control (by class or id) must show TEXT within 5 s"}},
      {"expect-no-window",
       {1, 1, nullptr, ExpectNoWindow, "expect-no-window CLASS",
        "no window of the class may be shown within 5 s"}},
      {"save-clipboard",
       {1, 1, nullptr, SaveClipboard, "save-clipboard FILE.png",
        "writes the clipboard's picture as PNG (relative: in --root)"}},
  });
}

}  // namespace handheld
