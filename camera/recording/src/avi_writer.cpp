// Creating the clip, adding its streams, starting the writer thread, and the
// close that writes the header area and the index.
#include "recording/avi_writer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

#include "avi/fields.h"
#include "avi_file_output.h"
#include "avi_header_area.h"
#include "platform/files.h"
#include "platform/time.h"

namespace recording {

namespace {

constexpr DWORD kHasIndexAndTrustChunkTypes = 0x810;
constexpr DWORD kIndexDelayMs = 200;

// Floating-point results are truncated; anything a 32-bit field cannot hold
// is held at its largest value.
DWORD TruncateToDword(double value) {
  if (!(value > 0)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<DWORD>::max())) {
    return std::numeric_limits<DWORD>::max();
  }
  return static_cast<DWORD>(value);
}

}  // namespace

std::unique_ptr<AviWriter> AviWriter::Create(std::string_view path, DWORD main_header_flags) {
  auto file = std::unique_ptr<AviFileOutput>(new (std::nothrow) AviFileOutput(platform::CreateFile(
      path, platform::GENERIC_WRITE, platform::FILE_SHARE_READ, platform::CREATE_ALWAYS)));
  if (!file) return nullptr;
  std::unique_ptr<AviWriter> writer(new (std::nothrow)
                                        AviWriter(std::move(file), path, main_header_flags));
  if (!writer) return nullptr;
  const std::vector<std::uint8_t> reserved(kHeaderAreaBytes, 0);
  writer->file_->Write(reserved.data(), kHeaderAreaBytes);
  return writer;
}

AviWriter::AviWriter(std::unique_ptr<AviFileOutput> file, std::string_view path,
                     DWORD main_header_flags)
    : file_(std::move(file)), path_(path) {
  main_header_.dwFlags = main_header_flags;
}

AviWriter::~AviWriter() { Close(); }

AviStream* AviWriter::AddVideoStream(FourCc handler, LONG width, LONG height, DWORD rate) {
  if (video_ || thread_ || !open_) return nullptr;
  video_.reset(new (std::nothrow) AviVideoStream(stream_count_, handler, width, height, rate));
  if (!video_) return nullptr;
  ++stream_count_;
  return video_.get();
}

AviStream* AviWriter::AddAudioStream(const WaveFormat& format, DWORD rate) {
  // A block align of 0 would make every audio length a division by zero.
  if (audio_ || thread_ || !open_ || format.wBitsPerSample * format.nChannels / 8 == 0) {
    return nullptr;
  }
  audio_.reset(new (std::nothrow) AviAudioStream(stream_count_, format, rate));
  if (!audio_) return nullptr;
  ++stream_count_;
  return audio_.get();
}

int AviWriter::Start(WriterSignals& signals) {
  if (thread_ || !open_) return -1;
  for (AviStream* stream : StreamsInFileOrder()) stream->Open();
  signals_ = &signals;
  thread_ = platform::CreateThread([this] { return WriterThreadMain(); }, "avi writer");
  if (!thread_) {
    signals_ = nullptr;
    return -1;
  }
  return 0;
}

LONG AviWriter::CurrentPosition() const { return file_->Position(); }

std::vector<AviStream*> AviWriter::StreamsInFileOrder() const {
  // Stream lists go in the order of the stream numbers, which the chunk ids
  // carry; the recorder adds video first.
  std::vector<AviStream*> streams;
  if (video_) streams.push_back(video_.get());
  if (audio_) streams.push_back(audio_.get());
  std::sort(streams.begin(), streams.end(),
            [](const AviStream* a, const AviStream* b) { return a->number() < b->number(); });
  return streams;
}

