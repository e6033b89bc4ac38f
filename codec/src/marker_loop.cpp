// The marker loop: find the next marker, act on it, start again aligned.
#include "decode_steps.h"

namespace codec {
namespace {

// APPn, COM and DHT: the standard Huffman tables are always used, so DHT is
// passed over like the others.
JpegResult SkipSegment(BitReader& reader) {
  uint32_t length;
  if (!reader.ReadSegmentWord(length)) return kJpegBadStream;
  if (length < 2) return kJpegBadStream;
  return reader.SkipSegmentBytes(length - 2) ? kJpegOk : kJpegBadStream;
}

JpegResult ReadRestartInterval(JpegDecoder& decoder, BitReader& reader) {
  uint32_t length, interval;
  if (!reader.ReadSegmentWord(length)) return kJpegBadStream;
  if ((length & 0xFF) != 4) return kJpegBadRestartLength;
  if (!reader.ReadSegmentWord(interval)) return kJpegBadStream;
  decoder.restart_interval = static_cast<uint16_t>(interval);
  return kJpegOk;
}

}  // namespace

JpegResult RunMarkerLoop(JpegDecoder& decoder, BitReader& reader) {
  for (;;) {
    reader.Align();
    uint32_t byte;
    do {
      if (!reader.Read(8, byte)) return kJpegBadStream;
    } while (byte != 0xFF);
    uint32_t code;
    if (!reader.Read(8, code)) return kJpegBadStream;

    for (bool again = true; again;) {
      again = false;
      JpegResult result = kJpegOk;
      if (code == 0xD8) {
        // SOI
      } else if (code == 0xC0) {
        result = ParseFrameHeader(decoder, reader);
      } else if (code == 0xC4 || (code >= 0xE0 && code <= 0xEF) || code == 0xFE) {
        result = SkipSegment(reader);
      } else if (code == 0xDB) {
        result = ReadQuantTables(decoder, reader);
      } else if (code == 0xDD) {
        result = ReadRestartInterval(decoder, reader);
      } else if (code == 0xDA) {
        result = DecodeScan(decoder, reader);
        if (result == kJpegMarkerInScan) {
          // The marker's code byte is next: act on it without searching.
          if (!reader.Read(8, code)) return kJpegBadStream;
          again = true;
          continue;
        }
      } else if (code == 0xD9) {
        return FinishImage(decoder);
      } else {
        return kJpegBadStream;
      }
      if (result != kJpegOk) return result;
    }
  }
}

}  // namespace codec
