// Writes a small seed corpus for the decoder's fuzz target: baseline images
// of each sampling, with and without restart intervals and DHT, a preview
// frame, a grey and a progressive image.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "test_images.h"

namespace {

using codec::testing::EncodeJpeg;
using codec::testing::EncodeOptions;
using codec::testing::MakeScene;
using codec::testing::Subsampling;

void Write(const std::filesystem::path& folder, const std::string& name,
           const std::vector<uint8_t>& bytes) {
  std::ofstream out(folder / name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  int count = 0;
  for (Subsampling subsampling : {Subsampling::k444, Subsampling::k422, Subsampling::k420}) {
    for (int restart : {0, 3}) {
      EncodeOptions options;
      options.subsampling = subsampling;
      options.restart_interval = restart;
      options.tables = codec::testing::CameraTables(count % 3);
      const std::vector<uint8_t> jpeg = EncodeJpeg(MakeScene(48, 32, count), options);
      const std::string name = std::string("baseline_") + SubsamplingName(subsampling) +
                               (restart ? "_restart" : "") + ".jpg";
      Write(folder, name, jpeg);
      Write(folder, "nodht_" + name, codec::testing::WithoutSegments(jpeg, 0xC4));
      ++count;
    }
  }
  EncodeOptions options;
  std::vector<uint8_t> preview = codec::testing::PreviewHeader(32, 24, Subsampling::k444);
  options.tables = codec::testing::CameraTables(2);
  const std::vector<uint8_t> scan =
      codec::testing::ScanData(EncodeJpeg(MakeScene(32, 24), options));
  preview.insert(preview.end(), scan.begin(), scan.end());
  Write(folder, "preview_frame.jpg", preview);
  Write(folder, "full_size_160x120.jpg", EncodeJpeg(MakeScene(160, 120), EncodeOptions{}));
  Write(folder, "grey.jpg", EncodeJpeg(codec::testing::MakeFlat(16, 16, 80, 0, 0, 1), {}));
  EncodeOptions progressive;
  progressive.progressive = true;
  Write(folder, "progressive.jpg", EncodeJpeg(MakeScene(16, 16), progressive));
  std::printf("seed corpus written to %s\n", folder.c_str());
  return 0;
}
