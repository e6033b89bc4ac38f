// Fills, pens, rectangles, polylines, and drawing into the visible parts of
// a window's place on a shared target.
#include <gtest/gtest.h>

#include <memory>

#include "../../src/gdi/window_dc.h"
#include "gdi_test_canvas.h"

namespace platform {
namespace {

using gdi_testing::Canvas;
using gdi_testing::kBlue;
using gdi_testing::kRed;
using gdi_testing::kWhite;

TEST(FillTest, FillRectLeavesRightAndBottomOutside) {
  Canvas canvas(10, 10);
  HBRUSH brush = CreateSolidBrush(kRed);
  RECT rect{2, 3, 5, 7};
  EXPECT_TRUE(FillRect(canvas.dc(), &rect, brush));
  EXPECT_EQ(canvas.CountOther(rect, kRed), 0);
  EXPECT_EQ(canvas.CountOther(kWhite), 12);
  DeleteObject(brush);
}

TEST(FillTest, SystemColourIndexPlusOneIsABrush) {
  Canvas canvas(2, 2, 24, kRed);
  RECT all{0, 0, 2, 2};
  FillRect(canvas.dc(), &all, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  EXPECT_EQ(canvas.At(1, 1), GetSysColor(COLOR_WINDOW));
  FillRect(canvas.dc(), &all, GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(canvas.At(1, 1), GetSysColor(COLOR_BTNFACE));
}

TEST(RectangleTest, NullBrushDrawsOnlyThePenOutline) {
  Canvas canvas(12, 12);
  HPEN pen = CreatePen(PS_SOLID, 1, kBlue);
  HGDIOBJ old_pen = SelectObject(canvas.dc(), pen);
  HGDIOBJ old_brush = SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
  ASSERT_TRUE(Rectangle(canvas.dc(), 2, 2, 10, 8));
  EXPECT_EQ(canvas.At(2, 2), kBlue);
  EXPECT_EQ(canvas.At(9, 7), kBlue);
  EXPECT_EQ(canvas.At(10, 8), kWhite);
  EXPECT_EQ(canvas.CountOther(RECT{3, 3, 9, 7}, kWhite), 0);
  EXPECT_EQ(canvas.CountOther(kWhite), 2 * 8 + 2 * 4);

  // A wide pen grows inwards; a brush fills what is left.
  HPEN wide = CreatePen(PS_SOLID, 2, kBlue);
  SelectObject(canvas.dc(), wide);
  HBRUSH red = CreateSolidBrush(kRed);
  SelectObject(canvas.dc(), red);
  Rectangle(canvas.dc(), 0, 0, 6, 6);
  EXPECT_EQ(canvas.At(1, 1), kBlue);
  EXPECT_EQ(canvas.CountOther(RECT{2, 2, 4, 4}, kRed), 0);
  SelectObject(canvas.dc(), old_pen);
  SelectObject(canvas.dc(), old_brush);
  DeleteObject(pen);
  DeleteObject(wide);
  DeleteObject(red);
}

TEST(PolylineTest, DrawsThroughThePointsLeavingOutTheLast) {
  Canvas canvas(10, 10);
  HPEN pen = CreatePen(PS_SOLID, 1, kRed);
  HGDIOBJ old = SelectObject(canvas.dc(), pen);
  const POINT points[] = {{1, 1}, {6, 1}, {6, 5}};
  ASSERT_TRUE(Polyline(canvas.dc(), points, 3));
  for (int x = 1; x <= 6; ++x) EXPECT_EQ(canvas.At(x, 1), kRed) << x;
  for (int y = 1; y < 5; ++y) EXPECT_EQ(canvas.At(6, y), kRed) << y;
  EXPECT_EQ(canvas.At(6, 5), kWhite);
  EXPECT_EQ(canvas.CountOther(kWhite), 9);
  EXPECT_FALSE(Polyline(canvas.dc(), points, 1));

  // A histogram-like diagonal touches each column once.
  const POINT slope[] = {{0, 9}, {9, 0}};
  Polyline(canvas.dc(), slope, 2);
  for (int x = 0; x < 9; ++x) EXPECT_EQ(canvas.At(x, 9 - x), kRed) << x;
  SelectObject(canvas.dc(), old);
  DeleteObject(pen);
}

TEST(PolylineTest, NullPenDrawsNothingAndWidePensAreThicker) {
  Canvas canvas(10, 10);
  HGDIOBJ old = SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
  const POINT points[] = {{0, 5}, {9, 5}};
  Polyline(canvas.dc(), points, 2);
  EXPECT_EQ(canvas.CountOther(kWhite), 0);
  HPEN wide = CreatePen(PS_SOLID, 3, kBlue);
  SelectObject(canvas.dc(), wide);
  Polyline(canvas.dc(), points, 2);
  EXPECT_EQ(canvas.At(4, 4), kBlue);
  EXPECT_EQ(canvas.At(4, 6), kBlue);
  EXPECT_EQ(canvas.At(4, 3), kWhite);
  SelectObject(canvas.dc(), old);
  DeleteObject(wide);
}

TEST(ShapesTest, EllipsePolygonAndLinesFillInsideAndOutlineWithThePen) {
  Canvas canvas(20, 20);
  HBRUSH red = CreateSolidBrush(kRed);
  HGDIOBJ old_brush = SelectObject(canvas.dc(), red);
  Ellipse(canvas.dc(), 0, 0, 20, 20);
  EXPECT_EQ(canvas.At(10, 10), kRed);
  EXPECT_EQ(canvas.At(0, 0), kWhite);         // corners stay outside
  EXPECT_EQ(canvas.At(10, 0), RGB(0, 0, 0));  // the black pen's outline

  Canvas triangle(20, 20);
  SelectObject(triangle.dc(), red);
  SelectObject(triangle.dc(), GetStockObject(NULL_PEN));
  const POINT corners[] = {{0, 0}, {20, 0}, {0, 20}};
  Polygon(triangle.dc(), corners, 3);
  EXPECT_EQ(triangle.At(2, 2), kRed);
  EXPECT_EQ(triangle.At(17, 17), kWhite);
  SelectObject(triangle.dc(), GetStockObject(WHITE_BRUSH));
  SelectObject(canvas.dc(), old_brush);
  DeleteObject(red);

  Canvas lines(10, 10);
  POINT previous{};
  MoveToEx(lines.dc(), 1, 8, nullptr);
  LineTo(lines.dc(), 8, 8);
  MoveToEx(lines.dc(), 0, 0, &previous);
  EXPECT_EQ(previous, (POINT{8, 8}));
  EXPECT_EQ(lines.CountOther(RECT{1, 8, 8, 9}, RGB(0, 0, 0)), 0);
  EXPECT_EQ(lines.At(8, 8), kWhite);

  // Dashes leave gaps.
  HPEN dashed = CreatePen(PS_DASH, 1, kBlue);
  Canvas dashes(40, 1);
  SelectObject(dashes.dc(), dashed);
  const POINT across[] = {{0, 0}, {40, 0}};
  Polyline(dashes.dc(), across, 2);
  const int gaps = dashes.CountOther(RECT{0, 0, 40, 1}, kBlue);
  EXPECT_GT(gaps, 5);
  EXPECT_LT(gaps, 20);
  SelectObject(dashes.dc(), GetStockObject(BLACK_PEN));
  DeleteObject(dashed);
}

TEST(ShapesTest, FrameRectAndInvertRect) {
  Canvas canvas(6, 6);
  HBRUSH blue = CreateSolidBrush(kBlue);
  RECT box{1, 1, 5, 5};
  FrameRect(canvas.dc(), &box, blue);
  EXPECT_EQ(canvas.CountOther(RECT{2, 2, 4, 4}, kWhite), 0);
  EXPECT_EQ(canvas.CountOther(kWhite), 12);
  RECT all{0, 0, 6, 6};
  InvertRect(canvas.dc(), &all);
  EXPECT_EQ(canvas.At(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(1, 1), RGB(255, 255, 0));
  DeleteObject(blue);
}

TEST(WindowDcTest, DrawsAtTheOriginAndOnlyInsideTheVisibleParts) {
  auto screen = std::make_shared<gdi::Surface>(40, 30, 16);
  // A window at (10, 5) of which a lower part is covered: visible are two
  // pieces of its client area.
  std::vector<RECT> visible = {{10, 5, 30, 10}, {10, 10, 20, 15}};
  HDC dc = gdi::CreateWindowDC(screen, POINT{10, 5}, visible);
  ASSERT_NE(dc, nullptr);
  HBRUSH red = CreateSolidBrush(kRed);
  RECT everything{-100, -100, 100, 100};
  FillRect(dc, &everything, red);
  int painted = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      bool inside = PtInRect(&visible[0], {x, y}) || PtInRect(&visible[1], {x, y});
      bool red_here = screen->GetPixel(x, y) == kRed;
      EXPECT_EQ(red_here, inside) << x << "," << y;
      painted += red_here;
    }
  }
  EXPECT_EQ(painted, 20 * 5 + 10 * 5);
  // Client (0, 0) is screen (10, 5).
  SetPixel(dc, 0, 0, kBlue);
  EXPECT_EQ(screen->GetPixel(10, 5), kBlue);
  EXPECT_EQ(GetPixel(dc, 15, 7), CLR_INVALID);  // covered
  // Memory contexts refuse what window contexts do, and the other way.
  EXPECT_FALSE(DeleteDC(dc));
  gdi::ReleaseWindowDC(dc);
  EXPECT_EQ(SetBkMode(dc, TRANSPARENT), 0);
  DeleteObject(red);
}

}  // namespace
}  // namespace platform
