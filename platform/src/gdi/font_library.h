// Fonts drawn with FreeType: the host font files that stand for the
// handheld's faces, sized for a LOGFONT, with their glyphs kept once made.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gdi.h"

namespace platform::gdi {

// One glyph as 8-bit coverage, placed relative to the pen on the baseline.
struct Glyph {
  int advance = 0;  // pixels to the next pen position
  int left = 0;     // from the pen to the bitmap's left column
  int top = 0;      // from the baseline up to the bitmap's top row
  int width = 0;
  int rows = 0;
  std::vector<BYTE> coverage;  // width * rows, 0 = none, 255 = full
};

class FontFile;

// A font at one pixel size; safe to use from any thread.
class SizedFont {
 public:
  SizedFont(std::shared_ptr<FontFile> primary, std::shared_ptr<FontFile> fallback, int pixel_size,
            bool bold, bool underline, bool strike_out);

  int ascent() const { return ascent_; }
  int descent() const { return descent_; }
  int height() const { return ascent_ + descent_; }
  int pixel_size() const { return pixel_size_; }
  int average_width() const { return average_width_; }
  int max_width() const { return max_width_; }
  bool bold() const { return bold_; }
  bool underline() const { return underline_; }
  bool strike_out() const { return strike_out_; }

  // The glyph of a code point; characters the face lacks come from the
  // fallback face, and from neither as the primary's missing-glyph box.
  const Glyph& GetGlyph(char32_t code_point);

 private:
  Glyph Render(char32_t code_point);

  std::shared_ptr<FontFile> primary_;
  std::shared_ptr<FontFile> fallback_;
  int pixel_size_;
  bool bold_;
  bool underline_;
  bool strike_out_;
  int ascent_ = 0;
  int descent_ = 0;
  int average_width_ = 0;
  int max_width_ = 0;
  std::mutex mutex_;
  std::unordered_map<char32_t, Glyph> glyphs_;
};

// The sized font for a logical font (faces and sizes are shared between
// fonts that ask for the same). Null only when no font file can be read.
std::shared_ptr<SizedFont> FontFor(const LOGFONT& font);

// Whether a code point belongs to the scripts the Chinese and Korean face
// draws (CJK ideographs, kana, Hangul and their punctuation).
bool IsCjkCodePoint(char32_t code_point);

}  // namespace platform::gdi
