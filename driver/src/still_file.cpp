// The still picture's file: the driver's header, then the module's
// compressed data read out into the still frame buffer and written in
// 64-byte pieces.
#include <algorithm>
#include <array>
#include <string>

#include "hardware/camera_registers.h"
#include "module_data.h"
#include "platform/files.h"
#include "still_capture.h"

namespace orsadrv {

namespace {

constexpr DWORD kCompressedOutput = camera_hardware::memory::kCompressedA;
constexpr DWORD kPieceBytes = 64;

// The handheld's file calls take UTF-8; an unpaired surrogate becomes
// U+FFFD.
std::string ToUtf8(std::u16string_view text) {
  std::string utf8;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else if (c < 0x800) {
      utf8 += static_cast<char>(0xC0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      utf8 += static_cast<char>(0xE0 | (c >> 12));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      utf8 += static_cast<char>(0xF0 | (c >> 18));
      utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}

// Writes `bytes` in pieces of at most 64 bytes; the count that reached the
// file (short when the disk fills up).
DWORD WritePieces(const platform::FileHandle& file, const BYTE* bytes, DWORD count) {
  DWORD done = 0;
  while (done < count) {
    const DWORD piece = std::min(kPieceBytes, count - done);
    DWORD written = 0;
    const BOOL ok = platform::WriteFile(file, bytes + done, piece, &written);
    done += written;
    if (!ok || written != piece) break;
  }
  return done;
}

}  // namespace

DWORD WriteStillFile(DWORD device, BYTE type, DWORD byte_count, std::u16string_view path) {
  platform::FileHandle file =
      platform::CreateFile(ToUtf8(path), platform::GENERIC_WRITE, 0, platform::CREATE_ALWAYS);
  if (!file) return 0;

  DWORD written = 0;
  std::array<BYTE, kStillHeaderBytes> header{};
  if (const DWORD header_bytes = BuildStillHeader(device, type, header.data())) {
    written = WritePieces(file, header.data(), header_bytes);
  }

  // A count beyond the still buffer is no picture the module can have made:
  // like a capture that timed out, the file then holds the header alone
  // rather than a buffer overrun or a cut-off picture.
  DriverState& state = State();
  const DWORD data_bytes = byte_count <= kStillFrameBytes ? byte_count : 0;
  if (data_bytes != 0) {
    // After a failed read the file still gets the buffer as it stands.
    ReadModuleData(device, kCompressedOutput, data_bytes, state.still_frame->data());
    written += WritePieces(file, state.still_frame->data(), data_bytes);
  }
  platform::CloseFile(file);
  return written;
}

}  // namespace orsadrv
