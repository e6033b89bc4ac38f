// Still capture over the camera session with the stand-in driver: the
// session is open and streaming, still capture is attached, the driver
// writes the picture a test gives it, and a recording stand-in of the
// gallery is built in at "\windows\orsagal.exe".
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "camera/still/still_capture.h"
#include "driver/orsadrv.h"
#include "fake_sio_driver.h"
#include "platform/message_box.h"
#include "session_fixture.h"

namespace camera::testing {

class StillTest : public SessionTest {
 protected:
  // The application's module carries stand-in bitmaps, or the artwork of
  // `resource_folder`.
  explicit StillTest(const std::filesystem::path& resource_folder = {});
  ~StillTest() override;

  // A whole picture file of one colour, as the driver would write it.
  static std::vector<std::uint8_t> PictureFile(int width, int height, std::uint8_t red,
                                               std::uint8_t green, std::uint8_t blue);
  // The snapshot requests the driver received, in order.
  std::vector<orsadrv::SioSnapshotRequest> Requests() const;
  // The UTF-8 path of a request.
  static std::string PathOf(const orsadrv::SioSnapshotRequest& request);
  bool Exists(const std::string& path) const;
  std::vector<platform::MessageBoxRecord> Boxes() const;
  // Makes the stand-in gallery: what it was started with, once it was.
  void InstallGallery();
  std::optional<std::string> gallery_command_line() const;

  struct GalleryRecord;
  std::shared_ptr<GalleryRecord> gallery_;
  FakeSioDriver driver_;
  // The commands greyed (false) and enabled again (true), in order.
  std::vector<bool> command_states_;
  StillCapture still_;
};

}  // namespace camera::testing
