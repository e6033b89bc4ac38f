// The statistics commands measure the raw frame: their results, expanded
// as the driver does, give the frame's mean blue, green and red.
#include "card_fixture.h"
#include "platform/time.h"

namespace card {
namespace {

// Grey with a bright square in the middle third.
class SpotScene : public SceneSource {
 public:
  void Render(std::uint64_t, int scale, int x, int y, int width, int height,
              std::span<std::uint8_t> rgb) override {
    for (int row = 0; row < height; ++row) {
      for (int column = 0; column < width; ++column) {
        const int fx = (x + column) * scale, fy = (y + row) * scale;
        const bool spot = fx > 430 && fx < 850 && fy > 340 && fy < 680;
        std::uint8_t* pixel = &rgb[(static_cast<std::size_t>(row) * width + column) * 3];
        pixel[0] = pixel[1] = pixel[2] = spot ? 220 : 60;
      }
    }
  }
};

class StatisticsTest : public CardTest {
 protected:
  // Runs a type-4 preview for two frames and measures the raw frame.
  std::array<int, 3> Measure(int command) {
    StartPreview(4);
    programmer().FetchFrame(0);
    programmer().FetchFrame(1);
    return programmer().Statistics(command, 0x1A0000, 307'200);
  }
};

TEST_F(StatisticsTest, TheMeansFollowTheScene) {
  card_->SetScene(MakeUniformScene(200, 100, 50));
  const std::array<int, 3> warm = Measure(38);
  EXPECT_GT(warm[2], warm[1] + 40);  // red above green above blue
  EXPECT_GT(warm[1], warm[0] + 20);

  card_->SetScene(MakeUniformScene(50, 100, 200));
  programmer().FetchFrame(2);
  programmer().FetchFrame(3);
  const std::array<int, 3> cold = programmer().Statistics(38, 0x1A0000, 307'200);
  EXPECT_GT(cold[0], cold[1] + 20);
  EXPECT_NEAR(cold[0], warm[2], 6);  // the same light, the other way round
}

TEST_F(StatisticsTest, TheMeansAgreeWithThePicture) {
  card_->SetScene(MakeUniformScene(150, 120, 90));
  StartPreview(4);
  const std::vector<std::uint8_t> scan = programmer().FetchFrame(0);
  const std::array<int, 3> means = programmer().Statistics(38, 0x001000, 307'200);
  double red, green, blue;
  PreviewPicture(scan, 320, 240, 1)->MeanColour(&red, &green, &blue);
  EXPECT_NEAR(means[0], blue, 6);
  EXPECT_NEAR(means[1], green, 6);
  EXPECT_NEAR(means[2], red, 6);
}

TEST_F(StatisticsTest, CentreWeightingWeighsTheCentre) {
  card_->SetScene(std::make_unique<SpotScene>());
  const std::array<int, 3> average = Measure(38);
  const std::array<int, 3> centre = programmer().Statistics(41, 0x1A0000, 307'200);
  EXPECT_GT(centre[1], average[1] + 15);
}

TEST_F(StatisticsTest, TheSmallCommandsMeasureTheSmallFrames) {
  card_->SetScene(MakeUniformScene(100, 100, 100));
  StartPreview(9);
  programmer().FetchFrame(0);
  const std::array<int, 3> wide = programmer().Statistics(36, 0x001000, 76'800, 1);
  EXPECT_NEAR(wide[1], wide[0], 8);
  EXPECT_GT(wide[1], 50);
}

TEST_F(StatisticsTest, GreyWorldWhiteBalanceReadsTheCells) {
  card_->SetScene(MakeUniformScene(180, 120, 60));
  const std::array<int, 3> cells = Measure(38);
  const std::array<int, 3> grey = programmer().Statistics(37, 0x1FF000, 7'200);
  EXPECT_NEAR(grey[0], cells[0], 4);
  EXPECT_NEAR(grey[1], cells[1], 4);
  EXPECT_NEAR(grey[2], cells[2], 4);
}

TEST_F(StatisticsTest, WithoutACompleteProgramNoCommandFinishes) {
  client().Write(1, 5, 0x1D);
  client().WriteModule(132, 15);
  for (int i = 0; i < 100; ++i) client().WriteModule(137, 0);
  client().WriteModule(132, 0);
  programmer().RunCommand(38, 0x1FF000, 0x1000, 1000);
  EXPECT_EQ(programmer().WaitForCommand(38)[0] & 1, 0);  // given up after its time
  programmer().UploadProgram();
  programmer().RunCommand(38, 0x1FF000, 0x1000, 1000);
  EXPECT_EQ(programmer().WaitForCommand(38)[0] & 1, 1);
}

TEST_F(StatisticsTest, OtherCommandsAreRefused) {
  ASSERT_TRUE(programmer().StartUp());
  programmer().RunCommand(50, 0, 0, 16);
  EXPECT_EQ(programmer().WaitForCommand(50)[0], 0xFF);
}

}  // namespace
}  // namespace card
