// Each 2 x 2 block of source pixels a b / c d becomes 3 x 3 output pixels:
// the corners unchanged, the edge middles the averages of their two corners,
// the centre the average of all four. Averages are taken on the luma table
// values and on the chroma terms (quarter levels), so nothing is lost before
// the clamp. With subsampled chroma, corners that share a chroma sample give
// that sample unchanged.
#include "enlargement.h"

#include "chroma_sampling.h"
#include "pixel_formats.h"

namespace codec {
namespace {

struct PlaneView {
  const uint8_t* data;
  int stride;
  uint8_t At(int x, int y) const { return data[y * stride + x]; }
};

inline ChromaTerms Average(const ChromaTerms& p, const ChromaTerms& q) {
  return {(p.red + q.red) >> 1, (p.green + q.green) >> 1, (p.blue + q.blue) >> 1};
}
inline ChromaTerms Average(const ChromaTerms& a, const ChromaTerms& b, const ChromaTerms& c,
                           const ChromaTerms& d) {
  return {(a.red + b.red + c.red + d.red) >> 2, (a.green + b.green + c.green + d.green) >> 2,
          (a.blue + b.blue + c.blue + d.blue) >> 2};
}

template <class Pixel, class Sampling>
void Enlarge(JpegDecoder& decoder, const PlaneView& y, const PlaneView& cb, const PlaneView& cr,
             int width, int height) {
  constexpr int kH = Sampling::kHShift;
  constexpr int kV = Sampling::kVShift;
  const int out_width = width * 3 / 2;
  const size_t line_bytes = static_cast<size_t>(out_width) * Pixel::kBytes;
  const int band_lines = static_cast<int>(decoder.buffers.band_size / line_bytes);
  uint8_t* band = decoder.buffers.band.get();
  const auto terms = [&](int x, int y_line) {
    return TermsOf(cb.At(x >> kH, y_line >> kV), cr.At(x >> kH, y_line >> kV));
  };

  int line = 0;
  for (int j = 0; j < height / 2; ++j) {
    uint8_t* rows[3] = {band + line * line_bytes, band + (line + 1) * line_bytes,
                        band + (line + 2) * line_bytes};
    const int y0 = 2 * j, y1 = 2 * j + 1;
    for (int i = 0; i < width / 2; ++i) {
      const int x0 = 2 * i, x1 = 2 * i + 1;
      const int32_t a = kColour.luma[y.At(x0, y0)], b = kColour.luma[y.At(x1, y0)];
      const int32_t c = kColour.luma[y.At(x0, y1)], d = kColour.luma[y.At(x1, y1)];
      const ChromaTerms ta = terms(x0, y0), tb = terms(x1, y0);
      const ChromaTerms tc = terms(x0, y1), td = terms(x1, y1);
      const size_t at = static_cast<size_t>(3 * i) * Pixel::kBytes;
      Pixel::Put(rows[0] + at, a, ta);
      Pixel::Put(rows[0] + at + Pixel::kBytes, (a + b) >> 1, Average(ta, tb));
      Pixel::Put(rows[0] + at + 2 * Pixel::kBytes, b, tb);
      Pixel::Put(rows[1] + at, (a + c) >> 1, Average(ta, tc));
      Pixel::Put(rows[1] + at + Pixel::kBytes, (a + b + c + d) >> 2, Average(ta, tb, tc, td));
      Pixel::Put(rows[1] + at + 2 * Pixel::kBytes, (b + d) >> 1, Average(tb, td));
      Pixel::Put(rows[2] + at, c, tc);
      Pixel::Put(rows[2] + at + Pixel::kBytes, (c + d) >> 1, Average(tc, td));
      Pixel::Put(rows[2] + at + 2 * Pixel::kBytes, d, td);
    }
    line += 3;
    if (line + 3 > band_lines) {
      decoder.Append(band, static_cast<size_t>(line) * line_bytes);
      line = 0;
    }
  }
  if (line > 0) decoder.Append(band, static_cast<size_t>(line) * line_bytes);
}

template <class Pixel>
JpegResult EnlargeFor(JpegDecoder& decoder, const PlaneView& y, const PlaneView& cb,
                      const PlaneView& cr, int width, int height) {
  switch (decoder.frame.sampling) {
    case SamplingKind::k420:
      Enlarge<Pixel, Sampling420>(decoder, y, cb, cr, width, height);
      return kJpegOk;
    case SamplingKind::k422:
      Enlarge<Pixel, Sampling422>(decoder, y, cb, cr, width, height);
      return kJpegOk;
    case SamplingKind::k444:
      Enlarge<Pixel, Sampling444>(decoder, y, cb, cr, width, height);
      return kJpegOk;
    default:
      return kJpegUnsupported;
  }
}

}  // namespace

JpegResult EnlargeThreeHalves(JpegDecoder& decoder) {
  const FrameState& frame = decoder.frame;
  if (!frame.present || frame.component_count != 3) return kJpegUnsupported;
  const uint8_t* planes = decoder.buffers.planes.get();
  const auto view = [&](int id) {
    const Component& c = frame.components[id];
    return PlaneView{planes + c.plane_offset, c.plane_width};
  };
  const PlaneView y = view(frame.base_id), cb = view(frame.base_id + 1),
                  cr = view(frame.base_id + 2);
  if (decoder.output.geometry.bytes_per_pixel == Rgb565Pixel::kBytes) {
    return EnlargeFor<Rgb565Pixel>(decoder, y, cb, cr, frame.width, frame.height);
  }
  return EnlargeFor<Bgr24Pixel>(decoder, y, cb, cr, frame.width, frame.height);
}

}  // namespace codec
