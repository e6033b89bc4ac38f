// Still pictures from the simulated card: the capture sequence for each
// colour mode, the file it gives, and what libjpeg-turbo and exiftool make
// of that file.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "bus_primitives_fixture.h"
#include "card_testing/jpeg_tools.h"
#include "hardware/camera_registers.h"
#include "module_data.h"
#include "platform/audio.h"
#include "platform/modules.h"
#include "platform/resources.h"
#include "platform/wav_file.h"
#include "still_fixture.h"

namespace orsadrv::testing {
namespace {

using Kind = card::TraceEntry::Kind;

// A start of module command `command` in a list of module register writes:
// its source, destination and word count (24-bit, low byte first).
struct CommandStart {
  int command = 0;
  DWORD source = 0;
  DWORD destination = 0;
  DWORD words = 0;
};
std::vector<CommandStart> CommandStarts(const std::vector<std::pair<int, int>>& writes) {
  std::vector<CommandStart> starts;
  std::map<int, int> registers;
  auto value24 = [&registers](int first) {
    return static_cast<DWORD>(registers[first] | registers[first + 1] << 8 |
                              registers[first + 2] << 16);
  };
  int previous = -1;
  for (const auto& [reg, value] : writes) {
    // The command number is the write to 133 that follows 134 <- 16.
    if (reg == 133 && previous == 134 && registers[134] == 16) {
      starts.push_back({value, value24(218), value24(224), value24(221)});
    }
    registers[reg] = value;
    previous = reg;
  }
  return starts;
}

class StillCaptureTest : public StillTest {
 protected:
  std::vector<std::pair<int, int>> TracedWrites() { return ModuleWrites(card_->Trace()); }
};

TEST_F(StillCaptureTest, PicturesOfType1And4DecodeToTheirSizeAtEveryQuality) {
  ASSERT_TRUE(module_started_);
  struct Case {
    BYTE type;
    int width, height;
  };
  for (const Case& c : {Case{1, 1280, 960}, Case{4, 320, 240}}) {
    for (DWORD compression : {0u, 1u, 2u}) {
      SCOPED_TRACE(::testing::Message()
                   << "type " << int{c.type} << " compression " << compression);
      DWORD count = 0;
      const DWORD written = Snap(c.type, Options(0, 0, compression), &count);
      ASSERT_GT(count, 1024u);
      EXPECT_EQ(written, kStillHeaderBytes + count);
      const std::vector<BYTE> file = FileBytes();
      ASSERT_EQ(file.size(), written);
      // The module's data ends with EOI, possibly followed by one byte.
      const bool ends_with_eoi = (file[file.size() - 2] == 0xFF && file.back() == 0xD9) ||
                                 (file[file.size() - 3] == 0xFF && file[file.size() - 2] == 0xD9);
      EXPECT_TRUE(ends_with_eoi);
      const StrictDecode decode = DecodeStrictly(file);
      ASSERT_TRUE(decode.decoded);
      EXPECT_EQ(decode.warnings, 0);
      EXPECT_EQ(decode.width, c.width);
      EXPECT_EQ(decode.height, c.height);
      const auto picture = card::testing::Decode(file);
      ASSERT_TRUE(picture);
      EXPECT_GT(picture->MeanLuminance(), 20.0) << "a picture, not a black frame";
    }
  }
}

TEST_F(StillCaptureTest, ExifToolReadsTheFieldsOfATakenPicture) {
  ASSERT_TRUE(module_started_);
  State().exposure = 180;
  Snap(4, Options(1, 0, 0));
  auto tags = ExifTool(HostFile());
  EXPECT_EQ(tags.count("Error"), 0u) << tags["Error"];
  EXPECT_EQ(tags["Make"], "Kav Inc.");
  EXPECT_EQ(tags["Model"], "0100016d0163") << "sun gains";
  EXPECT_EQ(tags["ImageDescription"], "QRM410 V0.87.22");
  EXPECT_EQ(tags["ExifImageWidth"], "320");
  EXPECT_EQ(tags["ExifImageHeight"], "240");
  EXPECT_EQ(tags["ExposureIndex"], "180");
  EXPECT_EQ(tags["FocalLength"], "9.33");
  EXPECT_EQ(tags["InteropIndex"], "R98");
  EXPECT_EQ(tags["InteropVersion"], "0100");
  EXPECT_EQ(tags["FocalPlaneXResolution"], "5183.7");
  // Readers may only find the camera's own maker note format strange.
  std::string warnings = tags["Warning"];
  for (std::size_t at = 0; at < warnings.size();) {
    EXPECT_EQ(warnings.compare(at, 7, "[minor]"), 0) << warnings;
    const std::size_t next = warnings.find("; ", at);
    at = next == std::string::npos ? warnings.size() : next + 2;
  }
  EXPECT_EQ(tags["ImageWidth"], "320");
  EXPECT_EQ(tags["ImageHeight"], "240");

  // The next picture, taken under other gains, names them.
  Snap(4, Options(2, 0, 0));
  tags = ExifTool(HostFile());
  EXPECT_EQ(tags["Model"], "0100010001dd") << "tungsten gains";
}

TEST_F(StillCaptureTest, BlackAndWhiteAndNegativePicturesDecode) {
  ASSERT_TRUE(module_started_);
  for (BYTE type : {1, 4, 6}) {
    for (DWORD colour_mode : {1u, 2u}) {
      SCOPED_TRACE(::testing::Message() << "type " << int{type} << " colour " << colour_mode);
      DWORD count = 0;
      Snap(type, Options(0, colour_mode, 1), &count);
      ASSERT_GT(count, 0u);
      EXPECT_EQ(DecodeStrictly(FileBytes()).warnings, 0);
      const auto picture = card::testing::Decode(FileBytes());
      ASSERT_TRUE(picture);
      if (colour_mode == 1) {
        double red = 0, green = 0, blue = 0;
        picture->MeanColour(&red, &green, &blue);
        EXPECT_NEAR(red, green, 3.0) << "no colour left";
        EXPECT_NEAR(blue, green, 3.0);
      }
    }
  }
}

TEST_F(StillCaptureTest, FullFrameRunsItsPassesOnTheNegativeRawFrame) {
  ASSERT_TRUE(module_started_);
  ApplyOptions(device_handle_, Options(0, 2, 0));
  card_->SetTracing(true);
  ASSERT_GT(CaptureStill(device_handle_, 0, nullptr), 0u);
  const auto writes = TracedWrites();
  card_->SetTracing(false);
  std::vector<CommandStart> passes;
  for (const CommandStart& start : CommandStarts(writes)) {
    if (start.command != 33) passes.push_back(start);
  }
  ASSERT_EQ(passes.size(), 3u);
  EXPECT_EQ(passes[0].command, 40);
  EXPECT_EQ(passes[0].source, 0x201000u);
  EXPECT_EQ(passes[0].destination, 0x201000u);
  EXPECT_EQ(passes[0].words, 1'329'216u / 2);
  EXPECT_EQ(passes[1].command, 44);
  EXPECT_EQ(passes[1].source, 0x202E30u);
  EXPECT_EQ(passes[1].destination, 0x201000u);
  EXPECT_EQ(passes[1].words, 7'728u / 2);
  EXPECT_EQ(passes[2].command, 42);
  EXPECT_EQ(passes[2].source, 0x201000u);
  EXPECT_EQ(passes[2].destination, 0x001000u);
  EXPECT_EQ(passes[2].words, 1'329'216u / 2);
  // The raw frames went to the negative frame's address.
  const auto raw =
      std::find_if(writes.begin(), writes.end(), [](const auto& w) { return w.first == 79; });
  ASSERT_NE(raw, writes.end());
  EXPECT_EQ(raw->second, 0x10);
  EXPECT_EQ((raw + 1)->first, 80);
  EXPECT_EQ((raw + 1)->second, 0x20);
}

TEST_F(StillCaptureTest, SmallTypesTakeAThirdRawFrameAndNoFullFramePasses) {
  ASSERT_TRUE(module_started_);
  ApplyOptions(device_handle_, Options(0, 1, 0));
  card_->SetTracing(true);
  ASSERT_GT(CaptureStill(device_handle_, 6, nullptr), 0u);
  const auto writes = TracedWrites();
  card_->SetTracing(false);
  EXPECT_TRUE(CommandStarts(writes).empty());
  // Three raw frames: bit 0 of the run control set three times.
  const auto raw_frames = std::count_if(
      writes.begin(), writes.end(), [](const auto& w) { return w.first == 92 && (w.second & 1); });
  EXPECT_EQ(raw_frames, 3);
  // Black and white: the chroma levels and the compression format.
  EXPECT_NE(std::find(writes.begin(), writes.end(), std::make_pair(77, 237)), writes.end());
}

TEST_F(StillCaptureTest, AStalledModuleGivesAFileOfTheHeaderAlone) {
  ASSERT_TRUE(module_started_);
  card::CardFaults faults;
  faults.stalled_module = true;
  card_->SetFaults(faults);
  const std::uint64_t before = platform::clock::NowMs();
  DWORD count = 1;
  EXPECT_EQ(Snap(4, Options(0, 0, 0), &count), kStillHeaderBytes);
  EXPECT_EQ(count, 0u);
  EXPECT_GE(platform::clock::NowMs() - before, 2000u) << "the compression was waited for";
  EXPECT_EQ(FileBytes().size(), 1515u);
}

TEST_F(StillCaptureTest, ABusFailureMidCaptureStopsItAndGivesNoPicture) {
  using namespace camera_hardware;
  ASSERT_TRUE(module_started_);
  card_->SetTracing(true);
  DWORD count = 0;
  Snap(4, Options(0, 0, 0), &count);
  ASSERT_GT(count, 0u);
  const std::vector<card::TraceEntry> whole = card_->Trace();
  auto first_of = [&](Kind kind, BYTE module_register) {
    const auto found = std::find_if(whole.begin(), whole.end(), [&](const card::TraceEntry& e) {
      return e.kind == kind && e.function == 1 &&
             e.address == interface::kModuleRegisterBase + module_register;
    });
    return static_cast<std::uint64_t>(found - whole.begin());
  };
  // The compression being set up, and the byte count being read: a count
  // read in part would be taken for a whole picture.
  const std::uint64_t format_write = first_of(Kind::kWrite, module::kCompressionFormat);
  const std::uint64_t count_read = first_of(Kind::kRead, module::kCompressedSize + 1);
  ASSERT_LT(count_read, whole.size());

  for (const std::uint64_t fail_at : {format_write, count_read}) {
    card_->SetTracing(true);
    card::CardFaults faults;
    faults.failing_transfers = 1;
    faults.failing_after = fail_at;
    card_->SetFaults(faults);
    count = 1;
    EXPECT_EQ(Snap(4, Options(0, 0, 0), &count), kStillHeaderBytes) << fail_at;
    EXPECT_EQ(count, 0u) << "failure at transfer " << fail_at;
    const std::vector<card::TraceEntry> after = card_->Trace();
    EXPECT_EQ(std::count_if(after.begin() + static_cast<std::ptrdiff_t>(fail_at), after.end(),
                            [](const card::TraceEntry& e) {
                              return e.kind == Kind::kWrite &&
                                     e.address ==
                                         interface::kModuleRegisterBase + module::kRunControl &&
                                     e.value == module::kRunCompress;
                            }),
              0)
        << "no compression is started after the failure";
    card_->SetFaults({});
  }
}

TEST_F(StillCaptureTest, AnOversizedCountNeverOverrunsTheStillBuffer) {
  ASSERT_TRUE(module_started_);
  card::CardFaults faults;
  faults.oversized_count = true;
  card_->SetFaults(faults);
  DWORD count = 0;
  const DWORD written = Snap(4, Options(0, 0, 0), &count);
  ASSERT_GT(count, kStillFrameBytes) << "the card reports more than the buffer holds";
  EXPECT_EQ(written, kStillHeaderBytes);
  EXPECT_EQ(FileBytes().size(), 1515u) << "the header alone, like a failed capture";
}

TEST_F(StillCaptureTest, AFileThatCannotBeCreatedGivesZero) {
  ASSERT_TRUE(module_started_);
  DWORD count = 0;
  EXPECT_EQ(Snap(4, Options(0, 0, 0), &count, u"\\No Such Folder\\snap0001.jpg"), 0u);
  EXPECT_GT(count, 0u) << "the capture itself ran";
  EXPECT_EQ(platform::GetFileAttributes("\\No Such Folder\\snap0001.jpg"),
            platform::INVALID_FILE_ATTRIBUTES);
}

TEST_F(StillCaptureTest, PathsAreTakenAsUtf16) {
  ASSERT_TRUE(module_started_);
  const std::u16string path = u"\\My Documents\\\u00c9t\u00e9 \U0001F4F7.jpg";
  Snap(6, Options(0, 0, 0), nullptr, path);
  EXPECT_NE(platform::GetFileAttributes("\\My Documents\\\xC3\x89t\xC3\xA9 \xF0\x9F\x93\xB7.jpg"),
            platform::INVALID_FILE_ATTRIBUTES);
}

TEST_F(StillCaptureTest, TheSnapSoundPlaysAsTheCaptureStarts) {
  ASSERT_TRUE(module_started_);
  auto resources = std::make_shared<platform::ModuleResources>();
  platform::BinaryResource chime;
  chime.data =
      platform::BuildWav(platform::PcmFormat(1, 8000, 16), 0, std::vector<BYTE>(1600, 0x10));
  resources->AddBinary(platform::ResourceType::kWave, "SNAP", chime);
  const std::string image = "module";
  ASSERT_TRUE(
      handheld().files().InstallFile("\\Windows\\orsacapres.dll", std::as_bytes(std::span(image))));
  platform::ModuleDefinition definition;
  definition.resources = resources;
  ASSERT_NE(handheld().modules().Register("\\Windows\\orsacapres.dll", definition), nullptr);
  const platform::HMODULE module = platform::LoadLibrary("\\Windows\\orsacapres.dll");
  ASSERT_NE(module, nullptr);

  platform::audio::ClearPlayed();
  const std::uint64_t before = platform::clock::NowMs();
  ASSERT_GT(CaptureStill(device_handle_, 6, module), 0u);
  const std::uint64_t after = platform::clock::NowMs();
  const auto sounds = platform::audio::PlayedSounds();
  ASSERT_EQ(sounds.size(), 1u);
  EXPECT_FALSE(sounds[0].default_sound);
  EXPECT_GE(sounds[0].start_ms, before + 100) << "after the exposure has settled";
  EXPECT_LT(sounds[0].start_ms, after);
  platform::FreeLibrary(module);

  platform::audio::ClearPlayed();
  CaptureStill(device_handle_, 6, nullptr);
  EXPECT_TRUE(platform::audio::PlayedSounds().empty());
}

class ModuleDataTest : public BusPrimitivesTest {};

TEST_F(ModuleDataTest, ReadsIn16KbRequestsAndTheTailThroughTheScratch) {
  card_->SetTracing(false);
  ASSERT_EQ(StartModule(device_handle_), 0);
  ApplyOptions(device_handle_, SioOptions{});
  const DWORD count = CaptureStill(device_handle_, 1, nullptr);
  ASSERT_GT(count, 16'384u * 2);
  RecordRequests();
  ClearTrace();
  std::vector<BYTE> data(count + 64, 0xEE);
  ASSERT_TRUE(ReadModuleData(device_handle_, 0x145000, count, data.data()));
  EXPECT_EQ(std::vector<BYTE>(data.begin(), data.begin() + count),
            card_->ReadModuleMemory(0x145000, count));
  EXPECT_TRUE(std::all_of(data.begin() + count, data.end(), [](BYTE b) { return b == 0xEE; }));
  const DWORD full = count / 16'384;
  ASSERT_EQ(requests().size(), full + (count % 16'384 ? 1 : 0));
  for (DWORD i = 0; i < full; ++i) EXPECT_EQ(requests()[i].block_count, 256u);
  if (count % 16'384) {
    EXPECT_EQ(requests().back().block_count, (count % 16'384 + 63) / 64);
  }
  // Command 33 over the byte count in words, from the output buffer.
  const auto starts = CommandStarts(ModuleWrites(Trace()));
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].command, 33);
  EXPECT_EQ(starts[0].source, 0x145000u);
  EXPECT_EQ(starts[0].words, (count + 1) / 2);
}

TEST_F(ModuleDataTest, AFailedRequestReportsFalse) {
  card::CardFaults faults;
  faults.failing_transfers = 1'000'000;
  card_->SetFaults(faults);
  std::vector<BYTE> data(20'000);
  EXPECT_FALSE(ReadModuleData(device_handle_, 0x145000, 20'000, data.data()));
  card_->SetFaults({});
}

}  // namespace
}  // namespace orsadrv::testing
