// orsa-jpeg: decodes JPEG files with the camera kit's codec and describes
// them.
//   orsa-jpeg decode --mode N IN.jpg OUT.png
//   orsa-jpeg info IN.jpg
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "codec/jpeg_decoder.h"
#include "jpeg_info.h"
#include "png_writer.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitDecodeFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitFile = 3;

void PrintUsage(std::FILE* to) {
  std::fputs(
      "usage: orsa-jpeg decode --mode N IN.jpg OUT.png\n"
      "       orsa-jpeg info IN.jpg\n"
      "\n"
      "decode  decodes IN.jpg in decode mode N (1-14) and writes the picture as\n"
      "        an 8-bit RGB PNG; 16-bit modes are widened to 8 bits per channel\n"
      "info    prints size, sampling, tables, restart interval and the result\n"
      "        code of a decode in each mode\n"
      "\n"
      "modes:  1 320x240  2 240x180  3 160x120  4 80x60  5 40x30  6 20x15 (RGB565)\n"
      "        7 240x180 enlarged from a 160x120 picture (RGB565)\n"
      "        8-13 as 1-6 in 24-bit, 14 as 7 in 24-bit\n"
      "\n"
      "exit status: 0 success, 1 the decoder refused the file, 2 usage error,\n"
      "             3 a file could not be read or written\n",
      to);
}

std::optional<std::vector<uint8_t>> ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

codec::JpegResult DecodeInto(const std::vector<uint8_t>& jpeg, int mode,
                             std::vector<uint8_t>& pixels) {
  codec::JpegDecoderPtr decoder = codec::JpegDecoderCreate();
  pixels.assign(codec::JpegOutputSize(mode), 0);
  return codec::JpegDecodeBuffer(jpeg.data(), mode, pixels.data(), jpeg.size(), decoder.get());
}

// B, G, R bytes or little-endian RGB565 words to R, G, B bytes.
std::vector<uint8_t> ToRgb(const std::vector<uint8_t>& pixels, int bytes_per_pixel) {
  std::vector<uint8_t> rgb;
  rgb.reserve(pixels.size() / bytes_per_pixel * 3);
  for (size_t i = 0; i + bytes_per_pixel <= pixels.size(); i += bytes_per_pixel) {
    if (bytes_per_pixel == 3) {
      rgb.insert(rgb.end(), {pixels[i + 2], pixels[i + 1], pixels[i]});
    } else {
      const int word = pixels[i] | pixels[i + 1] << 8;
      const int r = word >> 11, g = (word >> 5) & 63, b = word & 31;
      rgb.insert(rgb.end(),
                 {static_cast<uint8_t>(r << 3 | r >> 2), static_cast<uint8_t>(g << 2 | g >> 4),
                  static_cast<uint8_t>(b << 3 | b >> 2)});
    }
  }
  return rgb;
}

int Decode(const std::vector<std::string>& args) {
  std::optional<std::string> mode_text;
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--mode" && i + 1 < args.size()) {
      mode_text = args[++i];
    } else {
      files.push_back(args[i]);
    }
  }
  if (!mode_text || files.size() != 2) {
    std::fputs("orsa-jpeg: decode needs --mode N, an input and an output file\n", stderr);
    return kExitUsage;
  }
  // The whole argument must be the number.
  int mode = 0;
  const char* end = mode_text->data() + mode_text->size();
  const auto [stop, error] = std::from_chars(mode_text->data(), end, mode);
  const codec::JpegModeGeometry geometry =
      error == std::errc{} && stop == end ? codec::JpegModeInfo(mode) : codec::JpegModeGeometry{};
  if (geometry.width == 0) {
    std::fprintf(stderr, "orsa-jpeg: mode %s is not a decode mode (1-14)\n", mode_text->c_str());
    return kExitUsage;
  }
  const auto jpeg = ReadFile(files[0]);
  if (!jpeg) {
    std::fprintf(stderr, "orsa-jpeg: cannot read %s\n", files[0].c_str());
    return kExitFile;
  }
  std::vector<uint8_t> pixels;
  const codec::JpegResult result = DecodeInto(*jpeg, mode, pixels);
  if (result != codec::kJpegOk) {
    std::fprintf(stderr, "orsa-jpeg: %s: decode in mode %d failed with result %u\n",
                 files[0].c_str(), mode, static_cast<unsigned>(result));
    return kExitDecodeFailed;
  }
  if (!codec::tools::WritePng(files[1], geometry.width, geometry.height,
                              ToRgb(pixels, geometry.bytes_per_pixel))) {
    std::fprintf(stderr, "orsa-jpeg: cannot write %s\n", files[1].c_str());
    return kExitFile;
  }
  return kExitOk;
}

int Info(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::fputs("orsa-jpeg: info needs one input file\n", stderr);
    return kExitUsage;
  }
  const auto jpeg = ReadFile(args[0]);
  if (!jpeg) {
    std::fprintf(stderr, "orsa-jpeg: cannot read %s\n", args[0].c_str());
    return kExitFile;
  }
  const codec::tools::JpegHeaderInfo info = codec::tools::ReadHeaderInfo(*jpeg);
  std::printf("file:      %s (%zu bytes)\n", args[0].c_str(), jpeg->size());
  std::printf("frame:     %s, %d-bit samples\n",
              info.frame_type.empty() ? "none" : info.frame_type.c_str(), info.precision);
  std::printf("size:      %d x %d\n", info.width, info.height);
  std::printf("sampling:  %s\n", codec::tools::SamplingName(info).c_str());
  for (const auto& c : info.components) {
    std::printf("component: id %d, %dx%d, quantisation table %d\n", c.id, c.h, c.v, c.quant_table);
  }
  for (const auto& q : info.quant_tables) {
    std::printf("DQT %d (%d-bit):", q.id, q.precision_bits);
    for (int v : q.values) std::printf(" %d", v);
    std::printf("\n");
  }
  if (info.huffman_tables.empty()) std::printf("DHT:       none (the standard tables apply)\n");
  for (const auto& h : info.huffman_tables) {
    std::printf("DHT:       %s %d, %d symbols, %s\n", h.table_class ? "AC" : "DC", h.id,
                h.symbol_count, h.standard ? "standard" : "not standard (ignored by the decoder)");
  }
  std::printf("restart:   %d MCUs%s\n", info.restart_interval,
              info.restart_interval == 0 ? " (none)" : "");
  for (const auto& problem : info.problems) std::printf("problem:   %s\n", problem.c_str());
  std::printf("results:  ");
  std::vector<uint8_t> pixels;
  for (int mode = codec::kJpegFirstMode; mode <= codec::kJpegLastMode; ++mode) {
    std::printf(" %d:%u", mode, static_cast<unsigned>(DecodeInto(*jpeg, mode, pixels)));
  }
  std::printf("\n");
  return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    PrintUsage(stderr);
    return kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintUsage(stdout);
    return kExitOk;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (args[0] == "decode") return Decode(rest);
  if (args[0] == "info") return Info(rest);
  std::fprintf(stderr, "orsa-jpeg: unknown command '%s'\n", args[0].c_str());
  PrintUsage(stderr);
  return kExitUsage;
}
