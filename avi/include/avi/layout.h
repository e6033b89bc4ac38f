// The layout of the camera's AVI clips, shared by the writer and the reader:
// the chunk and list codes, the records of the header list (main header,
// stream header, the bitmap and wave formats of the platform) and the index
// entry, each with its size in the file and the order of its fields.
//
// Records are never cast over bytes: ForEachField walks a record's fields in
// file order, and avi/fields.h turns that walk into little-endian bytes and
// back.
#pragma once

#include <array>
#include <type_traits>

#include "platform/gdi.h"
#include "platform/types.h"
#include "platform/wave.h"

namespace avi {

using platform::DWORD;
using platform::LONG;
using platform::WORD;

// A four-character code as it is stored in the file.
using FourCc = std::array<char, 4>;

constexpr FourCc MakeFourCc(const char (&text)[5]) { return {text[0], text[1], text[2], text[3]}; }

// The code as a little-endian word, for fields the platform declares as
// DWORD (biCompression).
constexpr DWORD FourCcValue(const FourCc& code) {
  return DWORD{static_cast<unsigned char>(code[0])} |
         DWORD{static_cast<unsigned char>(code[1])} << 8 |
         DWORD{static_cast<unsigned char>(code[2])} << 16 |
         DWORD{static_cast<unsigned char>(code[3])} << 24;
}
constexpr FourCc FourCcOf(DWORD value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8 & 0xFF),
          static_cast<char>(value >> 16 & 0xFF), static_cast<char>(value >> 24 & 0xFF)};
}

// --- Chunk and list codes ------------------------------------------------------
inline constexpr FourCc kRiffCode = MakeFourCc("RIFF");
inline constexpr FourCc kAviFormCode = MakeFourCc("AVI ");
inline constexpr FourCc kListCode = MakeFourCc("LIST");
inline constexpr FourCc kHeaderListCode = MakeFourCc("hdrl");
inline constexpr FourCc kMainHeaderCode = MakeFourCc("avih");
inline constexpr FourCc kStreamListCode = MakeFourCc("strl");
inline constexpr FourCc kStreamHeaderCode = MakeFourCc("strh");
inline constexpr FourCc kStreamFormatCode = MakeFourCc("strf");
inline constexpr FourCc kJunkCode = MakeFourCc("JUNK");
inline constexpr FourCc kMovieListCode = MakeFourCc("movi");
inline constexpr FourCc kIndexCode = MakeFourCc("idx1");
inline constexpr FourCc kVideoStreamType = MakeFourCc("vids");
inline constexpr FourCc kAudioStreamType = MakeFourCc("auds");
inline constexpr FourCc kMotionJpegCode = MakeFourCc("MJPG");

enum class StreamKind : DWORD { kAudio = 0, kVideo = 1 };

// Chunk id of stream `number`: two upper-case hex digits, then "dc" for
// video or "wb" for audio ("00dc", "01wb", "0Adc").
constexpr FourCc StreamChunkId(int number, StreamKind kind) {
  constexpr char kHex[] = "0123456789ABCDEF";
  const bool video = kind == StreamKind::kVideo;
  return {kHex[(number >> 4) & 0xF], kHex[number & 0xF], video ? 'd' : 'w', video ? 'c' : 'b'};
}

// Index flag of a chunk that decodes on its own.
inline constexpr DWORD kKeyFrameFlag = 0x10;

// --- Records -------------------------------------------------------------------

// "avih".
struct MainHeader {
  DWORD dwMicroSecPerFrame = 0;
  DWORD dwMaxBytesPerSec = 0;
  DWORD dwPaddingGranularity = 0;
  DWORD dwFlags = 0;
  DWORD dwTotalFrames = 0;
  DWORD dwInitialFrames = 0;
  DWORD dwStreams = 0;
  DWORD dwSuggestedBufferSize = 0;
  DWORD dwWidth = 0;
  DWORD dwHeight = 0;
  std::array<DWORD, 4> dwReserved{};
};

