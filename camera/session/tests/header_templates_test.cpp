// The three preview headers: byte layout, agreement with the card's own
// preview header, and whole images that both decoders accept.
#include "camera/session/header_templates.h"

#include <gtest/gtest.h>

#include <vector>

#include "camera/session/camera_state.h"
#include "card_testing/jpeg_tools.h"
#include "codec/jpeg_decoder.h"
#include "preview_scan.h"

namespace camera::testing {
namespace {

struct Case {
  const HeaderTemplate* header;
  int width;
  int height;
  int luma;
};

std::vector<Case> Cases() {
  return {{&SmallHeaderTemplate(), 160, 120, 0x11},
          {&LargeHeaderTemplate(), 320, 240, 0x11},
          {&LargeZoomedHeaderTemplate(), 320, 240, 0x22}};
}

TEST(HeaderTemplates, EachMatchesTheCardsPreviewHeader) {
  for (const Case& c : Cases()) {
    const std::vector<std::uint8_t> card =
        card::testing::PreviewHeader(c.width, c.height, c.luma == 0x22 ? 2 : 1);
    ASSERT_EQ(card.size(), kJpegHeaderBytes);
    for (std::size_t i = 0; i < kJpegHeaderBytes; ++i) {
      EXPECT_EQ((*c.header)[i], card[i]) << "byte " << i << " of " << c.width << "x" << c.height;
    }
  }
}

TEST(HeaderTemplates, SizeAndSamplingSitWhereTheLayoutPutsThem) {
  for (const Case& c : Cases()) {
    const HeaderTemplate& h = *c.header;
    EXPECT_EQ(h[0], 0xFF);
    EXPECT_EQ(h[1], 0xD8);
    EXPECT_EQ(h[136], 0xFF);
    EXPECT_EQ(h[137], 0xC0);
    EXPECT_EQ((h[141] << 8) | h[142], c.height);
    EXPECT_EQ((h[143] << 8) | h[144], c.width);
    EXPECT_EQ(h[147], c.luma);
    EXPECT_EQ(h[155], 0x00);  // the stray byte
    EXPECT_EQ(h[156], 0xFF);
    EXPECT_EQ(h[157], 0xDA);
    EXPECT_EQ(h[168], 0x3F);
  }
}

TEST(HeaderTemplates, ChosenByStreamSizeAndZoom) {
  EXPECT_EQ(&HeaderTemplateFor(1, 0), &SmallHeaderTemplate());
  EXPECT_EQ(&HeaderTemplateFor(1, 2), &SmallHeaderTemplate());
  EXPECT_EQ(&HeaderTemplateFor(0, 0), &LargeHeaderTemplate());
  EXPECT_EQ(&HeaderTemplateFor(0, 1), &LargeZoomedHeaderTemplate());
  EXPECT_EQ(&HeaderTemplateFor(0, 2), &LargeZoomedHeaderTemplate());
}

TEST(HeaderTemplates, HeaderAndScanDecodeToTheSceneWithBothDecoders) {
  const int modes[] = {kDecodeSmallStream, kDecodeLargeStream, kDecodeLargeStream};
  int i = 0;
  for (const Case& c : Cases()) {
    const std::vector<std::uint8_t> scan = UniformScan(c.width, c.height, c.luma, 200, 120, 40);
    ASSERT_FALSE(scan.empty());
    std::vector<std::uint8_t> image(c.header->begin(), c.header->end());
    image.insert(image.end(), scan.begin(), scan.end());

    const auto reference = card::testing::Decode(image);
    ASSERT_TRUE(reference.has_value());
    double red = 0, green = 0, blue = 0;
    reference->MeanColour(&red, &green, &blue);
    EXPECT_NEAR(red, 200, 4);
    EXPECT_NEAR(green, 120, 4);
    EXPECT_NEAR(blue, 40, 4);

    const int mode = modes[i++];
    std::vector<std::uint8_t> picture(codec::JpegOutputSize(mode));
    codec::JpegDecoderPtr decoder = codec::JpegDecoderCreate();
    ASSERT_EQ(
        codec::JpegDecodeBuffer(image.data(), mode, picture.data(), image.size(), decoder.get()),
        codec::kJpegOk);
    const std::size_t middle = picture.size() / 2 / 3 * 3;  // blue, green, red
    EXPECT_NEAR(picture[middle + 2], 200, 6);
    EXPECT_NEAR(picture[middle + 1], 120, 6);
    EXPECT_NEAR(picture[middle], 40, 6);
  }
}

TEST(HeaderTemplates, DecodeModesGiveThePreviewSizes) {
  const codec::JpegModeGeometry large = codec::JpegModeInfo(kDecodeLargeStream);
  EXPECT_EQ(large.width, kPreviewWidth);
  EXPECT_EQ(large.height, kPreviewHeight);
  EXPECT_EQ(large.bytes_per_pixel, 3);
  const codec::JpegModeGeometry small = codec::JpegModeInfo(kDecodeSmallStream);
  EXPECT_EQ(small.width, kSmallPictureWidth);
  EXPECT_EQ(small.height, kSmallPictureHeight);
  EXPECT_EQ(codec::JpegOutputSize(kDecodeLargeStream), kPreviewPictureBytes);
  EXPECT_LE(codec::JpegOutputSize(kDecodeLargeStream), kImageBufferBytes);
}

}  // namespace
}  // namespace camera::testing
