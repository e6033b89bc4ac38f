// Scenes: a picture file as the scene, and the built-in one's animation.
#include <cmath>
#include <fstream>

#include "card_fixture.h"
#include "card_testing/camera_tables.h"

namespace card {
namespace {

TEST(SceneTest, TheBuiltInSceneMovesAndHasItsGreyPatch) {
  std::unique_ptr<SceneSource> scene = MakeAnimatedScene();
  std::vector<std::uint8_t> first(320 * 256 * 3), later(320 * 256 * 3);
  scene->Render(0, 4, 0, 0, 320, 256, first);
  scene->Render(500'000, 4, 0, 0, 320, 256, later);
  EXPECT_NE(first, later);
  // The grey patch: the third of the chart's lower row, at any time.
  std::vector<std::uint8_t> patch(3);
  scene->Render(0, 1, 600, 430, 1, 1, patch);
  EXPECT_EQ(patch, (std::vector<std::uint8_t>{128, 128, 128}));
}

TEST(SceneTest, AFileThatIsNoPictureGivesNoScene) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "card-not-a-picture";
  std::ofstream(file) << "nothing";
  EXPECT_EQ(LoadImageScene(file), nullptr);
  EXPECT_EQ(LoadImageScene(file.string() + "-missing"), nullptr);
  std::filesystem::remove(file);
}

TEST_F(CardTest, APictureFileCanBeTheScene) {
  ASSERT_TRUE(programmer().StartUp());
  std::vector<std::uint8_t> jpeg = testing::StillHeader(1280, 960, 2, 1);
  const std::vector<std::uint8_t> scan = programmer().Still(1, 1);
  jpeg.insert(jpeg.end(), scan.begin(), scan.end());
  const std::filesystem::path file = handheld_.root() / "scene.jpg";
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(jpeg.data()), static_cast<std::streamsize>(jpeg.size()));
  std::unique_ptr<SceneSource> scene = LoadImageScene(file);
  ASSERT_NE(scene, nullptr);
  // A still picture does not move.
  std::vector<std::uint8_t> first(64 * 64 * 3), later(64 * 64 * 3);
  scene->Render(0, 2, 100, 100, 64, 64, first);
  scene->Render(3'000'000, 2, 100, 100, 64, 64, later);
  EXPECT_EQ(first, later);

  card_->SetScene(std::move(scene));
  const std::optional<testing::Picture> picture =
      testing::DecodeWith(testing::StillHeader(1280, 960, 2, 1), programmer().Still(1, 1));
  ASSERT_TRUE(picture);
  EXPECT_GT(picture->MeanLuminance(), 40);
}

}  // namespace
}  // namespace card
