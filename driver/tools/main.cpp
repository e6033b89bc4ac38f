// orsa-card: the camera card and its driver on a handheld of their own,
// driven from the command line (see kUsage).
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>
#include <variant>
#include <vector>

#include "card/scene.h"
#include "card_session.h"
#include "command_line.h"
#include "platform/files.h"
#include "platform/time.h"
#include "preview_frames.h"

namespace orsacard {
namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
// Preview frames before a still, so that the exposure has settled.
constexpr int kSettlingFrames = 40;
constexpr int kSettlingType = 4;
constexpr const char* kStillFolder = "\\My Documents";
constexpr const char* kStillFile = "\\My Documents\\orsa-card.jpg";

int Failed(const std::string& message) {
  std::fprintf(stderr, "orsa-card: %s\n", message.c_str());
  return kExitFailed;
}

bool WriteFile(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

int Snapshot(CardSession& session, const Arguments& arguments) {
  if (!session.Start(arguments.options) || !session.StartPreview(kSettlingType) ||
      !session.RunPreview(kSettlingFrames, [](const PreviewFrame&) { return true; }) ||
      !session.StopPreview()) {
    return Failed(session.error());
  }
  session.handheld().files().CreateDirectory(kStillFolder);
  const auto still =
      session.Snapshot(arguments.type, static_cast<int>(arguments.options.compression), kStillFile);
  if (!still) return Failed(session.error());
  std::error_code error;
  std::filesystem::copy_file(*still, arguments.output,
                             std::filesystem::copy_options::overwrite_existing, error);
  if (error) return Failed("cannot write " + arguments.output.string() + ": " + error.message());
  std::printf("%s: type %d, %ju bytes\n", arguments.output.string().c_str(), arguments.type,
              static_cast<std::uintmax_t>(std::filesystem::file_size(arguments.output, error)));
  return 0;
}

int Preview(CardSession& session, const Arguments& arguments) {
  const PreviewFormat format = *PreviewFormatOf(arguments.type);
  if (arguments.output_folder) {
    std::error_code error;
    std::filesystem::create_directories(*arguments.output_folder, error);
    if (error) return Failed("cannot make " + arguments.output_folder->string());
  }
  if (!session.Start(arguments.options)) return Failed(session.error());
  const std::uint64_t start_ms = platform::clock::NowMs();
  if (!session.StartPreview(arguments.type)) return Failed(session.error());

  int fetched = 0, pictures = 0, undecodable = 0;
  double last_luminance = 0;
  std::string write_error;
  // The rate counts from the first frame, leaving out the preview's set-up.
  std::optional<std::uint64_t> first_ms;
  auto rate = [&](std::uint64_t now_ms) {
    return first_ms && now_ms > *first_ms
               ? (pictures - 1) * 1000.0 / static_cast<double>(now_ms - *first_ms)
               : 0.0;
  };
  const bool ran = session.RunPreview(arguments.frames, [&](const PreviewFrame& frame) {
    ++fetched;
    if (frame.scan.empty()) {
      std::printf("fetch %4d  t=%6ju ms  no frame\n", fetched,
                  static_cast<std::uintmax_t>(frame.time_ms - start_ms));
      return true;
    }
    ++pictures;
    if (!first_ms) first_ms = frame.time_ms;
    const auto luminance = MeanLuminance(format, frame.scan);
    if (luminance) {
      last_luminance = *luminance;
    } else {
      ++undecodable;
    }
    if (arguments.output_folder) {
      char name[32];
      std::snprintf(name, sizeof name, "frame%04d.jpg", pictures);
      if (!WriteFile(*arguments.output_folder / name, WholePreviewJpeg(format, frame.scan))) {
        write_error = "cannot write " + (*arguments.output_folder / name).string();
        return false;
      }
    }
    std::printf("frame %4d  t=%6ju ms  %6zu bytes  %5.1f fps  luminance %s\n", pictures,
                static_cast<std::uintmax_t>(frame.time_ms - start_ms), frame.scan.size(),
                rate(frame.time_ms),
                luminance ? std::to_string(*luminance).substr(0, 6).c_str() : "(does not decode)");
    return true;
  });
  const std::uint64_t end_ms = platform::clock::NowMs();
  session.StopPreview();
  if (!write_error.empty()) return Failed(write_error);
  if (!ran) return Failed(session.error());
  std::printf("%d fetches, %d frames in %ju ms: %.1f fps, last mean luminance %.1f", fetched,
              pictures, static_cast<std::uintmax_t>(end_ms - start_ms), rate(end_ms),
              last_luminance);
  if (undecodable) std::printf(", %d frames do not decode", undecodable);
  std::printf("\n");
  return undecodable ? kExitFailed : 0;
}

int Run(const std::vector<std::string>& words) {
  const auto parsed = ParseArguments(words);
  if (const auto* message = std::get_if<std::string>(&parsed)) {
    std::fprintf(stderr, "orsa-card: %s\n\n%s", message->c_str(), kUsage);
    return kExitUsage;
  }
  const Arguments& arguments = std::get<Arguments>(parsed);
  if (arguments.command == Command::kHelp) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  SessionConfig config;
  config.root = arguments.root;
  config.real_time = arguments.real_time;
  config.model_id = arguments.model_id;
  if (arguments.scene) {
    config.scene = card::LoadImageScene(*arguments.scene);
    if (!config.scene) return Failed("cannot read the picture " + arguments.scene->string());
  }
  CardSession session(std::move(config));
  if (!session.ok()) return Failed(session.error());
  return arguments.command == Command::kSnapshot ? Snapshot(session, arguments)
                                                 : Preview(session, arguments);
}

}  // namespace
}  // namespace orsacard

int main(int argc, char** argv) {
  return orsacard::Run(std::vector<std::string>(argv + 1, argv + argc));
}
