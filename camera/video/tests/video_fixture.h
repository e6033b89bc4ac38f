// The clip recorder over the camera session with the stand-in driver, on
// the virtual clock: the session is open and streaming in Video mode, the
// recorder attached, the null microphone plays a tone, and the clip files
// can be handed to ffprobe and ffmpeg.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "camera/video/clip_recorder.h"
#include "command_runner.h"
#include "fake_sio_driver.h"
#include "platform/message_box.h"
#include "session_fixture.h"

namespace camera::testing {

inline constexpr char kClipFolder[] = "\\My Documents\\My Pictures\\";
// The path of clip `number` in kClipFolder, "m0001.avi" and on.
inline std::string Clip(int number) {
  char name[24];
  std::snprintf(name, sizeof name, "m%04d.avi", number);
  return std::string(kClipFolder) + name;
}
inline constexpr double kToneHz = 440;
inline constexpr double kToneAmplitude = 8000;

class VideoTest : public SessionTest {
 protected:
  VideoTest();
  ~VideoTest() override;

  // Starts a clip, lets `ms` of handheld time pass, stops it.
  void Record(std::uint64_t ms);
  std::vector<platform::MessageBoxRecord> Boxes() const;
  bool Exists(const std::string& path) const;
  // The host path of a handheld file, quoted for a command line.
  std::string HostFile(const std::string& path) const;
  // What ffprobe says of one stream ("v:0", "a:0") as key/value pairs;
  // empty when it has no such stream.
  std::map<std::string, std::string> Probe(const std::string& path, const std::string& stream);
  // Errors ffmpeg prints while decoding the whole clip.
  std::string DecodeErrors(const std::string& path);
  // The clip's sound as ffmpeg extracts it, 16-bit samples.
  std::vector<std::int16_t> Sound(const std::string& path);
  bool HavePeers() const;

  clip::testing::HostFolder scratch_;
  FakeSioDriver driver_;
  // The commands greyed (false) and enabled again (true), in order.
  std::vector<bool> command_states_;
  ClipRecorder recorder_;
};

}  // namespace camera::testing
