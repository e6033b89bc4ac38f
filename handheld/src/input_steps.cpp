// Steps that act as the person holding the handheld: tap, drag, key, text.
// After each, the handheld is given a moment so that the programs have
// handled the input before the next step looks.
#include <cstdint>

#include "key_names.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/screen.h"
#include "script_steps.h"
#include "utf8_decode.h"

namespace handheld {

namespace {

// How long the handheld is given after each piece of input.
constexpr platform::DWORD kSettleMs = 50;
// Stylus moves a drag is made of.
constexpr int kDragMoves = 8;

// Each pair of arguments from `first` on must be a point on the screen.
std::optional<std::string> CheckPoints(const std::vector<std::string>& arguments) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    int value = 0;
    const int limit = i % 2 == 0 ? platform::screen::kWidth : platform::screen::kHeight;
    if (!ParseInteger(arguments[i], &value)) {
      return "not a whole number: '" + arguments[i] + "'";
    }
    if (value < 0 || value >= limit) {
      return std::string(i % 2 == 0 ? "x" : "y") + " " + arguments[i] + " is off the screen (0-" +
             std::to_string(limit - 1) + ")";
    }
  }
  return std::nullopt;
}

std::vector<int> Numbers(const std::vector<std::string>& arguments) {
  std::vector<int> numbers;
  for (const std::string& argument : arguments) {
    int value = 0;
    ParseInteger(argument, &value);
    numbers.push_back(value);
  }
  return numbers;
}

bool Tap(StepContext& context) {
  std::vector<int> at = Numbers(context.step.arguments);
  platform::input::StylusDown(at[0], at[1]);
  WaitOnHandheld(context, kSettleMs);
  platform::input::StylusUp(at[0], at[1]);
  WaitOnHandheld(context, kSettleMs);
  context.out << "tapped " << at[0] << "," << at[1] << "\n";
  return true;
}

bool Drag(StepContext& context) {
  std::vector<int> p = Numbers(context.step.arguments);
  platform::input::StylusDown(p[0], p[1]);
  WaitOnHandheld(context, kSettleMs);
  for (int i = 1; i <= kDragMoves; ++i) {
    platform::input::StylusMove(p[0] + (p[2] - p[0]) * i / kDragMoves,
                                p[1] + (p[3] - p[1]) * i / kDragMoves);
    WaitOnHandheld(context, kSettleMs);
  }
  platform::input::StylusUp(p[2], p[3]);
  WaitOnHandheld(context, kSettleMs);
  context.out << "dragged " << p[0] << "," << p[1] << " to " << p[2] << "," << p[3] << "\n";
  return true;
}

std::optional<std::string> CheckKey(const std::vector<std::string>& arguments) {
  if (KeyPressByName(arguments[0])) return std::nullopt;
  std::string known;
  for (const std::string& name : KeyNames()) known += " " + name;
  return "unknown key '" + arguments[0] + "'; keys are a-z, 0-9 and" + known +
         ", each also as shift+KEY";
}

bool Key(StepContext& context) {
  const KeyPress press = *KeyPressByName(context.step.arguments[0]);
  if (press.shift) platform::input::KeyDown(platform::VK_SHIFT);
  platform::input::KeyDown(press.key);
  WaitOnHandheld(context, kSettleMs);
  platform::input::KeyUp(press.key);
  if (press.shift) platform::input::KeyUp(platform::VK_SHIFT);
  WaitOnHandheld(context, kSettleMs);
  context.out << "pressed " << context.step.arguments[0] << "\n";
  return true;
}

std::optional<std::string> CheckText(const std::vector<std::string>& arguments) {
  std::optional<std::u32string> text = DecodeUtf8(Joined(arguments, 0));
  if (!text) return "the text is not UTF-8";
  for (char32_t c : *text) {
    // Characters go to the handheld as single UTF-16 units.
    if (c > 0xFFFF) return "characters past U+FFFF cannot be typed";
  }
  return std::nullopt;
}

bool Text(StepContext& context) {
  // Words typed one after the other are separated by a space, as written.
  const std::string text = Joined(context.step.arguments, 0);
  const std::u32string characters = DecodeUtf8(text).value_or(U"");
  for (char32_t c : characters) platform::input::Char(static_cast<wchar_t>(c));
  WaitOnHandheld(context, kSettleMs);
  context.out << "typed \"" << text << "\"\n";
  return true;
}

}  // namespace

void AddInputSteps(StepTable* table) {
  table->insert({
      {"tap", {2, 2, CheckPoints, Tap, "tap X Y", "the stylus taps the screen"}},
      {"drag", {4, 4, CheckPoints, Drag, "drag X1 Y1 X2 Y2", "the stylus drags"}},
      {"key", {1, 1, CheckKey, Key, "key NAME", "presses and releases a key"}},
      {"text", {1, SIZE_MAX, CheckText, Text, "text STRING", "types the text"}},
  });
}

}  // namespace handheld
