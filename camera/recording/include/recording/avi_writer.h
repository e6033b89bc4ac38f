// The clip writer: one RIFF AVI file with a Motion-JPEG video stream and an
// optional PCM audio stream. Buffers go through a write queue to a writer
// thread, which writes each one as a chunk of the "movi" list and collects
// the "idx1" index. The header area is reserved at creation and written at
// close, with the frame and sample rates measured over the clip's length.
//
// The recorder's order: Create -> AddVideoStream -> SetQuality(8000) ->
// (AddAudioStream) -> Start -> queue buffers -> set the stop flag and wait
// for the stopped event -> SetDuration -> Close.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/threads.h"
#include "recording/avi_formats.h"
#include "recording/avi_stream.h"
#include "recording/write_queue.h"

namespace recording {

class AviFileOutput;

// The words the writer thread shares with the recorder. They must outlive
// the writer.
struct WriterSignals {
  // Set by the recorder: the thread leaves once the queue is empty.
  std::atomic<DWORD> stop{0};
  // Non-zero stops the thread; the thread sets 1 when a write fails. The
  // recorder may count further (2 = stop already requested).
  std::atomic<DWORD> error{0};
  // Signalled when the writer thread ends (may be null).
  platform::EventHandle stopped;
};

using AviIndexEntry = avi::IndexEntry;
using AviMainHeader = avi::MainHeader;

class AviWriter {
 public:
  // Creates the file (create always, write access, shared for reading) and
  // reserves the 2,048-byte header area. The writer comes back even when the
  // file could not be created: its writes then fail without a report and
  // CurrentPosition() is -1. Null only when there is no memory.
  static std::unique_ptr<AviWriter> Create(std::string_view path, DWORD main_header_flags);
  ~AviWriter();
  AviWriter(const AviWriter&) = delete;
  AviWriter& operator=(const AviWriter&) = delete;

  // Each kind exists once; a second stream of a kind, an audio format whose
  // block align is 0, or a stream added after Start gives null.
  AviStream* AddVideoStream(FourCc handler, LONG width, LONG height, DWORD rate);
  AviStream* AddAudioStream(const WaveFormat& format, DWORD rate);

  // Opens every stream and starts the writer thread; -1 if the thread cannot
  // be started (or the writer was started already), else 0.
  int Start(WriterSignals& signals);
  // Queues a copy of the buffer; see WriteQueue::Add.
  int QueueBuffer(DWORD kind, const void* data, LONG size) { return queue_.Add(kind, data, size); }
  WriteQueue& queue() { return queue_; }

  // Seconds the clip lasted; values below 1 count as 1.
  void SetDuration(DWORD seconds) {
    duration_ms_ = std::uint64_t{std::max<DWORD>(seconds, 1)} * 1000;
  }
  // The clip's length to the millisecond (at least 1 ms), for rates that
  // match the time the clip was recorded over.
  void SetDurationMs(DWORD ms) { duration_ms_ = std::max<DWORD>(ms, 1); }
  // The file position; -1 when the file could not be created or is closed.
  LONG CurrentPosition() const;

  // Writes the headers and the index and closes the file. A writer thread
  // still running is stopped first (the queue is written out). Idempotent;
  // the destructor closes too.
  void Close();

  // Read access for tests and tools.
  const AviMainHeader& main_header() const { return main_header_; }
  const std::vector<AviIndexEntry>& index() const { return index_; }
  int stream_count() const { return stream_count_; }

 private:
  AviWriter(std::unique_ptr<AviFileOutput> file, std::string_view path, DWORD main_header_flags);

  // avi_writer_thread.cpp
  DWORD WriterThreadMain();
  bool WriteChunk(AviStream& stream, const QueuedBuffer& item);
  void StopThread();

  // avi_writer.cpp
  // Header values from the clip's length and chunks.
  void FinishHeaders();
  // Rewrites the reserved area at the start, then returns to the end.
  void WriteHeaderArea(const std::vector<const AviStream*>& streams, DWORD movi_end);
  void AppendIndex();
  // On a full volume: cuts the last chunks off until the index fits.
  void MakeRoomForIndex();
  std::vector<AviStream*> StreamsInFileOrder() const;

  std::unique_ptr<AviFileOutput> file_;
  std::string path_;
  std::unique_ptr<AviAudioStream> audio_;
  std::unique_ptr<AviVideoStream> video_;
  int stream_count_ = 0;
  WriteQueue queue_;
  platform::ThreadHandle thread_;
  WriterSignals* signals_ = nullptr;
  std::uint64_t duration_ms_ = 1000;
  AviMainHeader main_header_;
  std::vector<AviIndexEntry> index_;
  bool open_ = true;
};

}  // namespace recording
