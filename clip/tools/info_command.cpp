// orsa-avi info CLIP.avi: headers, streams, frame count, measured frame
// rate, sound format and length.
#include <cstdio>
#include <filesystem>
#include <string>

#include "clip/avi_reader.h"
#include "commands.h"
#include "scratch_handheld.h"
#include "tool_support.h"

namespace orsa_avi {

namespace {

std::string Code(const clip::FourCc& code) {
  std::string text;
  for (char c : code) text += (c >= 0x20 && c < 0x7F) ? c : '.';
  return text;
}

double Ratio(double a, double b) { return b == 0 ? 0 : a / b; }

void PrintVideo(const clip::AviClip& clip) {
  const clip::AviStreamHeader& h = clip.video_header;
  const clip::BitmapInfoHeader& f = clip.video_format;
  std::printf("video:       %s %s, scale %u, rate %u (%.3f frames/s), length %u, quality %u\n",
              Code(h.fccType).c_str(), Code(h.fccHandler).c_str(), h.dwScale, h.dwRate,
              Ratio(h.dwRate, h.dwScale), h.dwLength, h.dwQuality);
  std::printf("             format: %d x %d, %u bits, %s, image size %u (%u bytes read)\n",
              f.biWidth, f.biHeight, f.biBitCount, Code(avi::FourCcOf(f.biCompression)).c_str(),
              f.biSizeImage, clip.video_format_bytes);
}

void PrintAudio(const clip::AviClip& clip) {
  const clip::AviStreamHeader& h = clip.audio_header;
  const clip::WaveFormat& f = clip.audio_format;
  std::printf("audio:       %s, scale %u, rate %u, sample size %u, length %u\n",
              Code(h.fccType).c_str(), h.dwScale, h.dwRate, h.dwSampleSize, h.dwLength);
  std::printf(
      "             format: tag %u%s, %u channel(s), %u Hz, %u bits, %u bytes/s, block align %u\n",
      f.wFormatTag, f.wFormatTag == 1 ? " (PCM)" : "", f.nChannels, f.nSamplesPerSec,
      f.wBitsPerSample, f.nAvgBytesPerSec, f.nBlockAlign);
}

}  // namespace

int RunInfo(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::fputs("orsa-avi: info needs one clip\n", stderr);
    return kExitUsage;
  }
  ScratchHandheld handheld;
  const std::string path = handheld.Import(args[0], "clip.avi");
  clip::AviClipPtr clip = path.empty() ? nullptr : clip::AviOpen(path);
  if (!clip) {
    std::fprintf(stderr, "orsa-avi: cannot read %s\n", args[0].c_str());
    return kExitFile;
  }
  std::error_code error;
  const auto size = std::filesystem::file_size(args[0], error);
  std::printf("file:        %s (%llu bytes)\n", args[0].c_str(),
              static_cast<unsigned long long>(error ? 0 : size));
  const clip::AviMainHeader& m = clip->main_header;
  std::printf("main header: %u us/frame, %u frames, %u streams, %u x %u, flags 0x%X\n",
              m.dwMicroSecPerFrame, m.dwTotalFrames, m.dwStreams, m.dwWidth, m.dwHeight, m.dwFlags);
  if (clip->has_video) PrintVideo(*clip);
  if (clip->has_audio) PrintAudio(*clip);

  const double frame_rate = Ratio(clip->video_header.dwRate, clip->video_header.dwScale);
  std::printf("frames:      %u in the index", clip->frame_count());
  if (clip->has_video && frame_rate > 0) {
    std::printf(", %.3f frames/s measured, %.3f s", frame_rate, clip->frame_count() / frame_rate);
  }
  std::printf("\n");
  std::uint64_t sound_bytes = 0;
  for (const clip::AviIndexEntry& entry : clip->audio_index.entries) sound_bytes += entry.size;
  std::printf("sound:       %zu chunks, %llu bytes", clip->audio_index.entries.size(),
              static_cast<unsigned long long>(sound_bytes));
  if (clip->audio_format.nAvgBytesPerSec > 0) {
    std::printf(", %.3f s",
                Ratio(static_cast<double>(sound_bytes), clip->audio_format.nAvgBytesPerSec));
  }
  std::printf("\n");
  clip::AviClose(std::move(clip));
  return kExitOk;
}

}  // namespace orsa_avi
