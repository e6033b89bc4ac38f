// The stream base (chunk ids, dwLength, the stream list) and the video and
// audio kinds.
#include "recording/avi_stream.h"

#include "little_endian.h"

namespace recording {

namespace {

constexpr DWORD kStreamHeaderBytes = 64;
constexpr DWORD kBitmapInfoBytes = 40;
constexpr DWORD kVideoScale = 1'000'000;
constexpr DWORD kVideoYPelsPerMeter = 0x30006;

DWORD EvenUp(DWORD size) { return size + (size & 1); }

}  // namespace

FourCc MakeChunkId(int number, StreamKind kind) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const bool video = kind == StreamKind::kVideo;
  return {kHex[(number >> 4) & 0xF], kHex[number & 0xF], video ? 'd' : 'w', video ? 'c' : 'b'};
}

AviStream::AviStream(StreamKind kind, int number)
    : kind_(kind), number_(number), chunk_id_(MakeChunkId(number, kind)) {}

void AviStream::CountChunk(DWORD size) {
  header_.dwLength += header_.dwSampleSize == 0 ? 1 : size / header_.dwSampleSize;
}

DWORD AviStream::StreamListBytes() const {
  return 8 + 84 + EvenUp(static_cast<DWORD>(format_.size()));
}

void AviStream::AppendStreamList(std::vector<std::uint8_t>& out) const {
  const auto format_size = static_cast<DWORD>(format_.size());
  PutFourCc(out, MakeFourCc("LIST"));
  PutLe32(out, EvenUp(format_size) + 84);
  PutFourCc(out, MakeFourCc("strl"));

  PutFourCc(out, MakeFourCc("strh"));
  PutLe32(out, kStreamHeaderBytes);
  PutFourCc(out, header_.fccType);
  PutFourCc(out, header_.fccHandler);
  PutLe32(out, header_.dwFlags);
  PutLe16(out, header_.wPriority);
  PutLe16(out, header_.wLanguage);
  for (DWORD value :
       {header_.dwInitialFrames, header_.dwScale, header_.dwRate, header_.dwStart, header_.dwLength,
        header_.dwSuggestedBufferSize, header_.dwQuality, header_.dwSampleSize}) {
    PutLe32(out, value);
  }
  for (LONG value : {header_.left, header_.top, header_.right, header_.bottom}) {
    PutLe32(out, static_cast<DWORD>(value));
  }

  PutFourCc(out, MakeFourCc("strf"));
  PutLe32(out, format_size);
  PutBytes(out, format_);
  if (format_size & 1) out.push_back(0);
}

AviVideoStream::AviVideoStream(int number, FourCc handler, LONG width, LONG height, DWORD rate)
    : AviStream(StreamKind::kVideo, number),
      handler_(handler),
      width_(width),
      height_(height),
      rate_(rate) {}

void AviVideoStream::Open() {
  header_.fccType = MakeFourCc("vids");
  header_.fccHandler = handler_;
  header_.dwScale = kVideoScale;
  header_.dwRate = rate_;
  header_.dwSampleSize = 0;
  header_.left = 0;
  header_.top = 0;
  header_.right = width_;
  header_.bottom = height_;

  format_.clear();
  PutLe32(format_, kBitmapInfoBytes);
  PutLe32(format_, static_cast<DWORD>(width_));
  PutLe32(format_, static_cast<DWORD>(height_));
  PutLe16(format_, 1);   // planes
  PutLe16(format_, 24);  // bits per pixel
  PutFourCc(format_, MakeFourCc("MJPG"));
  PutLe32(format_, static_cast<DWORD>(width_) * static_cast<DWORD>(height_));
  PutLe32(format_, 0);
  PutLe32(format_, kVideoYPelsPerMeter);
  PutLe32(format_, 0);
  PutLe32(format_, 0);
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

  header_.fccType = MakeFourCc("auds");
  header_.fccHandler = {1, 0, 0, 0};
  header_.dwScale = wave_format_.nBlockAlign;
  header_.dwRate = rate_;
  header_.dwSampleSize = wave_format_.nBlockAlign;

  format_.clear();
  PutLe16(format_, wave_format_.wFormatTag);
  PutLe16(format_, wave_format_.nChannels);
  PutLe32(format_, wave_format_.nSamplesPerSec);
  PutLe32(format_, wave_format_.nAvgBytesPerSec);
  PutLe16(format_, wave_format_.nBlockAlign);
  PutLe16(format_, wave_format_.wBitsPerSample);
  PutLe16(format_, wave_format_.cbSize);
  open_ = true;
}

}  // namespace recording
