// Text: fonts by face, height and weight; alignment in a rectangle; colours
// and background modes; Chinese and Korean characters; measuring.
#include <gtest/gtest.h>

#include <algorithm>

#include "gdi_test_canvas.h"

namespace platform {
namespace {

using gdi_testing::Canvas;
using gdi_testing::kBlack;
using gdi_testing::kRed;
using gdi_testing::kWhite;

class Font {
 public:
  Font(const char* face, LONG height, LONG weight = FW_NORMAL, BYTE charset = ANSI_CHARSET) {
    LOGFONT font;
    font.lfFaceName = face;
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfCharSet = charset;
    handle_ = CreateFontIndirect(&font);
  }
  ~Font() { DeleteObject(handle_); }
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;
  HFONT handle() const { return handle_; }

 private:
  HFONT handle_;
};

// Columns and rows of pixels that are not the background.
struct Ink {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1, count = 0;
};
Ink InkOf(const Canvas& canvas, const RECT& area, COLORREF background) {
  Ink ink;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (canvas.At(x, y) == background) continue;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x + 1);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y + 1);
      ++ink.count;
    }
  }
  return ink;
}

TEST(DrawTextTest, RightAlignedTextEndsAtTheRectanglesRightEdgeInTheTextColour) {
  Canvas canvas(240, 40, 24, kBlack);
  Font bold("", 20, FW_BOLD);
  SelectObject(canvas.dc(), bold.handle());
  SetTextColor(canvas.dc(), kRed);
  SetBkMode(canvas.dc(), TRANSPARENT);
  RECT count{180, 0, 240, 20};
  EXPECT_GT(DrawText(canvas.dc(), "123", &count, DT_RIGHT), 0);
  Ink ink = InkOf(canvas, {0, 0, 240, 40}, kBlack);
  ASSERT_GT(ink.count, 0);
  EXPECT_GE(ink.left, 180);
  EXPECT_LE(ink.right, 240);
  EXPECT_GE(ink.right, 236);  // the last digit's side bearing at most
  EXPECT_LE(ink.bottom, 20);
  // Full strokes are exactly the text colour; the edges blend towards black.
  int pure = 0;
  for (int y = ink.top; y < ink.bottom; ++y) {
    for (int x = ink.left; x < ink.right; ++x) {
      COLORREF c = canvas.At(x, y);
      pure += c == kRed;
      EXPECT_EQ(GetGValue(c), 0);
      EXPECT_EQ(GetBValue(c), 0);
    }
  }
  EXPECT_GT(pure, 20);
}

