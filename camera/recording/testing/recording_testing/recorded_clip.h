// Writing a clip through the writer in the recorder's order, for tests of
// the writer and of the reader.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/threads.h"
#include "recording/avi_writer.h"

namespace recording::testing {

struct ClipItem {
  DWORD kind = kQueueVideo;
  std::vector<std::uint8_t> data;
};

struct ClipPlan {
  LONG width = 320;
  LONG height = 240;
  bool audio = false;
  DWORD duration_seconds = 1;
  DWORD duration_ms = 0;  // when set, the length to the millisecond instead
  std::vector<ClipItem> items;
};

struct RecordedClip {
  LONG position_before_close = 0;  // what the recorder judges the clip by
  DWORD error_flag = 0;
  AviMainHeader main_header;
};

// Bytes that differ from item to item, so that a read-back shows which
// chunk it came from.
inline std::vector<std::uint8_t> Pattern(std::size_t size, int seed) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed * 31 + i * 7);
  return bytes;
}

inline WaveFormat RecorderWaveFormat() { return kRecorderWaveFormat; }

// create -> video stream -> quality 8000 -> (audio stream) -> start -> queue
// -> stop flag, wait -> duration -> close.
inline RecordedClip RecordClip(std::string_view path, const ClipPlan& plan) {
  RecordedClip result;
  WriterSignals signals;  // outlives the writer
  signals.stopped = platform::CreateEvent(false, false);
  std::unique_ptr<AviWriter> writer = AviWriter::Create(path, 0);
  AviStream* video =
      writer->AddVideoStream(MakeFourCc("MJPG"), plan.width, plan.height, kVideoRateHint);
  video->SetQuality(kVideoQuality);
  if (plan.audio) writer->AddAudioStream(RecorderWaveFormat(), kAudioRateHint);
  writer->Start(signals);
  for (const ClipItem& item : plan.items) {
    writer->QueueBuffer(item.kind, item.data.data(), static_cast<LONG>(item.data.size()));
  }
  signals.stop = 1;
  platform::WaitForSingleObject(signals.stopped, platform::INFINITE);
  if (plan.duration_ms > 0) {
    writer->SetDurationMs(plan.duration_ms);
  } else {
    writer->SetDuration(plan.duration_seconds);
  }
  result.position_before_close = writer->CurrentPosition();
  result.error_flag = signals.error;
  writer->Close();
  result.main_header = writer->main_header();
  return result;
}

}  // namespace recording::testing
