#include "avi_headers.h"

namespace clip {

namespace {

// Walks a record field by field.
class FieldReader {
 public:
  explicit FieldReader(const std::uint8_t* bytes) : p_(bytes) {}
  DWORD U32() { return Le32(Advance(4)); }
  LONG S32() { return static_cast<LONG>(U32()); }
  WORD U16() { return Le16(Advance(2)); }
  FourCc Code() { return FourCcAt(Advance(4)); }

 private:
  const std::uint8_t* Advance(int n) {
    const std::uint8_t* at = p_;
    p_ += n;
    return at;
  }
  const std::uint8_t* p_;
};

}  // namespace

AviMainHeader DecodeMainHeader(std::span<const std::uint8_t, kMainHeaderBytes> bytes) {
  FieldReader in(bytes.data());
  AviMainHeader h;
  h.dwMicroSecPerFrame = in.U32();
  h.dwMaxBytesPerSec = in.U32();
  h.dwPaddingGranularity = in.U32();
  h.dwFlags = in.U32();
  h.dwTotalFrames = in.U32();
  h.dwInitialFrames = in.U32();
  h.dwStreams = in.U32();
  h.dwSuggestedBufferSize = in.U32();
  h.dwWidth = in.U32();
  h.dwHeight = in.U32();
  for (DWORD& word : h.dwReserved) word = in.U32();
  return h;
}

AviStreamHeader DecodeStreamHeader(std::span<const std::uint8_t, kStreamHeaderBytes> bytes) {
  FieldReader in(bytes.data());
  AviStreamHeader h;
  h.fccType = in.Code();
  h.fccHandler = in.Code();
  h.dwFlags = in.U32();
  h.wPriority = in.U16();
  h.wLanguage = in.U16();
  h.dwInitialFrames = in.U32();
  h.dwScale = in.U32();
  h.dwRate = in.U32();
  h.dwStart = in.U32();
  h.dwLength = in.U32();
  h.dwSuggestedBufferSize = in.U32();
  h.dwQuality = in.U32();
  h.dwSampleSize = in.U32();
  for (LONG& value : h.rcFrame) value = in.S32();
  return h;
}

BitmapInfoHeader DecodeBitmapInfo(std::span<const std::uint8_t, kBitmapInfoBytes> bytes) {
  FieldReader in(bytes.data());
  BitmapInfoHeader h;
  h.biSize = in.U32();
  h.biWidth = in.S32();
  h.biHeight = in.S32();
  h.biPlanes = in.U16();
  h.biBitCount = in.U16();
  h.biCompression = in.Code();
  h.biSizeImage = in.U32();
  h.biXPelsPerMeter = in.S32();
  h.biYPelsPerMeter = in.S32();
  h.biClrUsed = in.U32();
  h.biClrImportant = in.U32();
  return h;
}

WaveFormat DecodeWaveFormat(std::span<const std::uint8_t, kWaveFormatBytes> bytes) {
  FieldReader in(bytes.data());
  WaveFormat f;
  f.wFormatTag = in.U16();
  f.nChannels = in.U16();
  f.nSamplesPerSec = in.U32();
  f.nAvgBytesPerSec = in.U32();
  f.nBlockAlign = in.U16();
  f.wBitsPerSample = in.U16();
  f.cbSize = in.U16();
  return f;
}

}  // namespace clip
