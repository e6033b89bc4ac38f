// Turning JPEG files from the browser: the Exif block survives (as
// exiftool reads it), the sides swap, other formats are refused, and a
// full volume leaves the picture, its comment and its voice note as they
// were.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>

#include "gallery/resources/commands.h"
#include "imaging_library.h"
#include "view_fixture.h"

namespace gallery {
namespace {

using testing::kPictures;

class ViewRotationTest : public testing::ViewFixture {
 protected:
  std::string HostFile(const std::string& path) {
    return handheld().files().HostPath(path).value().string();
  }
  std::vector<char> Bytes(const std::string& path) {
    std::ifstream file(HostFile(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }
  // exiftool's reading of the camera's make and model.
  std::string ExifTags(const std::string& path) {
    const std::string command = "exiftool -s3 -Make -Model '" + HostFile(path) + "' 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string output;
    std::array<char, 256> chunk;
    while (pipe && fgets(chunk.data(), chunk.size(), pipe.get())) output += chunk.data();
    return output;
  }
  std::pair<int, int> Sides(const std::string& path) {
    ImagingLibrary library;
    EXPECT_TRUE(library.Open());
    std::unique_ptr<imaging::Bitmap> bitmap;
    if (library.load_image(path.c_str(), &bitmap, 0, 0, nullptr) != imaging::kLoadOk) return {};
    return {bitmap->width(), bitmap->height()};
  }
};

TEST_F(ViewRotationTest, ATurnedJpegKeepsItsExifAndSwapsItsSides) {
  const std::string path = PutPicture("snap0001.jpg", 64, 48, {.exif = true, .comment = "lake"});
  ASSERT_EQ(ExifTags(path), "Orsa\nCard\n");
  const auto gallery = StartOn(path);
  Command(Browser(), kCommandRotateRight);
  EXPECT_EQ(Sides(path), (std::pair{48, 64}));
  EXPECT_EQ(ExifTags(path), "Orsa\nCard\n");
  Command(Browser(), kCommandRotateLeft);
  EXPECT_EQ(Sides(path), (std::pair{64, 48}));
  EXPECT_TRUE(Boxes().empty());
  Close(gallery);
}

TEST_F(ViewRotationTest, OnlyJpegFilesTurn) {
  const std::string path = std::string(kPictures) + "\\b.png";
  Put(path, "png");
  const auto gallery = StartOn(path);
  Command(Browser(), kCommandRotateLeft);
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].request.text, "Only JPEG pictures can be rotated.");
  EXPECT_EQ(boxes[0].request.caption, "Error");
  EXPECT_EQ(boxes[0].request.icon(), platform::MB_ICONEXCLAMATION);
  Close(gallery);
}

TEST_F(ViewRotationTest, AFullVolumeLeavesPictureCommentAndVoiceNoteIntact) {
  const std::string path =
      PutPicture("snap0001.jpg", 320, 240, {.exif = true, .comment = "at the lake"});
  const std::string note = std::string(kPictures) + "\\snap0001.wav";
  Put(note, "RIFF voice note");
  const auto picture = Bytes(path);
  const auto voice = Bytes(note);
  const auto gallery = StartOn(path);
  // No room for a second copy of the picture.
  const auto used = handheld().files().VolumeUsedBytes(path);
  ASSERT_TRUE(used);
  ASSERT_TRUE(handheld().files().SetVolumeSize(path, *used + 512));
  Command(Browser(), kCommandRotateRight);
  EXPECT_EQ(Bytes(path), picture);
  EXPECT_EQ(Bytes(note), voice);
  EXPECT_EQ(Sides(path), (std::pair{320, 240}));
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].request.caption, "Out of Memory");
  Close(gallery);
}

}  // namespace
}  // namespace gallery
