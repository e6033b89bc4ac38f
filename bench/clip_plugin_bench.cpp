// Thumbnails of 100 camera clips (320 x 240 frames) through MediaGetThumbnail
// at 40 x 30 and 240 x 180, against the reference library decoding the same
// 100 first frames (standard tables put in; the codec tests' reference
// decode) straight to the same size: 1/8 for 40 x 30, 3/4 for 240 x 180.
// The plug-in's time includes opening and indexing each clip through the
// handheld's files and making the bitmap; target: at most 1.2 x. Beside it,
// the codec's own part of the 40 x 30 thumbnail (the sampled decode of the
// same frames from memory) tells the decode from the rest, and the DC-only
// decode of the same frames the entropy decoding from the sampled transform.
// This machine's speed drifts by half over minutes: compare rows of one run
// with --benchmark_repetitions=9 --benchmark_enable_random_interleaving.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "camera_frames.h"
#include "clip/install.h"
#include "clip/orsaclip.h"
#include "codec/jpeg_decoder.h"
#include "codec/standard_huffman_tables.h"
#include "platform/gdi.h"
#include "platform/modules.h"
#include "platform/testing/temp_handheld.h"
#include "recording_testing/recorded_clip.h"
#include "reference_codec.h"

namespace {

constexpr int kClips = 100;

struct Setup {
  Setup() {
    clip::InstallClipModule(device.handheld());
    module = platform::LoadLibrary(clip::kModuleName);
    get_thumbnail = platform::GetProcAddressAs<clip::MediaGetThumbnailFunction>(
        module, clip::kMediaGetThumbnailExport);
    const std::vector<std::uint8_t> segment =
        codec::StandardHuffmanSegment(codec::kHuffmanLuminanceFirstOrder);
    for (int i = 0; i < kClips; ++i) {
      recording::testing::ClipPlan plan;
      const std::vector<std::uint8_t> frame = clip::testing::CameraFrame(320, 240, i);
      plan.items.push_back({recording::kQueueVideo, frame});
      paths.push_back("\\m" + std::to_string(1000 + i) + ".avi");
      recording::testing::RecordClip(paths.back(), plan);
      // The camera header's scan starts at byte 156.
      std::vector<std::uint8_t> whole(frame.begin(), frame.begin() + 156);
      whole.insert(whole.end(), segment.begin(), segment.end());
      whole.insert(whole.end(), frame.begin() + 156, frame.end());
      frames.push_back(std::move(whole));
    }
  }
  platform::testing::TempHandheld device;
  platform::HMODULE module = nullptr;
  clip::MediaGetThumbnailFunction* get_thumbnail = nullptr;
  std::vector<std::string> paths;
  std::vector<std::vector<std::uint8_t>> frames;
};

Setup& Shared() {
  static Setup setup;
  return setup;
}

void Plugin(benchmark::State& state, int width, int height) {
  Setup& setup = Shared();
  for (auto _ : state) {
    for (const std::string& path : setup.paths) {
      platform::HBITMAP bitmap = nullptr;
      if (!setup.get_thumbnail(path.c_str(), &bitmap, width, height)) {
        state.SkipWithError("no thumbnail");
      }
      platform::DeleteObject(bitmap);
    }
  }
}

// The reference library's decode per frame, from creating its context to
// the last line, as the plug-in's entry makes a context per call.
void Reference(benchmark::State& state, int scale_num) {
  Setup& setup = Shared();
  for (auto _ : state) {
    for (const std::vector<std::uint8_t>& frame : setup.frames) {
      const codec::testing::Image picture = codec::testing::DecodeReference(frame, scale_num);
      if (picture.samples.empty()) state.SkipWithError("reference decode failed");
      benchmark::DoNotOptimize(picture.samples.data());
    }
  }
}

// The strip thumbnail's decode: every 6th pixel of the 240 x 180 RGB565
// picture (mode 2) made with the exact three-quarter scaler. One decoder
// serves every frame, as the plug-in keeps one per thread: making it (the
// Huffman tables) is not part of a frame's decode there.
void CodecSampled(benchmark::State& state) {
  Setup& setup = Shared();
  constexpr int kMode = 2;
  constexpr int kStep = 6;
  std::vector<std::uint8_t> sink(codec::JpegSampledOutputSize(kMode, kStep));
  const auto decoder = codec::JpegDecoderCreate();
  codec::JpegSetFastThreeQuarter(*decoder, false);
  for (auto _ : state) {
    for (const std::vector<std::uint8_t>& frame : setup.frames) {
      if (codec::JpegDecodeSampled(frame.data(), frame.size(), kMode, kStep, sink.data(),
                                   decoder.get()) != codec::kJpegOk) {
        state.SkipWithError("sampled decode failed");
      }
      benchmark::DoNotOptimize(sink.data());
    }
  }
}

// The same frames at 40 x 30 by the DC-only transform (mode 5): every code
// is still decoded, so beside the sampled row it tells the entropy decoding
// from the transform and conversion of the kept samples.
void CodecDcOnly(benchmark::State& state) {
  Setup& setup = Shared();
  constexpr int kMode = 5;
  std::vector<std::uint8_t> sink(codec::JpegOutputSize(kMode));
  const auto decoder = codec::JpegDecoderCreate();
  for (auto _ : state) {
    for (const std::vector<std::uint8_t>& frame : setup.frames) {
      if (codec::JpegDecodeBuffer(frame.data(), kMode, sink.data(), frame.size(), decoder.get()) !=
          codec::kJpegOk) {
        state.SkipWithError("DC-only decode failed");
      }
      benchmark::DoNotOptimize(sink.data());
    }
  }
}

BENCHMARK_CAPTURE(Plugin, thumbnails_40x30, 40, 30)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Reference, frames_at_1_8, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(CodecSampled)->Name("Codec/sampled_40x30")->Unit(benchmark::kMillisecond);
BENCHMARK(CodecDcOnly)->Name("Codec/dc_only_40x30")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Plugin, thumbnails_240x180, 240, 180)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Reference, frames_at_3_4, 6)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
