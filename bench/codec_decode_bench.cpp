// Decode time of this decoder against the reference library on the same
// images, each brought to the same output size; prints ours / reference.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "codec/jpeg_decoder.h"
#include "test_images.h"

namespace {

using codec::testing::Subsampling;

struct Case {
  std::string name;
  std::vector<uint8_t> jpeg;
  int mode;
  int reference_scale;  // eighths
};

std::vector<uint8_t> Encode(int width, int height, Subsampling subsampling, int camera_quality) {
  codec::testing::EncodeOptions options;
  options.subsampling = subsampling;
  if (camera_quality >= 0) {
    options.tables = codec::testing::CameraTables(camera_quality);
  } else {
    options.quality = 75;
  }
  return codec::testing::EncodeJpeg(codec::testing::MakeScene(width, height), options);
}

// The live preview: the application's header in front of the card's scan.
std::vector<uint8_t> PreviewFrame() {
  std::vector<uint8_t> frame = codec::testing::PreviewHeader(320, 240, Subsampling::k444);
  const std::vector<uint8_t> scan =
      codec::testing::ScanData(Encode(320, 240, Subsampling::k444, 2));
  frame.insert(frame.end(), scan.begin(), scan.end());
  return frame;
}

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"preview_320x240_444_mode9", PreviewFrame(), 9, 6},
      // The live preview's stretch goal: our three-quarter decode against the
      // reference's own full-size decode of the same frame.
      {"preview_320x240_444_full_size", PreviewFrame(), 9, 8},
      {"640x480_420_mode9", Encode(640, 480, Subsampling::k420, -1), 9, 3},
      {"160x120_444_mode10", Encode(160, 120, Subsampling::k444, -1), 10, 8},
      {"1280x960_420_mode11", Encode(1280, 960, Subsampling::k420, -1), 11, 1},
  };
  return cases;
}

void Ours(benchmark::State& state, const Case& c) {
  codec::JpegDecoderPtr decoder = codec::JpegDecoderCreate();
  std::vector<uint8_t> sink(codec::JpegOutputSize(c.mode));
  for (auto _ : state) {
    const codec::JpegResult result =
        codec::JpegDecodeBuffer(c.jpeg.data(), c.mode, sink.data(), c.jpeg.size(), decoder.get());
    if (result != codec::kJpegOk) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(sink.data());
  }
}

void Reference(benchmark::State& state, const Case& c) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  errors.emit_message = [](j_common_ptr, int) {};  // the preview header's stray zero
  jpeg_create_decompress(&info);
  std::vector<uint8_t> picture;
  for (auto _ : state) {
    jpeg_mem_src(&info, c.jpeg.data(), static_cast<unsigned long>(c.jpeg.size()));
    jpeg_read_header(&info, TRUE);
    info.scale_num = static_cast<unsigned int>(c.reference_scale);
    info.scale_denom = 8;
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    const size_t stride = static_cast<size_t>(info.output_width) * 3;
    picture.resize(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
      JSAMPROW row = picture.data() + stride * info.output_scanline;
      jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    benchmark::DoNotOptimize(picture.data());
  }
  jpeg_destroy_decompress(&info);
}

// Collects every repetition's time per benchmark and prints, per case, the
// medians and the fastest repetitions of both decoders with their ratios
// (ours / reference). Medians of CPU time are the steadiest figure on a
// machine shared with other work.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
      Times& times = times_[run.run_name.function_name];
      times.real.push_back(run.GetAdjustedRealTime());
      times.cpu.push_back(run.GetAdjustedCPUTime());
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintRatios() const {
    std::printf("\nratio = ours / reference; times in microseconds\n");
    std::printf("%-30s %9s %9s %6s %9s %9s %6s %6s\n", "case", "ours cpu", "ref cpu", "ratio",
                "ours real", "ref real", "ratio", "best");
    for (const Case& c : Cases()) {
      const std::string ours_name =
          "ours/" + (c.reference_scale == 8 && c.mode == 9 ? Cases()[0].name : c.name);
      const auto ours = times_.find(ours_name);
      const auto reference = times_.find("reference/" + c.name);
      if (ours == times_.end() || reference == times_.end()) continue;
      const double ours_cpu = Median(ours->second.cpu), ref_cpu = Median(reference->second.cpu);
      const double ours_real = Median(ours->second.real);
      const double ref_real = Median(reference->second.real);
      const double best = Fastest(ours->second.real) / Fastest(reference->second.real);
      std::printf("%-30s %9.1f %9.1f %6.2f %9.1f %9.1f %6.2f %6.2f\n", c.name.c_str(),
                  ours_cpu / 1000, ref_cpu / 1000, ours_cpu / ref_cpu, ours_real / 1000,
                  ref_real / 1000, ours_real / ref_real, best);
    }
  }

 private:
  struct Times {
    std::vector<double> real, cpu;
  };
  static double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  }
  static double Fastest(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
  }
  std::map<std::string, Times> times_;
};

}  // namespace

int main(int argc, char** argv) {
  for (const Case& c : Cases()) {
    if (c.name.find("full_size") == std::string::npos) {
      benchmark::RegisterBenchmark(("ours/" + c.name).c_str(), Ours, c);
    }
    benchmark::RegisterBenchmark(("reference/" + c.name).c_str(), Reference, c);
  }
  // Several repetitions, run interleaved so that both decoders of a case see
  // the same load of the machine, unless asked otherwise.
  std::vector<char*> args(argv, argv + argc);
  std::string repetitions = "--benchmark_repetitions=5";
  std::string interleaving = "--benchmark_enable_random_interleaving=true";
  const auto given = [&args](const char* option) {
    return std::any_of(args.begin(), args.end(),
                       [option](const char* arg) { return std::string(arg).starts_with(option); });
  };
  if (!given("--benchmark_repetitions")) args.push_back(repetitions.data());
  if (!given("--benchmark_enable_random_interleaving")) args.push_back(interleaving.data());
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