void AviWriter::FinishHeaders() {
  // Rates come from the length in milliseconds, multiplied out before the
  // division so that whole results stay whole.
  const auto duration_ms = static_cast<double>(duration_ms_);
  const DWORD frames = video_ ? video_->header().dwLength : 0;

  main_header_.dwFlags |= kHasIndexAndTrustChunkTypes;
  main_header_.dwPaddingGranularity = 0;
  main_header_.dwTotalFrames = frames;
  main_header_.dwStreams = static_cast<DWORD>(stream_count_);
  if (video_ && (frames > 0 || !audio_)) {
    main_header_.dwWidth = static_cast<DWORD>(video_->width());
    main_header_.dwHeight = static_cast<DWORD>(video_->height());
  } else {
    main_header_.dwWidth = 0;
    main_header_.dwHeight = 0;
  }

  if (video_) {
    AviStreamHeader& header = video_->header();
    if (frames > 0) {
      main_header_.dwMicroSecPerFrame = TruncateToDword(duration_ms * 1'000 / frames);
      header.dwRate =
          TruncateToDword(static_cast<double>(header.dwScale) * frames * 1'000 / duration_ms);
    } else if (header.dwRate > 0) {
      // No frame to measure: the frame time follows the rate the stream
      // started with, so both stay consistent and non-zero.
      main_header_.dwMicroSecPerFrame =
          TruncateToDword(1'000'000.0 * header.dwScale / header.dwRate);
    }
  }
  if (audio_) {
    const std::uint64_t audio_chunks = index_.size() - frames;
    audio_->header().dwRate =
        TruncateToDword(static_cast<double>(audio_chunks * kAudioBlockBytes) * 1'000 / duration_ms);
  }
}

void AviWriter::WriteHeaderArea(const std::vector<const AviStream*>& streams, DWORD movi_end) {
  const std::vector<std::uint8_t> header_area = BuildHeaderArea(main_header_, streams, movi_end);
  if (file_->Seek(0)) file_->Write(header_area.data(), static_cast<DWORD>(header_area.size()));
  file_->SeekToEnd();
}

void AviWriter::AppendIndex() {
  std::vector<std::uint8_t> index;
  const auto index_bytes = static_cast<DWORD>(index_.size() * avi::kRecordBytes<AviIndexEntry>);
  index.reserve(8 + index_bytes);
  avi::PutFourCc(index, avi::kIndexCode);
  avi::PutLe32(index, index_bytes);
  for (const AviIndexEntry& entry : index_) avi::PutRecord(index, entry);
  file_->Write(index.data(), static_cast<DWORD>(index.size()));
}

void AviWriter::MakeRoomForIndex() {
  // A clip without its index is one players cannot open: when the volume
  // filled up, the newest chunks make way for it.
  const auto index_bytes = [this] {
    // The pad byte, the "idx1" header and the entries.
    return 1 + 8 + index_.size() * avi::kRecordBytes<AviIndexEntry>;
  };
  std::uint64_t free_bytes = 0;
  if (!platform::GetDiskFreeSpaceEx(path_, &free_bytes, nullptr, nullptr)) return;
  while (!index_.empty() && free_bytes < index_bytes()) {
    const AviIndexEntry last = index_.back();
    const DWORD chunk_start = last.offset + kMoviCodeOffset;
    const LONG end = file_->Position();
    if (end < 0 || static_cast<DWORD>(end) <= chunk_start || !file_->Truncate(chunk_start)) return;
    free_bytes += static_cast<DWORD>(end) - chunk_start;
    index_.pop_back();
    for (AviStream* stream : StreamsInFileOrder()) {
      if (stream->chunk_id() == last.chunk_id) stream->UncountChunk(last.size);
    }
  }
}

void AviWriter::Close() {
  if (!open_) return;
  StopThread();
  const std::vector<AviStream*> streams = StreamsInFileOrder();
  for (AviStream* stream : streams) {
    if (!stream->is_open()) stream->Open();  // a writer closed without a start
    stream->Close();
  }

  if (file_->valid()) {
    MakeRoomForIndex();
    LONG end = file_->Position();
    const std::uint8_t pad = 0xFF;
    if (end >= 0 && (end & 1) && file_->Write(&pad, 1)) ++end;
    FinishHeaders();
    WriteHeaderArea(std::vector<const AviStream*>(streams.begin(), streams.end()),
                    static_cast<DWORD>(end));
    file_->Flush();
    platform::Sleep(kIndexDelayMs);
    AppendIndex();

    const LONG length = file_->Position();
    if (length >= 8 && file_->Seek(4)) {
      std::vector<std::uint8_t> riff_size;
      avi::PutLe32(riff_size, static_cast<DWORD>(length) - 8);
      file_->Write(riff_size.data(), 4);
    }
  }
  file_->Close();

  audio_.reset();
  video_.reset();
  queue_.Clear();
  index_.clear();
  open_ = false;
}

}  // namespace recording
