#include "command_line.h"

#include <charconv>
#include <map>

#include "preview_frames.h"

namespace orsacard {

const char* const kUsage =
    "usage: orsa-card snapshot --type T --quality Q [--color full|bw|negative]\n"
    "                          [--wb auto|sun|tungsten|fluorescent] OUT.jpg\n"
    "       orsa-card preview --frames N [--type T] [--out DIR]\n"
    "       orsa-card --help\n"
    "\n"
    "Makes a handheld with the camera card inserted and its driver loaded, and\n"
    "drives \"SIO1:\" as the camera application does.\n"
    "\n"
    "  snapshot   takes a still picture of capture type T (0-21) at quality Q\n"
    "             (0 good, 1 better, 2 best) after a short preview, writes it to OUT.jpg\n"
    "  preview    runs the preview stream of type T (4, 6, 9, 17, 20 or 21; 4 if not\n"
    "             given) for N frames; prints the rate, each frame's size and mean\n"
    "             luminance; with --out writes each frame as DIR/frame0001.jpg, ...\n"
    "\n"
    "options for both:\n"
    "  --scene FILE   the card looks at this PNG or JPEG picture (else an animated room)\n"
    "  --real-time    run on the real clock (else a virtual clock, as fast as it goes)\n"
    "  --root DIR     keep the handheld's folder here (else a temporary one, removed)\n"
    "  --model ID     the handheld's model id (else none: the card's slower bus clock)\n"
    "\n"
    "exit status: 0 done, 1 failed, 2 wrong arguments\n";

namespace {

std::optional<int> Number(const std::string& text, int low, int high) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

std::optional<orsadrv::DWORD> Choice(const std::string& text,
                                     const std::map<std::string, orsadrv::DWORD>& choices) {
  const auto found = choices.find(text);
  if (found == choices.end()) return std::nullopt;
  return found->second;
}

const std::map<std::string, orsadrv::DWORD> kColourModes = {
    {"full", 0}, {"bw", 1}, {"negative", 2}};
const std::map<std::string, orsadrv::DWORD> kWhiteBalances = {
    {"auto", 0}, {"sun", 1}, {"tungsten", 2}, {"fluorescent", 3}};

}  // namespace

std::variant<Arguments, std::string> ParseArguments(const std::vector<std::string>& words) {
  Arguments arguments;
  if (words.empty()) return std::string("no command given");
  const std::string& command = words[0];
  if (command == "--help" || command == "-h" || command == "help") return arguments;
  if (command == "snapshot") {
    arguments.command = Command::kSnapshot;
  } else if (command == "preview") {
    arguments.command = Command::kPreview;
  } else {
    return "unknown command '" + command + "'";
  }
  const bool snapshot = arguments.command == Command::kSnapshot;
  bool has_type = false, has_quality = false, has_frames = false;
  std::vector<std::string> positional;
  for (std::size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word == "--help" || word == "-h") {
      arguments.command = Command::kHelp;
      return arguments;
    }
    if (word == "--real-time") {
      arguments.real_time = true;
      continue;
    }
    if (word.size() < 2 || word.substr(0, 2) != "--") {
      positional.push_back(word);
      continue;
    }
    if (i + 1 >= words.size()) return word + " needs a value";
    const std::string& value = words[++i];
    if (word == "--root") {
      arguments.root = value;
    } else if (word == "--model") {
      if (value.empty() || value.size() > 15) return "--model " + value + ": 1 to 15 characters";
      arguments.model_id = value;
    } else if (word == "--scene") {
      arguments.scene = value;
    } else if (word == "--type") {
      const auto type = Number(value, 0, 21);
      if (!type || (!snapshot && !PreviewFormatOf(*type))) {
        return "--type " + value +
               (snapshot ? ": not a capture type (0-21)"
                         : ": not a preview type (4, 6, 9, 17, 20, 21)");
      }
      arguments.type = *type;
      has_type = true;
    } else if (word == "--quality" && snapshot) {
      const auto quality = Number(value, 0, 2);
      if (!quality) return "--quality " + value + ": must be 0, 1 or 2";
      arguments.options.compression = static_cast<orsadrv::DWORD>(*quality);
      has_quality = true;
    } else if (word == "--color" && snapshot) {
      const auto mode = Choice(value, kColourModes);
      if (!mode) return "--color " + value + ": must be full, bw or negative";
      arguments.options.colour_mode = *mode;
    } else if (word == "--wb" && snapshot) {
      const auto preset = Choice(value, kWhiteBalances);
      if (!preset) return "--wb " + value + ": must be auto, sun, tungsten or fluorescent";
      arguments.options.white_balance = *preset;
    } else if (word == "--frames" && !snapshot) {
      const auto frames = Number(value, 1, 1'000'000);
      if (!frames) return "--frames " + value + ": must be a positive number";
      arguments.frames = *frames;
      has_frames = true;
    } else if (word == "--out" && !snapshot) {
      arguments.output_folder = value;
    } else {
      return "unknown option " + word + " for " + command;
    }
  }
  if (snapshot) {
    if (!has_type || !has_quality) return std::string("snapshot needs --type and --quality");
    if (positional.size() != 1) return std::string("snapshot needs one output file");
    arguments.output = positional[0];
  } else {
    if (!has_frames) return std::string("preview needs --frames");
    if (!positional.empty()) return "unexpected argument '" + positional[0] + "'";
  }
  return arguments;
}

}  // namespace orsacard
