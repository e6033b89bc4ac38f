// orsa-handheld: runs an emulated handheld in a host folder, headless or in
// a window.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "byte_size.h"
#include "emulator.h"
#include "keyboard_map.h"
#include "platform/screen.h"
#include "screen_recorder.h"
#include "script.h"
#include "script_runner.h"
#include "sdl_front_end.h"

namespace {

constexpr const char* kUsage =
    "usage: orsa-handheld --root FOLDER [--script FILE] [--window] [options]\n"
    "\n"
    "Makes (or reopens) a handheld whose files and registry live in FOLDER and\n"
    "runs the steps of the script FILE on it: headless, or with --window in a\n"
    "window that shows the screen beside the handheld's buttons.\n"
    "\n"
    "  --root FOLDER        host folder of the handheld (created when missing)\n"
    "  --script FILE        script of steps (see handheld/scripts/demo.txt and\n"
    "                       the steps below)\n"
    "  --screenshot FILE    write the screen as a PNG file when the script ends\n"
    "  --window             show the handheld in a window (SDL2); the clock then\n"
    "                       follows real time; the window stays open after the\n"
    "                       script until it is closed\n"
    "  --close-after-script with --window: close when the script ends\n"
    "  --window-screenshot FILE\n"
    "                       with --window: write the window's picture as a PNG\n"
    "                       file when the script ends\n"
    "  --external-window-screenshot FILE\n"
    "                       the same for the external display's window\n"
    "  --locale ID          the handheld's locale id, e.g. 0x040C for French\n"
    "  --boot-time \"YYYY-MM-DD HH:MM\"\n"
    "                       the handheld's local time at boot (the host's when\n"
    "                       not given), so that dates on screen stay the same\n"
    "  --store-size SIZE    size of the main store (32M; K, M, G or bytes)\n"
    "  --store-free SIZE    free space of a new handheld's store (20M)\n"
    "  --card-size SIZE     size of the storage card (256M)\n"
    "  --storage-card       boot with the storage card in\n"
    "  --no-desktop         no Today screen and Start menu behind the programs\n"
    "  --ir-peer NAME=HOST[:PORT]\n"
    "                       a device in infrared range: an OBEX receiver on the\n"
    "                       host (port 650 when not given); may be repeated\n"
    "  --no-tmail, --no-pmail, --no-beam, --no-irsquirt\n"
    "                       leave that mail or beam program out of \\Windows\n"
    "  --printer mprint|qx|none\n"
    "                       the print engine: mprint.dll, QXPrintEngine.dll with\n"
    "                       QXPrintUI.dll, or none (mprint)\n"
    "  --external-display WxHxBPP\n"
    "                       plug in an external display, e.g. 640x480x16\n"
    "  --real-time          let the handheld's clock follow real time instead of\n"
    "                       jumping ahead whenever every thread waits\n"
    "  --record FOLDER      while the script runs, write the screen into FOLDER as\n"
    "                       PNG frames: one whenever it changed, at most one per\n"
    "                       100 ms of the handheld's time, named by that time in\n"
    "                       ms (frame-000012340.png); scripts/make-recording.sh\n"
    "                       makes a video of them\n"
    "  -h, --help           show this text\n"
    "\n"
    "Key names for 'key': action, app1-app4, up, down, left, right, enter,\n"
    "escape, pageup, pagedown, home, end, delete, backspace, space, tab, a-z, 0-9,\n"
    "plus (=), minus (-), comma (,), period (.); shift+NAME holds Shift around\n"
    "the key (key shift+tab).\n"
    "\n"
    "In the window the mouse is the stylus on the screen and presses the drawn\n"
    "buttons; the keyboard stands for the handheld's keys:\n";

int UsageError(const std::string& message) {
  std::cerr << "orsa-handheld: " << message << "\n"
            << "Try 'orsa-handheld --help'.\n";
  return 2;
}

// NAME=HOST[:PORT]
std::optional<platform::InfraredPeer> ParsePeer(const std::string& text) {
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos || equals == 0 || equals + 1 == text.size()) return std::nullopt;
  platform::InfraredPeer peer;
  peer.name = text.substr(0, equals);
  std::string host = text.substr(equals + 1);
  const std::size_t colon = host.rfind(':');
  if (colon != std::string::npos) {
    char* end = nullptr;
    const unsigned long port = std::strtoul(host.c_str() + colon + 1, &end, 10);
    if (!end || *end != '\0' || port == 0 || port > 65535) return std::nullopt;
    peer.port = static_cast<platform::WORD>(port);
    host.resize(colon);
  }
  if (host.empty()) return std::nullopt;
  peer.host = host;
  return peer;
}

