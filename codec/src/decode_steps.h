// The steps of one decode, each in its own unit, sharing the decoder context
// and the bit reader of the decode.
#pragma once

#include "bit_reader.h"
#include "decoder_context.h"

namespace codec {

// Returned by the scan when it stopped on a marker other than RSTn where a
// restart was due; the marker's code byte is the next byte to read. Never
// returned to the caller.
inline constexpr JpegResult kJpegMarkerInScan = static_cast<JpegResult>(19);

// The marker loop from the start of the image to EOI or the first failure.
JpegResult RunMarkerLoop(JpegDecoder& decoder, BitReader& reader);

// SOF0: frame geometry, reduction, sampling and the decode's buffers.
JpegResult ParseFrameHeader(JpegDecoder& decoder, BitReader& reader);

// DQT.
JpegResult ReadQuantTables(JpegDecoder& decoder, BitReader& reader);

// SOS and the entropy-coded scan behind it.
JpegResult DecodeScan(JpegDecoder& decoder, BitReader& reader);

// EOI: statistics, and in the full-size modes the 3/2 enlargement.
JpegResult FinishImage(JpegDecoder& decoder);

}  // namespace codec
