// GalleryOptions: the gallery's four option records, kept in memory and
// stored as binary values of exact sizes (little-endian) under
// HKEY_CURRENT_USER "SOFTWARE\QX\orsagal\Settings", beside "Version".
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace gallery {

inline constexpr char kOptionsVersion[] = "v1.15.002";

struct GeneralOptions {
  std::uint32_t external_display = 0;
  std::uint32_t auto_play_voice_note = 1;
  std::uint32_t show_histogram = 0;
  friend bool operator==(const GeneralOptions&, const GeneralOptions&) = default;
};

enum SortKey : std::uint32_t { kSortByName = 0, kSortByDate = 1, kSortBySize = 2, kSortByType = 3 };

struct FileOptions {
  std::uint32_t sort_key = kSortByName;
  std::uint32_t sort_ascending = 1;
  std::uint32_t include_subfolders = 1;
  std::uint32_t open_card_pictures = 1;
  friend bool operator==(const FileOptions&, const FileOptions&) = default;
};

inline constexpr std::uint16_t kFormatPcm = 1;
inline constexpr std::uint16_t kFormatGsm610 = 49;

struct AudioOptions {
  std::uint16_t format_tag = kFormatPcm;
  std::uint16_t channels = 1;
  std::uint32_t samples_per_second = 11025;
  std::uint16_t bits_per_sample = 8;
  friend bool operator==(const AudioOptions&, const AudioOptions&) = default;
};

// The one GSM 6.10 format the recorder offers.
inline constexpr AudioOptions kGsmAudio{kFormatGsm610, 1, 8000, 0};

enum AdvanceMode : std::uint32_t {
  kAdvanceManual = 0,
  kAdvanceForward = 1,
  kAdvanceBackward = 2,
  kAdvanceRandom = 3,
};

inline constexpr std::uint32_t kTransitionCount = 22;  // 0..21, then 22: random
inline constexpr std::uint32_t kRandomTransition = kTransitionCount;
inline constexpr std::uint16_t kLongestInterval = 9999;

struct SlideshowOptions {
  std::uint32_t advance_mode = kAdvanceManual;
  std::uint16_t interval_seconds = 2;
  std::uint32_t loop = 1;
  std::uint32_t rotate_to_fit = 1;
  std::uint32_t rotate_direction = 1;
  std::uint32_t show_file_name = 0;
  std::uint32_t show_file_info = 0;
  std::uint32_t play_voice_notes = 1;
  std::uint32_t transitions_on = 0;
  std::uint32_t transition = 0;
  friend bool operator==(const SlideshowOptions&, const SlideshowOptions&) = default;
};

struct GalleryOptions {
  GeneralOptions general;
  FileOptions file;
  AudioOptions audio;
  SlideshowOptions slideshow;
  friend bool operator==(const GalleryOptions&, const GalleryOptions&) = default;
};

// The records' bytes as stored.
inline constexpr std::size_t kGeneralRecordSize = 12;
inline constexpr std::size_t kFileRecordSize = 16;
inline constexpr std::size_t kAudioRecordSize = 12;
inline constexpr std::size_t kSlideshowRecordSize = 40;

std::array<std::byte, kGeneralRecordSize> EncodeGeneral(const GeneralOptions& options);
std::array<std::byte, kFileRecordSize> EncodeFile(const FileOptions& options);
std::array<std::byte, kAudioRecordSize> EncodeAudio(const AudioOptions& options);
std::array<std::byte, kSlideshowRecordSize> EncodeSlideshow(const SlideshowOptions& options);

// The record the bytes hold; nothing when a field is outside what the
// gallery can use (a sort key of 7, a transition of 40, an audio format the
// recorder does not offer), so a damaged record never reaches a table.
std::optional<GeneralOptions> DecodeGeneral(std::span<const std::byte, kGeneralRecordSize> bytes);
std::optional<FileOptions> DecodeFile(std::span<const std::byte, kFileRecordSize> bytes);
std::optional<AudioOptions> DecodeAudio(std::span<const std::byte, kAudioRecordSize> bytes);
std::optional<SlideshowOptions> DecodeSlideshow(
    std::span<const std::byte, kSlideshowRecordSize> bytes);

// True for a format the voice-note recorder offers (the PCM list or GSM).
bool IsOfferedAudioFormat(const AudioOptions& audio);

// What a load found.
struct OptionsLoadReport {
  bool version_replaced = false;  // "Version" missing or another: all discarded
  int records_damaged = 0;        // wrong type, size or contents: defaults, rewritten
};

// Reads the four records (a missing one keeps its defaults; a damaged one
// gets its defaults and is written again).
GalleryOptions LoadGalleryOptions(OptionsLoadReport* report = nullptr);
// Writes the four records; false when one could not be written.
bool SaveGalleryOptions(const GalleryOptions& options);

}  // namespace gallery
