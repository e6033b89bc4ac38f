// Preview: the scans the module writes for each preview type become whole
// pictures of the scene behind the 170-byte header, frame after frame, in
// the two alternating buffers and in modelled time.
#include <cmath>

#include "card_fixture.h"
#include "platform/time.h"

namespace card {
namespace {

using testing::Picture;

// A white field with a black disc of radius 64 in the middle: how large
// the disc comes out shows the zoom.
class DiscScene : public SceneSource {
 public:
  void Render(std::uint64_t, int scale, int x, int y, int width, int height,
              std::span<std::uint8_t> rgb) override {
    for (int row = 0; row < height; ++row) {
      for (int column = 0; column < width; ++column) {
        const double dx = (x + column + 0.5) * scale - 640, dy = (y + row + 0.5) * scale - 512;
        const std::uint8_t value = dx * dx + dy * dy < 64 * 64 ? 0 : 220;
        std::uint8_t* pixel = &rgb[(static_cast<std::size_t>(row) * width + column) * 3];
        pixel[0] = pixel[1] = pixel[2] = value;
      }
    }
  }
};

int DarkPixels(const Picture& picture) {
  int dark = 0;
  for (std::size_t i = 0; i < picture.rgb.size(); i += 3) dark += picture.rgb[i + 1] < 80;
  return dark;
}

double Difference(const Picture& a, const Picture& b) {
  double sum = 0;
  for (std::size_t i = 0; i < a.rgb.size(); ++i) sum += std::abs(a.rgb[i] - b.rgb[i]);
  return sum / a.rgb.size();
}

TEST_F(CardTest, APreviewOfType4DecodesTo320By240PicturesThatMove) {
  StartPreview(4);
  std::vector<Picture> pictures;
  for (int n = 0; n < 4; ++n) {
    const std::vector<std::uint8_t> scan = programmer().FetchFrame(n);
    ASSERT_GE(scan.size(), 1024u) << "frame " << n;
    const bool ends_with_eoi = (scan[scan.size() - 2] == 0xFF && scan.back() == 0xD9) ||
                               (scan[scan.size() - 3] == 0xFF && scan[scan.size() - 2] == 0xD9);
    EXPECT_TRUE(ends_with_eoi);
    std::optional<Picture> picture = PreviewPicture(scan, 320, 240, 1);
    ASSERT_TRUE(picture) << "frame " << n;
    EXPECT_EQ(picture->width, 320);
    EXPECT_EQ(picture->height, 240);
    EXPECT_GT(picture->MeanLuminance(), 60);
    EXPECT_LT(picture->MeanLuminance(), 200);
    pictures.push_back(*picture);
    platform::Sleep(30);
  }
  // The scene moves between frames.
  EXPECT_GT(Difference(pictures[0], pictures[3]), 0.5);
}

TEST_F(CardTest, FramesAlternateBetweenTheTwoOutputBuffers) {
  StartPreview(4);
  programmer().FetchFrame(0);  // re-arms frame 1 into the second buffer
  ASSERT_TRUE(programmer().WaitForStatus(94, 2, 200));
  const std::uint32_t size =
      client().ReadModule(86) << 16 | client().ReadModule(85) << 8 | client().ReadModule(84);
  const std::vector<std::uint8_t> second = card_->ReadModuleMemory(0x1EB000, size);
  EXPECT_EQ(second[size - 2] == 0xD9 || second[size - 1] == 0xD9, true);
  EXPECT_TRUE(PreviewPicture(second, 320, 240, 1));
}

TEST_F(CardTest, AFrameTakesItsWindowsRowsAndItsCompressionWithinATick) {
  // 488 rows of 32 us, then 76,800 pixels at ten a microsecond.
  StartPreview(4);
  std::uint64_t start = platform::clock::NowMs();
  ASSERT_TRUE(programmer().WaitForStatus(94, 2, 200));
  const std::uint64_t large = platform::clock::NowMs() - start;
  EXPECT_GE(large, 15u + 7u);
  EXPECT_LT(large, 30u) << "a frame must be ready within the driver's 30 ms tick";
  // The small stream reads half the rows and compresses a quarter.
  StartPreview(6);
  start = platform::clock::NowMs();
  ASSERT_TRUE(programmer().WaitForStatus(94, 2, 200));
  const std::uint64_t small = platform::clock::NowMs() - start;
  EXPECT_GE(small, 7u + 1u);
  EXPECT_LT(small, large);
}

TEST_F(CardTest, ReadingAFrameOverTheBusTakesItsTransferTime) {
  StartPreview(4);
  ASSERT_TRUE(programmer().WaitForStatus(94, 2, 200));
  std::uint64_t start = platform::sd::CardClockUs();
  EXPECT_EQ(programmer().ReadModuleData(0x145000, 16384).size(), 16384u);
  // 256 blocks of 154 clocks at 20 MHz, 1,971 us, and the command around
  // them: a few dozen register transfers of 25.6 us each.
  const std::uint64_t at_20_mhz = platform::sd::CardClockUs() - start;
  EXPECT_GE(at_20_mhz, 1971u + 500u);
  EXPECT_LE(at_20_mhz, 1971u + 1000u);
  // At half the clock every clocked part takes twice as long; the handling
  // of each request does not.
  client().SetClock(10'000'000);
  start = platform::sd::CardClockUs();
  programmer().ReadModuleData(0x145000, 16384);
  const std::uint64_t slower = platform::sd::CardClockUs() - start - at_20_mhz;
  EXPECT_GE(slower, 1971u);
  EXPECT_LE(slower, 1971u + 300u);
}

TEST_F(CardTest, TheZoomTypesMagnifyTheCentre) {
  card_->SetScene(std::make_unique<DiscScene>());
  StartPreview(4);
  const std::optional<Picture> whole = PreviewPicture(programmer().FetchFrame(0), 320, 240, 1);
  programmer().ConfigurePreview(9);
  const std::optional<Picture> twice = PreviewPicture(programmer().FetchFrame(0), 320, 240, 2);
  programmer().ConfigurePreview(17);
  const std::optional<Picture> four = PreviewPicture(programmer().FetchFrame(0), 320, 240, 2);
  ASSERT_TRUE(whole && twice && four);
  const double area = DarkPixels(*whole);
  EXPECT_NEAR(area, M_PI * 16 * 16, 150);  // radius 64 of 1280 in 320
  EXPECT_NEAR(DarkPixels(*twice) / area, 4, 0.6);
  EXPECT_NEAR(DarkPixels(*four) / area, 16, 2.5);
  // The disc stays in the middle.
  double red, green, blue;
  four->MeanColour(&red, &green, &blue, 150, 110, 20, 20);
  EXPECT_LT(green, 60);
}

TEST_F(CardTest, TheSmallPreviewDecodesTo160By120) {
  StartPreview(6);
  const std::optional<Picture> picture = PreviewPicture(programmer().FetchFrame(0), 160, 120, 1);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 160);
  EXPECT_GT(picture->MeanLuminance(), 60);
}

}  // namespace
}  // namespace card
