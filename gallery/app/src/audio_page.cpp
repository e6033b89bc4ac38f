// Audio: the voice-note recorder's format. The attributes list follows the
// format chosen: sixteen PCM entries, or the one GSM 6.10 entry.
#include <cstdio>

#include "gallery/options/audio_formats.h"
#include "gallery/resources/dialog_ids.h"
#include "gallery/resources/string_ids.h"
#include "gallery_state.h"
#include "help.h"
#include "option_pages.h"
#include "platform/controls.h"
#include "resource_texts.h"

namespace gallery {

using namespace platform;

namespace {

constexpr int kPcmChoice = 0;
constexpr int kGsmChoice = 1;

std::string FormatText(const AudioOptions& audio) {
  char text[160];
  const std::string rate_unit = ResourceText(kStringRateUnit);
  const std::string channels = ResourceText(audio.channels == 2 ? kStringStereo : kStringMono);
  if (audio.format_tag == kFormatGsm610) {
    std::snprintf(text, sizeof text, "8,000 %s, %s (2 KB/s)", rate_unit.c_str(), channels.c_str());
  } else {
    std::snprintf(text, sizeof text, "%d,%03d %s, %d %s, %s (%d KB/s)",
                  static_cast<int>(audio.samples_per_second / 1000),
                  static_cast<int>(audio.samples_per_second % 1000), rate_unit.c_str(),
                  audio.bits_per_sample, ResourceText(kStringBitsUnit).c_str(), channels.c_str(),
                  KilobytesPerSecond(audio));
  }
  return text;
}

void FillAttributes(HWND page, int choice, int selection) {
  std::vector<std::string> entries;
  if (choice == kGsmChoice) {
    entries.push_back(FormatText(kGsmAudio));
  } else {
    for (const AudioOptions& format : PcmFormats()) entries.push_back(FormatText(format));
  }
  pages::FillCombo(page, kComboAudioAttributes, entries, selection);
}

void Load(HWND page) {
  const AudioOptions& audio = Gallery().options.audio;
  const bool gsm = audio.format_tag == kFormatGsm610;
  pages::FillCombo(page, kComboAudioFormat, {"PCM", "GSM 6.10"}, gsm ? kGsmChoice : kPcmChoice);
  const int index = PcmFormatIndex(audio);
  FillAttributes(page, gsm ? kGsmChoice : kPcmChoice,
                 gsm ? 0 : (index >= 0 ? index : kDefaultPcmFormat));
}

void Store(HWND page) {
  AudioOptions* audio = &Gallery().options.audio;
  if (pages::ComboSelection(page, kComboAudioFormat) == kGsmChoice) {
    *audio = kGsmAudio;
    return;
  }
  const int index = pages::ComboSelection(page, kComboAudioAttributes);
  if (index >= 0 && index < kPcmFormatCount) *audio = PcmFormats()[static_cast<std::size_t>(index)];
}

// A new format rebuilds the list at its first choice.
bool Command(HWND page, WORD id, WORD code) {
  if (id != kComboAudioFormat || code != CBN_SELCHANGE) return false;
  const int choice = pages::ComboSelection(page, kComboAudioFormat);
  FillAttributes(page, choice, choice == kGsmChoice ? 0 : kDefaultPcmFormat);
  return true;
}

constexpr pages::PageBehaviour kAudioPage{Load, Command, Store, kHelpAudio};

}  // namespace

INT_PTR AudioPageProcedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
  return pages::RunPage(kAudioPage, page, message, wparam, lparam);
}

}  // namespace gallery
