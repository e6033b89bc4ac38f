#include "still_fixture.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <span>

#include "camera/settings/camera_settings.h"
#include "platform/files.h"
#include "platform/handheld.h"
#include "platform/programs.h"
#include "reference_codec.h"
#include "test_images.h"

namespace camera::testing {

struct StillTest::GalleryRecord {
  std::mutex mutex;
  std::optional<std::string> command_line;
};

StillTest::StillTest(const std::filesystem::path& resource_folder)
    : SessionTest(resource_folder),
      still_(StillCaptureProgram{
          .enable_capture_commands = [this](bool enabled) { command_states_.push_back(enabled); },
          .toggle_clip = nullptr}) {
  Settings().aviresolution = 0;
  Settings().instant_review = 0;
  Settings().selftime = 0;
  Settings().filename_prefix = "snap";
  Settings().folder_in_use = "\\My Documents\\My Pictures\\";
  platform::CreateDirectory("\\My Documents");
  platform::CreateDirectory("\\My Documents\\My Pictures");
  EXPECT_TRUE(Open());
  still_.Attach();
  driver_.picture = PictureFile(640, 480, 200, 40, 40);
}

StillTest::~StillTest() = default;

std::vector<std::uint8_t> StillTest::PictureFile(int width, int height, std::uint8_t red,
                                                 std::uint8_t green, std::uint8_t blue) {
  codec::testing::EncodeOptions options;
  options.subsampling = codec::testing::Subsampling::k420;
  return codec::testing::EncodeJpeg(codec::testing::MakeFlat(width, height, red, green, blue),
                                    options);
}

std::vector<orsadrv::SioSnapshotRequest> StillTest::Requests() const {
  std::vector<orsadrv::SioSnapshotRequest> requests;
  for (const ControlCall& call : driver_.calls) {
    if (call.code != orsadrv::IOCTL_SIO_SNAPSHOT) continue;
    orsadrv::SioSnapshotRequest request;
    EXPECT_EQ(call.input.size(), sizeof request);
    if (call.input.size() != sizeof request) continue;
    std::memcpy(&request, call.input.data(), sizeof request);
    requests.push_back(request);
  }
  return requests;
}

std::string StillTest::PathOf(const orsadrv::SioSnapshotRequest& request) {
  std::string path;
  for (const char16_t* c = request.path; c < std::end(request.path) && *c != 0; ++c) {
    path += static_cast<char>(*c);
  }
  return path;
}

bool StillTest::Exists(const std::string& path) const {
  return platform::GetFileAttributes(path) != platform::INVALID_FILE_ATTRIBUTES;
}

std::vector<platform::MessageBoxRecord> StillTest::Boxes() const {
  return platform::Handheld::Current().message_boxes().Boxes();
}

void StillTest::InstallGallery() {
  gallery_ = std::make_shared<GalleryRecord>();
  std::shared_ptr<GalleryRecord> record = gallery_;
  handheld().programs().Register(kGalleryProgramPath,
                                 [record](platform::HINSTANCE, const std::string& command_line) {
                                   std::lock_guard lock(record->mutex);
                                   record->command_line = command_line;
                                   return 0;
                                 });
  const char marker[] = "gallery stand-in";
  handheld().files().InstallFile(kGalleryProgramPath, std::as_bytes(std::span(marker)));
}

std::optional<std::string> StillTest::gallery_command_line() const {
  if (!gallery_) return std::nullopt;
  std::lock_guard lock(gallery_->mutex);
  return gallery_->command_line;
}

}  // namespace camera::testing
