// The WAVE note writer: the layout of PCM and GSM 6.10 notes, and a write
// the volume cannot hold, which must neither leave a truncated note nor
// spoil an earlier one.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/files.h"
#include "platform/testing/temp_handheld.h"
#include "voice_notes/note_writer.h"

namespace gallery {
namespace {

using platform::BYTE;

constexpr char kNote[] = "\\My Documents\\a.WAV";

class NotesWriterTest : public ::testing::Test {
 protected:
  std::vector<BYTE> Bytes(const std::string& path) {
    const auto host = device_.handheld().files().HostPath(path);
    std::ifstream in(*host, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static std::uint32_t Le32(const std::vector<BYTE>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
  }
  platform::testing::TempHandheld device_;
};

TEST_F(NotesWriterTest, PcmAndGsmNotesHaveTheirHeadersAndNoPadByte) {
  const std::vector<BYTE> odd(33075, 0x80);
  platform::DWORD error = 0;
  ASSERT_TRUE(
      WriteVoiceNote(kNote, NoteFormatRecord(AudioOptions{kFormatPcm, 1, 11025, 8}), odd, &error));
  std::vector<BYTE> note = Bytes(kNote);
  ASSERT_EQ(note.size(), 46u + 33075u);
  EXPECT_EQ(Le32(note, 4), 38u + 33075u);
  EXPECT_EQ(Le32(note, 16), 18u);
  EXPECT_EQ(Le32(note, 28), 11025u) << "average bytes per second";

  const std::vector<BYTE> blocks(65 * 10, 0);
  ASSERT_TRUE(WriteVoiceNote(kNote, NoteFormatRecord(kGsmAudio), blocks, &error));
  note = Bytes(kNote);
  ASSERT_EQ(note.size(), 48u + 650u);
  EXPECT_EQ(Le32(note, 4), 40u + 650u);
  EXPECT_EQ(Le32(note, 16), 20u);
  EXPECT_EQ(note[20] | note[21] << 8, 49);
  EXPECT_EQ(Le32(note, 28), 1625u);
  EXPECT_EQ(note[32] | note[33] << 8, 65) << "block align";
  EXPECT_EQ(note[38] | note[39] << 8, 320) << "samples per block";
}

TEST_F(NotesWriterTest, AFullVolumeKeepsTheEarlierNoteWholeAndLeavesNoPart) {
  const std::vector<BYTE> earlier(100, 1);
  platform::DWORD error = 0;
  const auto format = NoteFormatRecord(AudioOptions{kFormatPcm, 1, 8000, 8});
  ASSERT_TRUE(WriteVoiceNote(kNote, format, earlier, &error));
  auto& files = device_.handheld().files();
  files.SetVolumeSize("\\", *files.VolumeUsedBytes("\\") + 1000);
  EXPECT_FALSE(WriteVoiceNote(kNote, format, std::vector<BYTE>(5000, 2), &error));
  EXPECT_EQ(error, platform::ERROR_DISK_FULL);
  EXPECT_EQ(Bytes(kNote).size(), 46u + 100u);
  EXPECT_EQ(Bytes(kNote).back(), 1);
  EXPECT_EQ(platform::GetFileAttributes(std::string(kNote) + "~"),
            platform::INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace gallery
