// WAVE images: what the writer makes, the reader takes back; damaged files
// are refused with a reason.
#include "platform/wav_file.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(WavFileTest, PcmAndGsmRoundTrip) {
  const std::vector<BYTE> data = {1, 2, 3, 4, 5, 6};
  std::optional<WavContents> pcm = ParseWav(BuildWav(PcmFormat(2, 22050, 8), 0, data));
  ASSERT_TRUE(pcm);
  EXPECT_EQ(pcm->format.nChannels, 2);
  EXPECT_EQ(pcm->format.nSamplesPerSec, 22050u);
  EXPECT_EQ(pcm->format.nAvgBytesPerSec, 44100u);
  EXPECT_EQ(pcm->data, data);

  const GSM610WAVEFORMAT gsm = Gsm610Format();
  const std::vector<BYTE> blocks(130, 0x55);
  const std::vector<BYTE> image = BuildWav(gsm.wfx, gsm.wSamplesPerBlock, blocks);
  EXPECT_EQ(image.size(), 48u + 130u);
  // RIFF size: file length - 8 = 40 + data for GSM.
  EXPECT_EQ(image[4] | image[5] << 8, 40 + 130);
  std::optional<WavContents> back = ParseWav(image);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->format.wFormatTag, WAVE_FORMAT_GSM610);
  EXPECT_EQ(back->samples_per_block, 320);
  EXPECT_EQ(back->data, blocks);
}

TEST(WavFileTest, DamagedImagesAreRefusedWithAReason) {
  std::vector<BYTE> image = BuildWav(PcmFormat(1, 8000, 16), 0, std::vector<BYTE>(100, 7));
  std::string error;
  std::vector<BYTE> truncated(image.begin(), image.end() - 10);
  EXPECT_FALSE(ParseWav(truncated, &error));
  EXPECT_EQ(error, "a chunk runs past the end of the file");
  EXPECT_FALSE(ParseWav(std::vector<BYTE>(image.begin(), image.begin() + 30), &error));
  std::vector<BYTE> other = image;
  other[20] = 2;  // ADPCM
  EXPECT_FALSE(ParseWav(other, &error));
  EXPECT_EQ(error, "neither PCM nor GSM 6.10");
  std::vector<BYTE> huge_size = image;
  huge_size[40] = huge_size[41] = huge_size[42] = huge_size[43] = 0xFF;  // data chunk size
  EXPECT_FALSE(ParseWav(huge_size, &error));
  EXPECT_FALSE(ParseWav(std::vector<BYTE>{'R', 'I', 'F', 'F'}, &error));
}

}  // namespace
}  // namespace platform
