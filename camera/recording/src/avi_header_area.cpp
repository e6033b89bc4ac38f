#include "avi_header_area.h"

#include "little_endian.h"

namespace recording {

namespace {

constexpr DWORD kMainHeaderBytes = 56;
constexpr DWORD kJunkChunkSizeBase = 2028;

}  // namespace

DWORD HeaderListBytes(std::span<const AviStream* const> streams) {
  DWORD size = 4 + 8 + kMainHeaderBytes;
  for (const AviStream* stream : streams) size += stream->StreamListBytes();
  return size;
}

std::vector<std::uint8_t> BuildHeaderArea(const AviMainHeader& main,
                                          std::span<const AviStream* const> streams,
                                          DWORD movi_end) {
  std::vector<std::uint8_t> out;
  out.reserve(kHeaderAreaBytes);
  PutFourCc(out, MakeFourCc("RIFF"));
  PutLe32(out, movi_end - 8);
  PutFourCc(out, MakeFourCc("AVI "));

  const DWORD header_list_bytes = HeaderListBytes(streams);
  PutFourCc(out, MakeFourCc("LIST"));
  PutLe32(out, header_list_bytes);
  PutFourCc(out, MakeFourCc("hdrl"));
  PutFourCc(out, MakeFourCc("avih"));
  PutLe32(out, kMainHeaderBytes);
  for (DWORD value :
       {main.dwMicroSecPerFrame, main.dwMaxBytesPerSec, main.dwPaddingGranularity, main.dwFlags,
        main.dwTotalFrames, main.dwInitialFrames, main.dwStreams, main.dwSuggestedBufferSize,
        main.dwWidth, main.dwHeight, DWORD{0}, DWORD{0}, DWORD{0}, DWORD{0}}) {
    PutLe32(out, value);
  }
  for (const AviStream* stream : streams) stream->AppendStreamList(out);

  if (header_list_bytes <= kMaxHeaderListBytes) {
    const auto junk_offset = static_cast<DWORD>(out.size());
    PutFourCc(out, MakeFourCc("JUNK"));
    PutLe32(out, kJunkChunkSizeBase - junk_offset);
    out.resize(kMoviListOffset, 0);
    PutFourCc(out, MakeFourCc("LIST"));
    PutLe32(out, movi_end - (kMoviCodeOffset));
    PutFourCc(out, MakeFourCc("movi"));
  }
  return out;
}

}  // namespace recording