TEST(DrawTextTest, LeftCentreAndVerticalCentrePlaceTheText) {
  Canvas canvas(200, 60);
  Font font("Tahoma", -14);
  SelectObject(canvas.dc(), font.handle());
  SetBkMode(canvas.dc(), TRANSPARENT);
  RECT box{20, 10, 180, 50};
  DrawText(canvas.dc(), "Centre", &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  Ink centred = InkOf(canvas, {0, 0, 200, 60}, kWhite);
  ASSERT_GT(centred.count, 0);
  EXPECT_NEAR((centred.left + centred.right) / 2.0, 100, 3);
  EXPECT_NEAR((centred.top + centred.bottom) / 2.0, 30, 4);

  Canvas left(200, 60);
  SelectObject(left.dc(), font.handle());
  DrawText(left.dc(), "Centre", &box, DT_LEFT | DT_SINGLELINE);
  Ink at_left = InkOf(left, {0, 0, 200, 60}, kWhite);
  EXPECT_LE(at_left.left, 22);
  EXPECT_GE(at_left.left, 20);
  EXPECT_LT(at_left.top, 25);
}

TEST(DrawTextTest, OpaqueModeFillsBehindTheTextWithTheBackgroundColour) {
  Canvas canvas(100, 30);
  SetBkColor(canvas.dc(), RGB(0, 0, 255));
  SetBkMode(canvas.dc(), OPAQUE);
  RECT box{0, 0, 100, 30};
  DrawText(canvas.dc(), "Hi", &box, DT_LEFT);
  EXPECT_EQ(canvas.At(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(canvas.At(99, 29), kWhite);
}

TEST(DrawTextTest, ChineseAndKoreanStringsDrawGlyphs) {
  for (const char* text :
       {"\xE7\x85\xA7\xE7\x89\x87\xE5\xB7\xB2\xE4\xBF\x9D\xE5\xAD\x98",  // 照片已保存
        "\xEC\x82\xAC\xEC\xA7\x84\x20\xEC\xA0\x80\xEC\x9E\xA5"}) {       // 사진 저장
    Canvas canvas(200, 40);
    Font font("Tahoma", -16);
    SelectObject(canvas.dc(), font.handle());
    RECT box{10, 10, 190, 30};
    DrawText(canvas.dc(), text, &box, DT_LEFT | DT_SINGLELINE);
    Ink ink = InkOf(canvas, {0, 0, 200, 40}, kWhite);
    EXPECT_GT(ink.count, 60) << text;
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 190);
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.bottom, 30);
    // Wider than a row of missing-glyph boxes would be narrow: each
    // character is about a full em.
    EXPECT_GT(ink.right - ink.left, 60);
  }
}

TEST(DrawTextTest, KoreanFaceByCharsetDrawsKorean) {
  Canvas canvas(100, 30);
  Font font("Gulim", -16, FW_NORMAL, HANGUL_CHARSET);
  SelectObject(canvas.dc(), font.handle());
  RECT box{0, 0, 100, 30};
  DrawText(canvas.dc(), "\xED\x95\x9C", &box, DT_LEFT);  // 한
  EXPECT_GT(InkOf(canvas, box, kWhite).count, 20);
}

TEST(DrawTextTest, WordBreakWrapsAndCalcRectMeasures) {
  Canvas canvas(100, 100);
  SIZE word;
  SIZE two_words;
  GetTextExtentPoint32(canvas.dc(), "word", &word);
  GetTextExtentPoint32(canvas.dc(), "word word", &two_words);
  // Room for one word a line, not two.
  const int width = (word.cx + two_words.cx) / 2;
  RECT measure{0, 0, width, 0};
  int one_line = DrawText(canvas.dc(), "word", &measure, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(canvas.CountOther(kWhite), 0);  // measuring draws nothing
  EXPECT_EQ(one_line, word.cy);
  EXPECT_EQ(measure.right, word.cx);
  RECT three{0, 0, width, 0};
  int wrapped = DrawText(canvas.dc(), "word word word", &three, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(wrapped, 3 * one_line);
  EXPECT_EQ(three.bottom, wrapped);
  EXPECT_EQ(three.right, word.cx);
  RECT wide{0, 0, two_words.cx, 0};
  EXPECT_EQ(DrawText(canvas.dc(), "word word word", &wide, DT_CALCRECT | DT_WORDBREAK),
            2 * one_line);
  RECT lines{0, 0, 100, 0};
  EXPECT_EQ(DrawText(canvas.dc(), "a\nb", &lines, DT_CALCRECT), 2 * one_line);
  RECT single{0, 0, 100, 0};
  EXPECT_EQ(DrawText(canvas.dc(), "a\nb", &single, DT_CALCRECT | DT_SINGLELINE), one_line);
}

TEST(DrawTextTest, PrefixAmpersandIsNotDrawnUnlessNoPrefix) {
  Canvas canvas(100, 30);
  SIZE plain;
  GetTextExtentPoint32(canvas.dc(), "Exit", &plain);
  RECT with_prefix{0, 0, 100, 0};
  DrawText(canvas.dc(), "E&xit", &with_prefix, DT_CALCRECT);
  EXPECT_EQ(with_prefix.right, plain.cx);
  RECT kept{0, 0, 100, 0};
  DrawText(canvas.dc(), "E&xit", &kept, DT_CALCRECT | DT_NOPREFIX);
  EXPECT_GT(kept.right, plain.cx);
}

TEST(DrawTextTest, TextIsClippedToTheRectangleUnlessNoClip) {
  Canvas canvas(100, 30);
  RECT narrow{0, 0, 10, 30};
  DrawText(canvas.dc(), "Wide text", &narrow, DT_LEFT);
  EXPECT_EQ(canvas.CountOther(RECT{10, 0, 100, 30}, kWhite), 0);
  DrawText(canvas.dc(), "Wide text", &narrow, DT_LEFT | DT_NOCLIP);
  EXPECT_GT(canvas.CountOther(RECT{10, 0, 100, 30}, kWhite), 0);
}

TEST(DrawTextTest, EndEllipsisKeepsTheTextInsideTheRectangle) {
  Canvas canvas(200, 30);
  RECT box{0, 0, 60, 30};
  RECT measured = box;
  DrawText(canvas.dc(), "A long file name.jpg", &measured,
           DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_LE(measured.right, 60);
  DrawText(canvas.dc(), "A long file name.jpg", &box, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
  EXPECT_EQ(canvas.CountOther(RECT{60, 0, 200, 30}, kWhite), 0);
}

TEST(DrawTextTest, PrefixUnderlinesItsCharacter) {
  Canvas plain(60, 30);
  Canvas marked(60, 30);
  RECT box{0, 0, 60, 30};
  DrawText(plain.dc(), "xx", &box, DT_LEFT);
  DrawText(marked.dc(), "&xx", &box, DT_LEFT);
  SIZE one;
  GetTextExtentPoint32(plain.dc(), "x", &one);
  TEXTMETRIC metrics;
  GetTextMetrics(plain.dc(), &metrics);
  // Only below the first character's baseline do the two differ.
  const RECT under_first{0, metrics.tmAscent, one.cx, metrics.tmHeight};
  EXPECT_GT(marked.CountOther(under_first, kWhite), plain.CountOther(under_first, kWhite));
  const RECT second{one.cx, 0, 60, 30};
  EXPECT_EQ(marked.CountOther(second, kWhite), plain.CountOther(second, kWhite));
}

TEST(DrawTextTest, SixteenBitSurfacesTakeTheTextColourRounded) {
  Canvas canvas(60, 30, 16, kBlack);
  Font large("Arial", -24, FW_BOLD);
  SelectObject(canvas.dc(), large.handle());
  SetTextColor(canvas.dc(), RGB(255, 255, 255));
  SetBkMode(canvas.dc(), TRANSPARENT);
  RECT box{0, 0, 60, 30};
  DrawText(canvas.dc(), "Il", &box, DT_LEFT);
  EXPECT_GT(canvas.CountOther(box, kBlack), 10);
  int white = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 60; ++x) white += canvas.At(x, y) == RGB(255, 255, 255);
  }
  EXPECT_GT(white, 5);
}

TEST(FontTest, HeightAndWeightChangeTheMetrics) {
  Canvas canvas(10, 10);
  Font small("Arial", -10);
  Font large("Arial", -30);
  Font bold("Arial", -30, FW_BOLD);
  SIZE small_size, large_size, bold_size;
  SelectObject(canvas.dc(), small.handle());
  GetTextExtentPoint32(canvas.dc(), "Gallery", &small_size);
  SelectObject(canvas.dc(), large.handle());
  GetTextExtentPoint32(canvas.dc(), "Gallery", &large_size);
  TEXTMETRIC metrics;
  ASSERT_TRUE(GetTextMetrics(canvas.dc(), &metrics));
  EXPECT_EQ(metrics.tmHeight, metrics.tmAscent + metrics.tmDescent);
  EXPECT_EQ(large_size.cy, metrics.tmHeight);
  SelectObject(canvas.dc(), bold.handle());
  GetTextExtentPoint32(canvas.dc(), "Gallery", &bold_size);
  EXPECT_GT(large_size.cx, 2 * small_size.cx);
  EXPECT_GT(large_size.cy, 2 * small_size.cy);
  EXPECT_GT(bold_size.cx, large_size.cx);

  // A positive height is the cell height.
  Font cell("Arial", 20);
  SelectObject(canvas.dc(), cell.handle());
  GetTextMetrics(canvas.dc(), &metrics);
  EXPECT_NEAR(metrics.tmHeight, 20, 1);
  SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
  LOGFONT described;
  EXPECT_EQ(GetObject(bold.handle(), sizeof(described), &described),
            static_cast<int>(sizeof(LOGFONT)));
  EXPECT_EQ(described.lfWeight, FW_BOLD);
  EXPECT_EQ(described.lfFaceName, "Arial");
}

TEST(ExtTextOutTest, OpaqueRectangleAndClipping) {
  Canvas canvas(100, 30);
  SetBkColor(canvas.dc(), kRed);
  RECT band{0, 0, 50, 30};
  ExtTextOut(canvas.dc(), 40, 5, ETO_OPAQUE | ETO_CLIPPED, &band, "Clipped text");
  EXPECT_EQ(canvas.At(0, 0), kRed);
  EXPECT_EQ(canvas.At(49, 29), kRed);
  EXPECT_EQ(canvas.CountOther(RECT{50, 0, 100, 30}, kWhite), 0);
  EXPECT_GT(canvas.CountOther(band, kRed), 0);
}

}  // namespace
}  // namespace platform
