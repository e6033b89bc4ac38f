#include "avi_header_area.h"

#include "avi/fields.h"

namespace recording {

namespace {

constexpr DWORD kMainHeaderBytes = avi::kRecordBytes<AviMainHeader>;
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
  avi::PutFourCc(out, avi::kRiffCode);
  avi::PutLe32(out, movi_end - 8);
  avi::PutFourCc(out, avi::kAviFormCode);

  const DWORD header_list_bytes = HeaderListBytes(streams);
  avi::PutFourCc(out, avi::kListCode);
  avi::PutLe32(out, header_list_bytes);
  avi::PutFourCc(out, avi::kHeaderListCode);
  avi::PutFourCc(out, avi::kMainHeaderCode);
  avi::PutLe32(out, kMainHeaderBytes);
  avi::PutRecord(out, main);
  for (const AviStream* stream : streams) stream->AppendStreamList(out);

  if (header_list_bytes <= kMaxHeaderListBytes) {
    const auto junk_offset = static_cast<DWORD>(out.size());
    avi::PutFourCc(out, avi::kJunkCode);
    avi::PutLe32(out, kJunkChunkSizeBase - junk_offset);
    out.resize(kMoviListOffset, 0);
    avi::PutFourCc(out, avi::kListCode);
    avi::PutLe32(out, movi_end - (kMoviCodeOffset));
    avi::PutFourCc(out, avi::kMovieListCode);
  }
  return out;
}

}  // namespace recording
