#include "gallery/options/gallery_options.h"

#include "gallery/options/audio_formats.h"
#include "gallery/options/registry_accessor.h"
#include "platform/registry.h"

namespace gallery {

namespace {

constexpr char kGeneralValue[] = "General";
constexpr char kFileValue[] = "File";
constexpr char kAudioValue[] = "Audio";
constexpr char kSlideshowValue[] = "Slideshow";

// Little-endian fields written in record order.
class RecordWriter {
 public:
  explicit RecordWriter(std::span<std::byte> out) : out_(out) {}
  RecordWriter& U16(std::uint16_t value) { return Put(value, 2); }
  RecordWriter& U32(std::uint32_t value) { return Put(value, 4); }

 private:
  RecordWriter& Put(std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out_[at_++] = static_cast<std::byte>(value >> (8 * i));
    return *this;
  }
  std::span<std::byte> out_;
  std::size_t at_ = 0;
};

class RecordReader {
 public:
  explicit RecordReader(std::span<const std::byte> in) : in_(in) {}
  std::uint16_t U16() { return static_cast<std::uint16_t>(Take(2)); }
  std::uint32_t U32() { return Take(4); }

 private:
  std::uint32_t Take(int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= std::to_integer<std::uint32_t>(in_[at_++]) << (8 * i);
    return value;
  }
  std::span<const std::byte> in_;
  std::size_t at_ = 0;
};

bool IsFlag(std::uint32_t value) { return value <= 1; }

// Reads one record: missing leaves the defaults, damaged gives the
// defaults and writes them back.
template <std::size_t Size, typename Options, typename Decode, typename Encode>
void LoadRecord(const RegistryAccessor& settings, const char* name, Options* options, Decode decode,
                Encode encode, OptionsLoadReport* report) {
  if (!settings.HasValue(name)) return;
  std::array<std::byte, Size> bytes{};
  if (settings.ReadBinary(name, bytes)) {
    if (std::optional<Options> decoded = decode(std::span<const std::byte, Size>(bytes))) {
      *options = *decoded;
      return;
    }
  }
  *options = Options{};
  ++report->records_damaged;
  settings.WriteBinary(name, encode(*options));
}

RegistryAccessor Settings() {
  return RegistryAccessor(platform::HKEY_CURRENT_USER, kGalleryKey, kSettingsSubkey);
}

}  // namespace

std::array<std::byte, kGeneralRecordSize> EncodeGeneral(const GeneralOptions& options) {
  std::array<std::byte, kGeneralRecordSize> bytes{};
  RecordWriter(bytes)
      .U32(options.external_display)
      .U32(options.auto_play_voice_note)
      .U32(options.show_histogram);
  return bytes;
}

std::array<std::byte, kFileRecordSize> EncodeFile(const FileOptions& options) {
  std::array<std::byte, kFileRecordSize> bytes{};
  RecordWriter(bytes)
      .U32(options.sort_key)
      .U32(options.sort_ascending)
      .U32(options.include_subfolders)
      .U32(options.open_card_pictures);
  return bytes;
}

std::array<std::byte, kAudioRecordSize> EncodeAudio(const AudioOptions& options) {
  std::array<std::byte, kAudioRecordSize> bytes{};
  RecordWriter(bytes)
      .U16(options.format_tag)
      .U16(options.channels)
      .U32(options.samples_per_second)
      .U16(options.bits_per_sample)
      .U16(0);
  return bytes;
}

std::array<std::byte, kSlideshowRecordSize> EncodeSlideshow(const SlideshowOptions& options) {
  std::array<std::byte, kSlideshowRecordSize> bytes{};
  RecordWriter(bytes)
      .U32(options.advance_mode)
      .U16(options.interval_seconds)
      .U16(0)
      .U32(options.loop)
      .U32(options.rotate_to_fit)
      .U32(options.rotate_direction)
      .U32(options.show_file_name)
      .U32(options.show_file_info)
      .U32(options.play_voice_notes)
      .U32(options.transitions_on)
      .U32(options.transition);
  return bytes;
}

std::optional<GeneralOptions> DecodeGeneral(std::span<const std::byte, kGeneralRecordSize> bytes) {
  RecordReader in(bytes);
  GeneralOptions options;
  options.external_display = in.U32();
  options.auto_play_voice_note = in.U32();
  options.show_histogram = in.U32();
  return options;
}

std::optional<FileOptions> DecodeFile(std::span<const std::byte, kFileRecordSize> bytes) {
  RecordReader in(bytes);
  FileOptions options;
  options.sort_key = in.U32();
  options.sort_ascending = in.U32();
  options.include_subfolders = in.U32();
  options.open_card_pictures = in.U32();
  if (options.sort_key > kSortByType || !IsFlag(options.sort_ascending)) return std::nullopt;
  return options;
}

std::optional<AudioOptions> DecodeAudio(std::span<const std::byte, kAudioRecordSize> bytes) {
  RecordReader in(bytes);
  AudioOptions options;
  options.format_tag = in.U16();
  options.channels = in.U16();
  options.samples_per_second = in.U32();
  options.bits_per_sample = in.U16();
  if (!IsOfferedAudioFormat(options)) return std::nullopt;
  return options;
}

std::optional<SlideshowOptions> DecodeSlideshow(
    std::span<const std::byte, kSlideshowRecordSize> bytes) {
  RecordReader in(bytes);
  SlideshowOptions options;
  options.advance_mode = in.U32();
  options.interval_seconds = in.U16();
  in.U16();
  options.loop = in.U32();
  options.rotate_to_fit = in.U32();
  options.rotate_direction = in.U32();
  options.show_file_name = in.U32();
  options.show_file_info = in.U32();
  options.play_voice_notes = in.U32();
  options.transitions_on = in.U32();
  options.transition = in.U32();
  if (options.advance_mode > kAdvanceRandom || options.interval_seconds > kLongestInterval ||
      !IsFlag(options.rotate_direction) || options.transition > kRandomTransition) {
    return std::nullopt;
  }
  return options;
}

bool IsOfferedAudioFormat(const AudioOptions& audio) {
  return audio == kGsmAudio || PcmFormatIndex(audio) >= 0;
}

GalleryOptions LoadGalleryOptions(OptionsLoadReport* report) {
  OptionsLoadReport ignored;
  if (!report) report = &ignored;
  *report = {};
  const RegistryAccessor settings = Settings();
  report->version_replaced = !settings.CheckVersion(kOptionsVersion);
  GalleryOptions options;
  LoadRecord<kGeneralRecordSize>(settings, kGeneralValue, &options.general, DecodeGeneral,
                                 EncodeGeneral, report);
  LoadRecord<kFileRecordSize>(settings, kFileValue, &options.file, DecodeFile, EncodeFile, report);
  LoadRecord<kAudioRecordSize>(settings, kAudioValue, &options.audio, DecodeAudio, EncodeAudio,
                               report);
  LoadRecord<kSlideshowRecordSize>(settings, kSlideshowValue, &options.slideshow, DecodeSlideshow,
                                   EncodeSlideshow, report);
  return options;
}

bool SaveGalleryOptions(const GalleryOptions& options) {
  const RegistryAccessor settings = Settings();
  const auto general = EncodeGeneral(options.general);
  const auto file = EncodeFile(options.file);
  const auto audio = EncodeAudio(options.audio);
  const auto slideshow = EncodeSlideshow(options.slideshow);
  bool saved = settings.WriteBinary(kGeneralValue, general);
  saved = settings.WriteBinary(kFileValue, file) && saved;
  saved = settings.WriteBinary(kAudioValue, audio) && saved;
  return settings.WriteBinary(kSlideshowValue, slideshow) && saved;
}

}  // namespace gallery
