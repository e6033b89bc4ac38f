// The zoom view's steps, panning, label and overview rectangle on the
// numbers a 240 x 268 area gives.
#include <gtest/gtest.h>

#include <vector>

#include "platform/messages.h"
#include "platform/punctuation_keys.h"
#include "view/zoom_geometry.h"
#include "view/zoom_keys.h"

namespace gallery {
namespace {

ZoomGeometry Opened(int width, int height) {
  ZoomGeometry view{width, height, 240, 268};
  CentrePicture(view);
  return view;
}

template <typename Step>
std::vector<int> ZoomsAfterSteps(ZoomGeometry view, Step step, int steps) {
  std::vector<int> zooms;
  for (int i = 0; i < steps; ++i) {
    step(view);
    zooms.push_back(view.zoom);
  }
  return zooms;
}

TEST(ZoomGeometryTest, StepsOfA640By480PictureStopAtFitAndAt8000) {
  ZoomGeometry view = Opened(640, 480);
  EXPECT_EQ(FittingZoom(view), 375);
  EXPECT_EQ(ZoomsAfterSteps(view, ZoomOut, 3), (std::vector<int>{500, 375, 375}));
  ZoomToFit(view);
  EXPECT_EQ(view.zoom, 375);
  EXPECT_EQ(ZoomsAfterSteps(view, ZoomIn, 6),
            (std::vector<int>{750, 1500, 3000, 6000, 8000, 8000}));
}

TEST(ZoomGeometryTest, LabelShowsWholeAndHalfPercents) {
  EXPECT_EQ(ZoomLabel(375), "37.5%");
  EXPECT_EQ(ZoomLabel(1000), "100%");
  EXPECT_EQ(ZoomLabel(8000), "800%");
  EXPECT_EQ(ZoomLabel(558), "55.8%");
}

TEST(ZoomGeometryTest, FitCentresTheWholePicture) {
  ZoomGeometry view = Opened(640, 480);
  ZoomToFit(view);
  // 240 x 180 inside 240 x 268: 44 rows of black above and below.
  EXPECT_EQ(view.offset_x, 0);
  EXPECT_EQ(view.offset_y, -44);
}

TEST(ZoomGeometryTest, ZoomingKeepsTheCentreOnTheSamePicturePoint) {
  ZoomGeometry view = Opened(640, 480);
  // At 1000 the centre shows picture point (320, 240).
  EXPECT_EQ(view.offset_x + 120, 320);
  EXPECT_EQ(view.offset_y + 134, 240);
  ZoomIn(view);
  EXPECT_EQ(view.offset_x + 120, 640);
  EXPECT_EQ(view.offset_y + 134, 480);
  ZoomToActualSize(view);
  EXPECT_EQ(view.offset_x + 120, 320);
  EXPECT_EQ(view.offset_y + 134, 240);
}

TEST(ZoomGeometryTest, PanningClampsToTheEdges) {
  ZoomGeometry view = Opened(640, 480);
  Pan(view, -1000, -1000);
  EXPECT_EQ(view.offset_x, 0);
  EXPECT_EQ(view.offset_y, 0);
  Pan(view, 60, 67);
  EXPECT_EQ(view.offset_x, 60);
  EXPECT_EQ(view.offset_y, 67);
  Pan(view, 5000, 5000);
  EXPECT_EQ(view.offset_x, 640 - 240);
  EXPECT_EQ(view.offset_y, 480 - 268);
}

TEST(ZoomGeometryTest, ASmallPictureIsCentredAndDoesNotPan) {
  ZoomGeometry view = Opened(100, 50);
  EXPECT_EQ(view.offset_x, -70);
  EXPECT_EQ(view.offset_y, -109);
  Pan(view, 30, -30);
  EXPECT_EQ(view.offset_x, -70);
  EXPECT_EQ(view.offset_y, -109);
  ZoomOut(view);
  EXPECT_EQ(view.zoom, 1000);
}

TEST(ZoomGeometryTest, PanningAlongTheLongSideOnlyWhenOneSideFits) {
  ZoomGeometry view = Opened(640, 200);
  Pan(view, 10, 10);
  EXPECT_EQ(view.offset_x, 200 + 10);
  EXPECT_EQ(view.offset_y, -34);
}

TEST(ZoomGeometryTest, OverviewRectangleFollowsTheVisiblePart) {
  ZoomGeometry view = Opened(640, 480);
  Pan(view, -1000, -1000);
  const platform::RECT visible = VisiblePart(view);
  EXPECT_EQ(visible, (platform::RECT{0, 0, 240, 268}));
  // 640 x 480 fits the inset as 100 x 75.
  const InsetRectangle inset = InsetRectangleFor(visible, 640, 480, 100, 75);
  EXPECT_FALSE(inset.whole);
  EXPECT_EQ(inset.rect, (platform::RECT{0, 0, 38, 42}));
  ZoomToFit(view);
  EXPECT_TRUE(InsetRectangleFor(VisiblePart(view), 640, 480, 100, 75).whole);
}

TEST(ZoomGeometryTest, OverviewRectangleIsClampedToTheFittedPicture) {
  ZoomGeometry view = Opened(640, 480);
  Pan(view, 5000, 5000);
  const InsetRectangle inset = InsetRectangleFor(VisiblePart(view), 640, 480, 100, 75);
  EXPECT_FALSE(inset.whole);
  EXPECT_EQ(inset.rect.right, 100);
  EXPECT_EQ(inset.rect.bottom, 75);
}

TEST(ZoomKeysTest, ArrowsPanByAQuarterOfTheAreaPagesByTheClient) {
  const platform::RECT client{0, 0, 240, 268};
  auto pan = [&](platform::UINT key) {
    const ZoomKey pressed = ZoomKeyFor(key, 240, 268, client);
    EXPECT_EQ(pressed.action, ZoomKeyAction::kPan) << key;
    return std::pair{pressed.dx, pressed.dy};
  };
  EXPECT_EQ(pan(platform::VK_LEFT), (std::pair{-60, 0}));
  EXPECT_EQ(pan(platform::VK_RIGHT), (std::pair{60, 0}));
  EXPECT_EQ(pan(platform::VK_UP), (std::pair{0, -67}));
  EXPECT_EQ(pan(platform::VK_DOWN), (std::pair{0, 67}));
  EXPECT_EQ(pan(platform::VK_PRIOR), (std::pair{0, -268}));
  EXPECT_EQ(pan(platform::VK_NEXT), (std::pair{0, 268}));
  EXPECT_EQ(pan(platform::VK_HOME), (std::pair{-240, 0}));
  EXPECT_EQ(pan(platform::VK_END), (std::pair{240, 0}));
}

TEST(ZoomKeysTest, EnterEscapeAndSpaceCloseAndPunctuationZoomsAndWalks) {
  const platform::RECT client{0, 0, 240, 268};
  for (platform::UINT key : {platform::VK_RETURN, platform::VK_ESCAPE, platform::VK_SPACE})
    EXPECT_EQ(ZoomKeyFor(key, 240, 268, client).action, ZoomKeyAction::kClose);
  EXPECT_EQ(ZoomKeyFor(platform::VK_OEM_PLUS, 240, 268, client).action, ZoomKeyAction::kZoomIn);
  EXPECT_EQ(ZoomKeyFor(platform::VK_OEM_MINUS, 240, 268, client).action, ZoomKeyAction::kZoomOut);
  EXPECT_EQ(ZoomKeyFor(platform::VK_OEM_COMMA, 240, 268, client).action, ZoomKeyAction::kPrevious);
  EXPECT_EQ(ZoomKeyFor(platform::VK_OEM_PERIOD, 240, 268, client).action, ZoomKeyAction::kNext);
  EXPECT_EQ(ZoomKeyFor('A', 240, 268, client).action, ZoomKeyAction::kNone);
}

}  // namespace
}  // namespace gallery
