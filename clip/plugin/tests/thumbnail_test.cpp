// Thumbnails through the exported entry, as the gallery asks for them:
// every row of the size table against the codec's decode of the same frame,
// the tables put only where a frame lacks them, and no bitmap of stale
// pixels for a frame that does not decode.
#include <thread>

#include "frame_decoder.h"
#include "frame_tables.h"
#include "plugin_fixture.h"
#include "reference_codec.h"
#include "test_images.h"

namespace clip::testing {
namespace {

using platform::COLORREF;
using platform::HBITMAP;

struct Bitmap {
  int width = 0;
  int height = 0;
  int bits = 0;
  std::vector<COLORREF> pixels;
};

Bitmap ReadBack(HBITMAP bitmap) {
  Bitmap out;
  platform::BITMAP info;
  if (platform::GetObject(bitmap, sizeof info, &info) == 0) return out;
  out.width = info.bmWidth;
  out.height = info.bmHeight;
  out.bits = info.bmBitsPixel;
  platform::HDC dc = platform::CreateCompatibleDC(nullptr);
  platform::HGDIOBJ old = platform::SelectObject(dc, bitmap);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) out.pixels.push_back(platform::GetPixel(dc, x, y));
  }
  platform::SelectObject(dc, old);
  platform::DeleteDC(dc);
  platform::DeleteObject(bitmap);
  return out;
}

class ThumbnailTest : public PluginTest {
 protected:
  std::optional<Bitmap> Thumbnail(const std::string& path, int width, int height) {
    HBITMAP bitmap = nullptr;
    if (!get_thumbnail_(path.c_str(), &bitmap, width, height)) return std::nullopt;
    return ReadBack(bitmap);
  }

  // Expects the bitmap to be pixels (step i, step j) of the codec's decode.
  static void ExpectSampled(const Bitmap& bitmap, const std::vector<std::uint8_t>& decoded,
                            int mode, int step) {
    int differing = 0;
    for (int y = 0; y < bitmap.height; ++y) {
      for (int x = 0; x < bitmap.width; ++x) {
        differing +=
            bitmap.pixels[y * bitmap.width + x] != DecodedPixel(decoded, mode, x * step, y * step);
      }
    }
    EXPECT_EQ(differing, 0);
  }
};

struct Row {
  int clip_width;
  int asked_width;
  int asked_height;
  int mode;
  int step;
  int width;
  int height;
  int bits;
};

TEST_F(ThumbnailTest, EveryRowOfTheSizeTableSamplesTheCodecsDecodeOfTheFirstFrame) {
  const Row rows[] = {
      {320, 0, 0, 2, 1, 240, 180, 16},      {320, 240, 180, 2, 1, 240, 180, 16},
      {320, 40, 30, 2, 6, 40, 30, 16},      {320, 240, 320, 2, 1, 240, 180, 16},
      {320, 160, 120, 2, 6, 40, 30, 16},    {160, 0, 0, 14, 1, 240, 180, 24},
      {160, 240, 180, 14, 1, 240, 180, 24}, {160, 160, 120, 3, 1, 160, 120, 16},
      {160, 160, 90, 3, 1, 160, 90, 16},    {160, 40, 30, 3, 4, 40, 30, 16},
      {160, 320, 240, 3, 4, 40, 30, 16},
  };
  Record("\\wide.avi", FramesPlan(320, 240, 2));
  Record("\\narrow.avi", FramesPlan(160, 120, 2));
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message()
                 << row.clip_width << " asked " << row.asked_width << "x" << row.asked_height);
    const std::optional<Bitmap> bitmap = Thumbnail(
        row.clip_width == 320 ? "\\wide.avi" : "\\narrow.avi", row.asked_width, row.asked_height);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->width, row.width);
    EXPECT_EQ(bitmap->height, row.height);
    EXPECT_EQ(bitmap->bits, row.bits);
    const int height = row.clip_width == 320 ? 240 : 120;
    ExpectSampled(*bitmap, CodecDecode(CameraFrame(row.clip_width, height, 0), row.mode), row.mode,
                  row.step);
  }
}

TEST_F(ThumbnailTest, AMissingFileTellsThePersonAndGivesNothing) {
  HBITMAP bitmap = nullptr;
  EXPECT_FALSE(get_thumbnail_("\\absent.avi", &bitmap, 40, 30));
  EXPECT_EQ(bitmap, nullptr);
  ClipInfo info;
  EXPECT_FALSE(get_info_("\\absent.avi", &info));
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  for (const auto& box : boxes) EXPECT_EQ(box.request.text, "Can't Read This AVI file.");
}

TEST_F(ThumbnailTest, AFrameThatDoesNotDecodeGivesNoBitmap) {
  std::vector<std::uint8_t> damaged = CameraFrame(320, 240, 0);
  // The scan's first bytes become a run of codes no table has.
  std::fill(damaged.end() - 400, damaged.end() - 2, 0xFF);
  ClipPlan plan = FramesPlan(320, 240, 0);
  plan.items.push_back({kQueueVideo, damaged});
  Record("\\damaged.avi", plan);
  HBITMAP bitmap = nullptr;
  // A good clip first, so that any buffer the entry kept would hold a picture.
  Record("\\good.avi", FramesPlan(320, 240, 1));
  ASSERT_TRUE(Thumbnail("\\good.avi", 40, 30));
  EXPECT_FALSE(get_thumbnail_("\\damaged.avi", &bitmap, 40, 30));
  EXPECT_EQ(bitmap, nullptr);
  EXPECT_TRUE(Boxes().empty()) << "a clip that opens asks the person nothing";
}

