// The writer thread: it takes buffers from the write queue and writes each as
// a chunk of its stream, until the recorder's stop flag or an error.
#include <cstdint>
#include <new>

#include "avi/fields.h"
#include "avi_file_output.h"
#include "avi_header_area.h"
#include "platform/time.h"
#include "recording/avi_writer.h"

namespace recording {

namespace {

// The first buffers wait a moment: the recording is still starting up.
constexpr DWORD kStartDelayMs = 1000;
constexpr DWORD kPollMs = 50;

}  // namespace

DWORD AviWriter::WriterThreadMain() {
  platform::Sleep(kStartDelayMs);
  while (signals_->error.load() == 0) {
    std::optional<QueuedBuffer> item = queue_.Take();
    if (!item) {
      if (signals_->stop.load() != 0) break;
      platform::Sleep(kPollMs);
      continue;
    }
    AviStream* stream = nullptr;
    if (item->kind == kQueueVideo) stream = video_.get();
    if (item->kind == kQueueAudio) stream = audio_.get();
    if (!stream) continue;  // Unknown kind, or no stream of that kind: dropped.
    if (!WriteChunk(*stream, *item)) {
      signals_->error.store(1);
      break;
    }
  }
  if (signals_->stopped) platform::SetEvent(signals_->stopped);
  return 0;
}

bool AviWriter::WriteChunk(AviStream& stream, const QueuedBuffer& item) {
  // Without a file the recording runs on and nothing reaches the card.
  if (!file_->valid()) return true;
  const LONG position = file_->Position();
  if (position < 0 || static_cast<DWORD>(position) > kClipSizeLimit) return false;

  const auto size = static_cast<DWORD>(item.data.size());
  std::vector<std::uint8_t> header;
  avi::PutFourCc(header, stream.chunk_id());
  avi::PutLe32(header, size);
  const std::uint8_t pad = 0;
  bool written = file_->Write(header.data(), 8) && file_->Write(item.data.data(), size);
  if (written && (size & 1)) written = file_->Write(&pad, 1);
  if (written) {
    try {
      index_.push_back({stream.chunk_id(), stream.index_flags(),
                        static_cast<DWORD>(position) - kMoviCodeOffset, size});
    } catch (const std::bad_alloc&) {
      written = false;
    }
  }
  if (!written) {
    // Leave no partial chunk behind: the clip ends with the last whole one.
    file_->Truncate(static_cast<DWORD>(position));
    return false;
  }
  stream.CountChunk(size);
  return true;
}

void AviWriter::StopThread() {
  if (!thread_) return;
  signals_->stop.store(1);
  platform::WaitForSingleObject(thread_, platform::INFINITE);
  thread_.reset();
}

}  // namespace recording