struct Options {
  handheld::EmulatorOptions emulator;
  std::string script_path;
  std::filesystem::path screenshot;
  std::filesystem::path window_screenshot;
  std::filesystem::path external_window_screenshot;
  std::filesystem::path record_folder;
  bool window = false;
  bool close_after_script = false;
};

}  // namespace

int main(int argc, char** argv) {
  Options options;
  options.emulator.desktop = true;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const bool has_value = i + 1 < argc;
    if (argument == "-h" || argument == "--help") {
      std::cout << kUsage;
      for (const handheld::KeyHelp& line : handheld::KeyboardHelp()) {
        std::cout << "  " << line.host_keys << std::string(16 - line.host_keys.size(), ' ')
                  << line.meaning << "\n";
      }
      std::cout << "\nScript steps, one a line (# starts a comment; double quotes keep spaces):\n"
                << handheld::StepsHelp();
      std::cout << "\nExit status: 0 when every step succeeded, 1 when a step failed,\n"
                   "2 for a usage error, a script that cannot be read or no window.\n";
      return 0;
    } else if (argument == "--real-time") {
      options.emulator.real_time = true;
    } else if (argument == "--window") {
      options.window = true;
    } else if (argument == "--close-after-script") {
      options.close_after_script = true;
    } else if (argument == "--root" && has_value) {
      options.emulator.root = argv[++i];
    } else if (argument == "--script" && has_value) {
      options.script_path = argv[++i];
    } else if (argument == "--screenshot" && has_value) {
      options.screenshot = argv[++i];
    } else if (argument == "--locale" && has_value) {
      char* end = nullptr;
      const unsigned long locale = std::strtoul(argv[++i], &end, 0);
      if (!end || *end != '\0' || locale == 0 || locale > 0xFFFF) {
        return UsageError("--locale takes a locale id such as 0x0409");
      }
      options.emulator.locale_id = static_cast<platform::DWORD>(locale);
    } else if (argument == "--boot-time" && has_value) {
      const std::string text = argv[++i];
      const std::size_t space = text.find(' ');
      std::optional<platform::SYSTEMTIME> when;
      if (space != std::string::npos) {
        when = handheld::ParseDateTime(text.substr(0, space), text.substr(space + 1));
      }
      if (!when) return UsageError("--boot-time takes \"YYYY-MM-DD HH:MM\"");
      options.emulator.boot_time = when;
    } else if ((argument == "--store-size" || argument == "--store-free" ||
                argument == "--card-size") &&
               has_value) {
      const std::optional<std::uint64_t> size = handheld::ParseByteSize(argv[++i]);
      if (!size || *size == 0) return UsageError(argument + " takes a size such as 32M");
      if (argument == "--store-size") options.emulator.store_size_bytes = *size;
      if (argument == "--store-free") options.emulator.store_free_bytes = *size;
      if (argument == "--card-size") options.emulator.card_size_bytes = *size;
    } else if (argument == "--no-desktop") {
      options.emulator.desktop = false;
    } else if (argument == "--storage-card") {
      options.emulator.storage_card = true;
    } else if (argument == "--ir-peer" && has_value) {
      std::optional<platform::InfraredPeer> peer = ParsePeer(argv[++i]);
      if (!peer) return UsageError("--ir-peer takes NAME=HOST[:PORT]");
      options.emulator.infrared_peers.push_back(*peer);
    } else if (argument.starts_with("--no-") || argument == "--printer" ||
               argument == "--external-display") {
      bool used_value = false;
      std::string error;
      const handheld::OptionParse parsed =
          handheld::ParseOutletOption(argument, has_value ? argv[i + 1] : nullptr,
                                      &options.emulator.outlets, &used_value, &error);
      if (parsed == handheld::OptionParse::kBadValue) return UsageError(error);
      if (parsed == handheld::OptionParse::kNotOutlet) {
        return UsageError("unexpected argument '" + argument + "'");
      }
      if (used_value) ++i;
    } else if (argument == "--external-window-screenshot" && has_value) {
      options.external_window_screenshot = argv[++i];
    } else if (argument == "--record" && has_value) {
      options.record_folder = argv[++i];
    } else if (argument == "--window-screenshot" && has_value) {
      options.window_screenshot = argv[++i];
    } else {
      return UsageError("unexpected argument '" + argument + "'");
    }
  }
  if (options.emulator.root.empty()) return UsageError("--root is required");
  if (options.script_path.empty() && !options.window) {
    return UsageError("--script is required without --window");
  }
  if (!options.record_folder.empty() && options.script_path.empty()) {
    return UsageError("--record needs --script");
  }
  if (!options.window && (options.close_after_script || !options.window_screenshot.empty() ||
                          !options.external_window_screenshot.empty())) {
    return UsageError("--close-after-script and the window screenshots need --window");
  }

  handheld::Script script;
  if (!options.script_path.empty()) {
    std::ifstream file(options.script_path);
    if (!file) return UsageError("cannot read script " + options.script_path);
    std::stringstream text;
    text << file.rdbuf();
    std::string error;
    if (!handheld::ParseScript(text.str(), &script, &error)) {
      return UsageError(options.script_path + ": " + error);
    }
  }

  // A person at the window expects the handheld's time to pass as theirs.
  if (options.window) {
    options.emulator.real_time = true;
    options.emulator.interactive = true;
  }
  std::error_code ignored;
  std::filesystem::create_directories(options.emulator.root, ignored);
  handheld::Emulator emulator(options.emulator);

  std::unique_ptr<handheld::SdlFrontEnd> front_end;
  handheld::RunnerHooks hooks;
  if (options.window) {
    std::string error;
    front_end = handheld::SdlFrontEnd::Open(&error);
    if (!front_end) {
      std::cerr << "orsa-handheld: " << error << "\n";
      return 2;
    }
  }
  std::optional<handheld::ScreenRecorder> recorder;
  if (!options.record_folder.empty()) recorder.emplace(options.record_folder);
  if (front_end || recorder) {
    hooks.idle = [&front_end, &recorder] {
      if (front_end) front_end->Pump();
      if (recorder) recorder->Look();
    };
  }

  handheld::ScriptRunner runner(emulator, std::cout, std::cerr, hooks);
  if (!runner.Validate(script)) return 2;
  const handheld::ScriptReport report = runner.Run(script);
  if (!options.script_path.empty()) {
    std::cout << "orsa-handheld: " << report.steps_run << " of " << script.steps.size()
              << " steps ran, " << report.failures << " failed; the handheld's files are in "
              << std::filesystem::absolute(options.emulator.root / "files").string() << "\n";
  }
  int status = report.failures == 0 ? 0 : 1;
  if (recorder) {
    recorder->Finish();
    std::cout << "orsa-handheld: recorded " << recorder->frames_written() << " frames in "
              << options.record_folder.string() << "\n";
    if (recorder->write_failure()) {
      std::cerr << "orsa-handheld: cannot write " << recorder->write_failure()->string() << "\n";
      status = 1;
    }
  }
  if (!options.screenshot.empty() && !platform::screen::SaveScreenshot(options.screenshot)) {
    std::cerr << "orsa-handheld: cannot write " << options.screenshot.string() << "\n";
    status = 1;
  }
  if (front_end) {
    if (!options.window_screenshot.empty() &&
        !front_end->SaveWindowImage(options.window_screenshot)) {
      std::cerr << "orsa-handheld: cannot write " << options.window_screenshot.string() << "\n";
      status = 1;
    }
    if (!options.external_window_screenshot.empty() &&
        !front_end->SaveExternalWindowImage(options.external_window_screenshot)) {
      std::cerr << "orsa-handheld: cannot write " << options.external_window_screenshot.string()
                << "\n";
      status = 1;
    }
    if (!options.close_after_script) front_end->RunUntilClosed();
  }
  return status;
}