// "strh", with the frame rectangle in 32-bit values.
struct StreamHeader {
  FourCc fccType{};
  FourCc fccHandler{};
  DWORD dwFlags = 0;
  WORD wPriority = 0;
  WORD wLanguage = 0;
  DWORD dwInitialFrames = 0;
  DWORD dwScale = 0;
  DWORD dwRate = 0;
  DWORD dwStart = 0;
  DWORD dwLength = 0;
  DWORD dwSuggestedBufferSize = 0;
  DWORD dwQuality = 0;
  DWORD dwSampleSize = 0;
  platform::RECT rcFrame;
};

// The "strf" of a video stream and of an audio stream.
using BitmapInfoHeader = platform::BITMAPINFOHEADER;
using WaveFormat = platform::WAVEFORMATEX;

// One entry of "idx1".
struct IndexEntry {
  FourCc chunk_id{};
  DWORD flags = 0;
  DWORD offset = 0;  // of the chunk header, counted from the "movi" code
  DWORD size = 0;
};

// Bytes of each record in the file.
template <class Record>
inline constexpr DWORD kRecordBytes = 0;
template <>
inline constexpr DWORD kRecordBytes<MainHeader> = 56;
template <>
inline constexpr DWORD kRecordBytes<StreamHeader> = 64;
template <>
inline constexpr DWORD kRecordBytes<BitmapInfoHeader> = 40;
template <>
inline constexpr DWORD kRecordBytes<WaveFormat> = 18;
template <>
inline constexpr DWORD kRecordBytes<IndexEntry> = 16;

// Calls field(value) for each field of the record, in file order. Record
// may be const (writing) or not (reading).
template <class Record, class Field>
constexpr void ForEachField(Record& r, Field&& field) {
  using Plain = std::remove_const_t<Record>;
  if constexpr (std::is_same_v<Plain, MainHeader>) {
    field(r.dwMicroSecPerFrame);
    field(r.dwMaxBytesPerSec);
    field(r.dwPaddingGranularity);
    field(r.dwFlags);
    field(r.dwTotalFrames);
    field(r.dwInitialFrames);
    field(r.dwStreams);
    field(r.dwSuggestedBufferSize);
    field(r.dwWidth);
    field(r.dwHeight);
    for (auto& word : r.dwReserved) field(word);
  } else if constexpr (std::is_same_v<Plain, StreamHeader>) {
    field(r.fccType);
    field(r.fccHandler);
    field(r.dwFlags);
    field(r.wPriority);
    field(r.wLanguage);
    field(r.dwInitialFrames);
    field(r.dwScale);
    field(r.dwRate);
    field(r.dwStart);
    field(r.dwLength);
    field(r.dwSuggestedBufferSize);
    field(r.dwQuality);
    field(r.dwSampleSize);
    field(r.rcFrame.left);
    field(r.rcFrame.top);
    field(r.rcFrame.right);
    field(r.rcFrame.bottom);
  } else if constexpr (std::is_same_v<Plain, BitmapInfoHeader>) {
    field(r.biSize);
    field(r.biWidth);
    field(r.biHeight);
    field(r.biPlanes);
    field(r.biBitCount);
    field(r.biCompression);
    field(r.biSizeImage);
    field(r.biXPelsPerMeter);
    field(r.biYPelsPerMeter);
    field(r.biClrUsed);
    field(r.biClrImportant);
  } else if constexpr (std::is_same_v<Plain, WaveFormat>) {
    field(r.wFormatTag);
    field(r.nChannels);
    field(r.nSamplesPerSec);
    field(r.nAvgBytesPerSec);
    field(r.nBlockAlign);
    field(r.wBitsPerSample);
    field(r.cbSize);
  } else {
    static_assert(std::is_same_v<Plain, IndexEntry>, "not a record of the clip's layout");
    field(r.chunk_id);
    field(r.flags);
    field(r.offset);
    field(r.size);
  }
}

}  // namespace avi
