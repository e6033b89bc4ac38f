#include "option_tables.h"

#include <array>

#include "artwork_ids.h"
#include "camera/strings/string_library.h"
#include "string_ids.h"

namespace camera {

namespace {

using O = OptionDefinition;
namespace art = artwork_ids;

constexpr std::array kWhiteBalance{O{50011, {}, 50012}, O{50013, {}, 50014}, O{50015, {}, 50016},
                                   O{50017, {}, 50018}, O{50019, {}, 50020}};
constexpr std::array kColor{O{50022, {}, 50023}, O{50024, {}, 50025}, O{50026, {}, 50027}};
constexpr std::array kCompression{O{50029, {}, 50030}, O{50031, {}, 50032}, O{50033, {}, 50034}};
constexpr std::array kResolution{O{0, "1280x1024"}, O{0, "1280x960"}, O{0, "640x480"},
                                 O{0, "320x240"}};
constexpr std::array kMetering{O{50037, {}, 50038}, O{50039, {}, 50040}};

constexpr std::array kSounds{O{kOffString, {}, 50045}, O{kOnString, {}, 50046}};
constexpr std::array kReview{O{kOffString, {}, 50048}, O{50083, {}, 50049}, O{50084, {}, 50050},
                             O{50085, {}, 50051}};
constexpr std::array kSelfTimer{O{kOffString, {}, 50053}, O{50054, {}, 50055}, O{50056, {}, 50057}};
constexpr std::array kFraming{O{kOffString, {}, 0}, O{kOnString, {}, 0}};

const std::array<EntryDefinition, 5> kSettingsEntries{{
    {50010, kWhiteBalance, art::kWhiteBalanceRows, &setting::kAwb, 0},
    {50021, kColor, art::kColorRows, &setting::kColor, 0},
    {50028, kCompression, art::kCompressionRows, &setting::kImageQuality, 1},
    {50035, kResolution, art::kResolutionRows, &setting::kResolution, 1},
    {50036, kMetering, art::kMeteringRows, &setting::kAeMetering, 1},
}};

const std::array<EntryDefinition, 4> kSetupEntries{{
    {50042, kSounds, art::kSoundRows, &setting::kCameraSound, 1},
    {50047, kReview, art::kReviewRows, &setting::kInstantReview, 1},
    {50052, kSelfTimer, art::kSelfTimerRows, &setting::kSelfTime, 0},
    {50088, kFraming, art::kFramingRows, &setting::kBusinessCard, 0, true},
}};

// Cuts a text to the option table's width without splitting a character.
std::string Limited(std::string text) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    units += length == 4 ? 2 : 1;
    if (units > kOptionTextLimit) {
      text.resize(i);
      break;
    }
    i += length;
  }
  return text;
}

std::string OptionText(const OptionDefinition& option) {
  if (option.text_id == 0) return std::string(option.fixed_text);
  return Limited(LocalizedText(option.text_id));
}

const OptionDefinition* Option(const EntryDefinition& entry, int value) {
  if (value < 0 || static_cast<std::size_t>(value) >= entry.options.size()) return nullptr;
  return &entry.options[static_cast<std::size_t>(value)];
}

}  // namespace

std::span<const EntryDefinition> SettingsPageEntries() { return kSettingsEntries; }

std::span<const EntryDefinition> SetupPageEntries() { return kSetupEntries; }

std::vector<std::string> OptionTexts(const EntryDefinition& entry) {
  std::vector<std::string> texts;
  for (const OptionDefinition& option : entry.options) texts.push_back(OptionText(option));
  texts.emplace_back(kOptionSentinel);
  return texts;
}

std::string OptionDescription(const EntryDefinition& entry, int value) {
  const OptionDefinition* option = Option(entry, value);
  if (!option) return {};
  if (entry.description_from_name) {
    // Each lookup reuses the library's one string: copy before the next.
    std::string name = LocalizedText(entry.name_id);
    return name + " " + OptionText(*option);
  }
  return option->description_id ? LocalizedText(option->description_id) : std::string();
}

std::string EntryText(const EntryDefinition& entry, int value) {
  const OptionDefinition* option = Option(entry, value);
  std::string name = LocalizedText(entry.name_id);
  return name + " (" + (option ? OptionText(*option) : std::string()) + ")";
}

}  // namespace camera
