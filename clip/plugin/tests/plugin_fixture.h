// A handheld with "orsaclip.dll" built in and loaded as the gallery loads
// it, and clips recorded by the camera's writer with real camera frames.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "camera_frames.h"
#include "clip/install.h"
#include "clip/orsaclip.h"
#include "codec/jpeg_decoder.h"
#include "platform/gdi.h"
#include "platform/gdi_surface.h"
#include "platform/message_box.h"
#include "platform/modules.h"
#include "platform/testing/temp_handheld.h"
#include "recording_testing/recorded_clip.h"

namespace clip::testing {

using platform::DWORD;
using recording::kQueueAudio;
using recording::kQueueVideo;
using recording::testing::ClipPlan;

class PluginTest : public ::testing::Test {
 protected:
  PluginTest() {
    std::string error;
    EXPECT_TRUE(InstallClipModule(device_.handheld(), &error)) << error;
    module_ = platform::LoadLibrary(kModuleName);
    EXPECT_NE(module_, nullptr);
    get_thumbnail_ =
        platform::GetProcAddressAs<MediaGetThumbnailFunction>(module_, kMediaGetThumbnailExport);
    display_ = platform::GetProcAddressAs<MediaDisplayFunction>(module_, kMediaDisplayExport);
    get_info_ = platform::GetProcAddressAs<MediaGetInfoFunction>(module_, kMediaGetInfoExport);
  }
  ~PluginTest() override { platform::FreeLibrary(module_); }

  // A clip of `frames` camera frames (scene seeds 0, 1, ...) recorded over
  // `seconds`, with `sound` chunks after the frames when given.
  static ClipPlan FramesPlan(int width, int height, int frames, DWORD seconds = 1) {
    ClipPlan plan;
    plan.width = width;
    plan.height = height;
    plan.duration_seconds = seconds;
    for (int i = 0; i < frames; ++i)
      plan.items.push_back({kQueueVideo, CameraFrame(width, height, i)});
    return plan;
  }

  static void Record(const std::string& path, const ClipPlan& plan) {
    recording::testing::RecordClip(path, plan);
  }

  // The codec's own decode of a frame in `mode`.
  static std::vector<std::uint8_t> CodecDecode(const std::vector<std::uint8_t>& frame, int mode) {
    codec::JpegDecoderPtr decoder = codec::JpegDecoderCreate();
    codec::JpegSetFastThreeQuarter(*decoder, false);
    std::vector<std::uint8_t> out(codec::JpegOutputSize(mode));
    EXPECT_EQ(codec::JpegDecodeBuffer(frame.data(), mode, out.data(), frame.size(), decoder.get()),
              codec::kJpegOk);
    return out;
  }

  // A decoded pixel as a colour.
  static platform::COLORREF DecodedPixel(const std::vector<std::uint8_t>& decoded, int mode, int x,
                                         int y) {
    const codec::JpegModeGeometry g = codec::JpegModeInfo(mode);
    const std::uint8_t* p = decoded.data() + (std::size_t(y) * g.width + x) * g.bytes_per_pixel;
    if (g.bytes_per_pixel == 3) return platform::RGB(p[2], p[1], p[0]);
    return platform::gdi::Surface::FromRgb565(static_cast<platform::WORD>(p[0] | p[1] << 8));
  }

  std::vector<platform::MessageBoxRecord> Boxes() {
    return device_.handheld().message_boxes().Boxes();
  }

  platform::testing::TempHandheld device_;
  platform::HMODULE module_ = nullptr;
  MediaGetThumbnailFunction* get_thumbnail_ = nullptr;
  MediaDisplayFunction* display_ = nullptr;
  MediaGetInfoFunction* get_info_ = nullptr;
};

}  // namespace clip::testing