TEST_F(ThumbnailTest, TheTableSegmentIsTheStillHeadersOrderAndLandsJustBeforeTheScan) {
  const std::span<const std::uint8_t> segment = ClipHuffmanSegment();
  ASSERT_EQ(segment.size(), 420u);
  EXPECT_EQ((std::vector<std::uint8_t>(segment.begin(), segment.begin() + 4)),
            (std::vector<std::uint8_t>{0xFF, 0xC4, 0x01, 0xA2}));
  // Class/id bytes: DC 0 (12 symbols), AC 0 (162), DC 1 (12), AC 1 (162).
  EXPECT_EQ(segment[4], 0x00);
  EXPECT_EQ(segment[4 + 17 + 12], 0x10);
  EXPECT_EQ(segment[4 + 17 + 12 + 17 + 162], 0x01);
  EXPECT_EQ(segment[4 + 17 + 12 + 17 + 162 + 17 + 12], 0x11);

  const std::vector<std::uint8_t> frame = CameraFrame(320, 240, 3);
  std::vector<std::uint8_t> decodable;
  ASSERT_TRUE(MakeFrameDecodable(frame, &decodable));
  ASSERT_EQ(decodable.size(), frame.size() + 420);
  const long scan = codec::testing::FindMarker(frame, 0xDA);
  EXPECT_EQ(codec::testing::FindMarker(decodable, 0xC4), scan);
  EXPECT_TRUE(std::equal(frame.begin() + scan, frame.end(), decodable.begin() + scan + 420));

  // A frame with tables of its own is left as it is.
  std::vector<std::uint8_t> again;
  ASSERT_TRUE(MakeFrameDecodable(decodable, &again));
  EXPECT_EQ(again, decodable);
}

TEST_F(ThumbnailTest, AHeaderOfAnotherLengthStillGetsItsTablesBeforeTheScan) {
  // A comment segment in front of the frame header moves the scan away from
  // byte 156; the tables still go just before it and the frame decodes.
  std::vector<std::uint8_t> frame = CameraFrame(320, 240, 1);
  const std::vector<std::uint8_t> comment = {0xFF, 0xFE, 0x00, 0x07, 'c', 'l', 'i', 'p', '!'};
  frame.insert(frame.begin() + 2, comment.begin(), comment.end());
  ClipPlan plan = FramesPlan(320, 240, 0);
  plan.items.push_back({kQueueVideo, frame});
  Record("\\comment.avi", plan);
  const std::optional<Bitmap> bitmap = Thumbnail("\\comment.avi", 240, 180);
  ASSERT_TRUE(bitmap);
  ExpectSampled(*bitmap, CodecDecode(CameraFrame(320, 240, 1), 2), 2, 1);
}

TEST_F(ThumbnailTest, FramesTooShortForTheirHeaderOrTooLargeForTheInputAreaAreRefused) {
  const std::vector<std::uint8_t> frame = CameraFrame(160, 120, 0);
  std::vector<std::uint8_t> out;
  for (std::size_t cut : {std::size_t{0}, std::size_t{1}, std::size_t{20}, std::size_t{155}}) {
    EXPECT_FALSE(MakeFrameDecodable(std::span(frame).first(cut), &out)) << cut;
  }
  std::vector<std::uint8_t> huge = frame;
  huge.resize(kMaxFrameBytes + 1, 0);
  EXPECT_FALSE(MakeFrameDecodable(huge, &out));

  ClipPlan plan = FramesPlan(160, 120, 0);
  plan.items.push_back(
      {kQueueVideo, std::vector<std::uint8_t>(frame.begin(), frame.begin() + 100)});
  Record("\\short.avi", plan);
  HBITMAP bitmap = nullptr;
  EXPECT_FALSE(get_thumbnail_("\\short.avi", &bitmap, 40, 30));
}

TEST_F(ThumbnailTest, TwoThreadsMakeThumbnailsAtOnceAndEachGetsItsOwnClip) {
  Record("\\a.avi", FramesPlan(320, 240, 1));
  ClipPlan other = FramesPlan(160, 120, 0);
  other.items.push_back({kQueueVideo, CameraFrame(160, 120, 5)});
  Record("\\b.avi", other);
  const Bitmap a = *Thumbnail("\\a.avi", 40, 30);
  const Bitmap b = *Thumbnail("\\b.avi", 40, 30);
  int mismatches = 0;
  std::mutex mutex;
  auto worker = [&](const std::string& path, const Bitmap& expected) {
    return [&, path]() -> DWORD {
      for (int i = 0; i < 6; ++i) {
        std::optional<Bitmap> got = Thumbnail(path, 40, 30);
        std::lock_guard guard(mutex);
        mismatches += !got || got->pixels != expected.pixels;
      }
      return 0;
    };
  };
  platform::ThreadHandle first = platform::CreateThread(worker("\\a.avi", a));
  platform::ThreadHandle second = platform::CreateThread(worker("\\b.avi", b));
  platform::WaitForSingleObject(first, platform::INFINITE);
  platform::WaitForSingleObject(second, platform::INFINITE);
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace clip::testing
