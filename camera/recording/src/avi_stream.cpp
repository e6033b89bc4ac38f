// The stream base (chunk ids, dwLength, the stream list) and the video and
// audio kinds.
#include "recording/avi_stream.h"

#include "avi/fields.h"

namespace recording {

namespace {

constexpr DWORD kVideoScale = 1'000'000;
constexpr LONG kVideoYPelsPerMeter = 0x30006;
// A stream list's bytes besides its format: the "strl" code, the "strh"
// chunk and the "strf" chunk's header.
constexpr DWORD kStreamListFixedBytes = 4 + 8 + avi::kRecordBytes<AviStreamHeader> + 8;

DWORD EvenUp(DWORD size) { return size + (size & 1); }

}  // namespace

AviStream::AviStream(StreamKind kind, int number)
    : kind_(kind), number_(number), chunk_id_(avi::StreamChunkId(number, kind)) {}

void AviStream::CountChunk(DWORD size) { header_.dwLength += ChunkLength(size); }

void AviStream::UncountChunk(DWORD size) {
  const DWORD length = ChunkLength(size);
  header_.dwLength = header_.dwLength > length ? header_.dwLength - length : 0;
}

DWORD AviStream::ChunkLength(DWORD size) const {
  return header_.dwSampleSize == 0 ? 1 : size / header_.dwSampleSize;
}

DWORD AviStream::StreamListBytes() const {
  return 8 + kStreamListFixedBytes + EvenUp(static_cast<DWORD>(format_.size()));
}

void AviStream::AppendStreamList(std::vector<std::uint8_t>& out) const {
  const auto format_size = static_cast<DWORD>(format_.size());
  avi::PutFourCc(out, avi::kListCode);
  avi::PutLe32(out, EvenUp(format_size) + kStreamListFixedBytes);
  avi::PutFourCc(out, avi::kStreamListCode);

  avi::PutFourCc(out, avi::kStreamHeaderCode);
  avi::PutLe32(out, avi::kRecordBytes<AviStreamHeader>);
  avi::PutRecord(out, header_);

  avi::PutFourCc(out, avi::kStreamFormatCode);
  avi::PutLe32(out, format_size);
  out.insert(out.end(), format_.begin(), format_.end());
  if (format_size & 1) out.push_back(0);
}

AviVideoStream::AviVideoStream(int number, FourCc handler, LONG width, LONG height, DWORD rate)
    : AviStream(StreamKind::kVideo, number),
      handler_(handler),
      width_(width),
      height_(height),
      rate_(rate) {}

void AviVideoStream::Open() {
  header_.fccType = avi::kVideoStreamType;
  header_.fccHandler = handler_;
  header_.dwScale = kVideoScale;
  header_.dwRate = rate_;
  header_.dwSampleSize = 0;
  header_.rcFrame = {0, 0, width_, height_};

  avi::BitmapInfoHeader bitmap;
  bitmap.biSize = avi::kRecordBytes<avi::BitmapInfoHeader>;
  bitmap.biWidth = width_;
  bitmap.biHeight = height_;
  bitmap.biPlanes = 1;
  bitmap.biBitCount = 24;
  bitmap.biCompression = avi::FourCcValue(avi::kMotionJpegCode);
  bitmap.biSizeImage = static_cast<DWORD>(width_) * static_cast<DWORD>(height_);
  bitmap.biXPelsPerMeter = 0;
  bitmap.biYPelsPerMeter = kVideoYPelsPerMeter;
  bitmap.biClrUsed = 0;
  bitmap.biClrImportant = 0;
  format_.clear();
  avi::PutRecord(format_, bitmap);
  open_ = true;
}

AviAudioStream::AviAudioStream(int number, const WaveFormat& format, DWORD rate)
    : AviStream(StreamKind::kAudio, number), wave_format_(format), rate_(rate) {}

void AviAudioStream::Open() {
  wave_format_.wFormatTag = 1;
  wave_format_.nBlockAlign =
      static_cast<WORD>(wave_format_.wBitsPerSample * wave_format_.nChannels / 8);
  wave_format_.nAvgBytesPerSec = wave_format_.nBlockAlign * wave_format_.nSamplesPerSec;
  wave_format_.cbSize = 0;

  header_.fccType = avi::kAudioStreamType;
  header_.fccHandler = {1, 0, 0, 0};
  header_.dwScale = wave_format_.nBlockAlign;
  header_.dwRate = rate_;
  header_.dwSampleSize = wave_format_.nBlockAlign;

  format_.clear();
  avi::PutRecord(format_, wave_format_);
  open_ = true;
}

}  // namespace recording
