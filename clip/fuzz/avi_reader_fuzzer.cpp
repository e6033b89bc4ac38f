// libFuzzer target: every input is stored as a clip on a scratch handheld,
// opened, and read through: every frame and sound chunk in order, then
// seeks to the first, a middle, the last and one past the last frame, each
// followed by reads. Buffers are exactly as large as the reads may fill, so
// the sanitizers see any overrun.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "clip/avi_reader.h"
#include "platform/files.h"
#include "platform/testing/temp_handheld.h"

namespace {

constexpr char kPath[] = "\\fuzz.avi";

void ReadAll(clip::AviClip& clip, std::size_t count, bool video) {
  clip::AviIndexList& list = video ? clip.video_index : clip.audio_index;
  for (std::size_t i = 0; i < count + 1; ++i) {
    const std::size_t cursor = list.cursor;
    const std::uint32_t size =
        cursor >= 1 && cursor <= list.entries.size() ? list.entries[cursor - 1].size : 16;
    std::vector<std::uint8_t> buffer(std::min<std::uint32_t>(size, 1 << 20));
    platform::DWORD read = 0;
    const int result = video ? clip::AviReadVideoFrame(clip, buffer, &read)
                             : clip::AviReadAudioChunk(clip, buffer, &read);
    if (result == 0 && read > buffer.size()) std::abort();
    if (result != 0 && read != 0) std::abort();
  }
}

void ReadFrom(clip::AviClip& clip, platform::DWORD n) {
  clip::AviSeek(clip, n);
  ReadAll(clip, 2, true);
  ReadAll(clip, 2, false);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static platform::testing::TempHandheld handheld;
  {
    platform::FileHandle file =
        platform::CreateFile(kPath, platform::GENERIC_WRITE, 0, platform::CREATE_ALWAYS);
    platform::DWORD written = 0;
    if (!file || !platform::WriteFile(file, data, static_cast<platform::DWORD>(size), &written)) {
      std::abort();
    }
  }
  clip::AviClipPtr clip = clip::AviOpen(kPath);
  if (!clip) std::abort();  // the file is there: the open must succeed
  const platform::DWORD frames = clip->frame_count();
  ReadAll(*clip, frames, true);
  ReadAll(*clip, clip->audio_index.entries.size(), false);
  for (platform::DWORD n :
       {platform::DWORD{1}, frames / 2, frames, frames + 1, platform::DWORD{2}}) {
    ReadFrom(*clip, n);
  }
  clip::AviClose(std::move(clip));
  return 0;
}
