#include "gdi/font_library.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <map>
#include <mutex>
#include <tuple>

namespace platform::gdi {

namespace {

// The FreeType library, its lock (calls on one library are not thread-safe)
// and every face opened. It lives until the process ends and is never
// destroyed, so that fonts still held by static objects stay usable while
// those are destroyed at exit.
struct FreeTypeState {
  FreeTypeState() {
    if (FT_Init_FreeType(&library) != 0) library = nullptr;
  }
  FT_Library library = nullptr;
  std::mutex lock;
};

FreeTypeState& State() {
  static FreeTypeState& state = *new FreeTypeState;
  return state;
}

std::mutex& FreeTypeLock() { return State().lock; }
FT_Library Library() { return State().library; }

const std::filesystem::path kLiberationFolder = "/usr/share/fonts/truetype/liberation";
const std::filesystem::path kCjkFile = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";

enum class Family { kSans, kSerif, kMono, kCjk };

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// Face names the programs ask for, by the host family that stands in.
Family FamilyFor(const LOGFONT& font) {
  if (font.lfCharSet == HANGUL_CHARSET || font.lfCharSet == GB2312_CHARSET ||
      font.lfCharSet == CHINESEBIG5_CHARSET) {
    return Family::kCjk;
  }
  const std::string face = Lower(font.lfFaceName);
  static constexpr std::array<std::string_view, 14> kCjkFaces = {
      "simsun", "nsimsun", "simhei",  "mingliu", "pmingliu", "gulim", "gulimche",
      "batang", "dotum",   "gungsuh", "yahei",   "song",     "hei",   "wenquanyi"};
  for (std::string_view cjk : kCjkFaces) {
    if (face.find(cjk) != std::string::npos) return Family::kCjk;
  }
  // Faces written in Chinese or Korean characters.
  for (unsigned char c : font.lfFaceName) {
    if (c >= 0xE0) return Family::kCjk;
  }
  if (face.find("courier") != std::string::npos || face.find("mono") != std::string::npos) {
    return Family::kMono;
  }
  if (face.find("times") != std::string::npos || face.find("serif") != std::string::npos) {
    return Family::kSerif;
  }
  // "Tahoma", "Arial", the system font and anything unknown.
  return Family::kSans;
}

std::filesystem::path FileFor(Family family, bool bold, bool italic) {
  if (family == Family::kCjk) return kCjkFile;
  std::string name = family == Family::kMono    ? "LiberationMono"
                     : family == Family::kSerif ? "LiberationSerif"
                                                : "LiberationSans";
  name += bold && italic ? "-BoldItalic.ttf"
          : bold         ? "-Bold.ttf"
          : italic       ? "-Italic.ttf"
                         : "-Regular.ttf";
  return kLiberationFolder / name;
}

// The system font's characters are this many pixels high.
constexpr int kSystemPixelSize = 12;
// Sizes past this are not the handheld's and would only cost memory.
constexpr int kLargestPixelSize = 512;

}  // namespace

// One opened font file; FreeType calls on it go through FreeTypeLock().
class FontFile {
 public:
  explicit FontFile(const std::filesystem::path& path) {
    std::lock_guard lock(FreeTypeLock());
    if (Library() == nullptr || FT_New_Face(Library(), path.c_str(), 0, &face_) != 0) {
      face_ = nullptr;
    }
    // Liberation's files have real bold faces; the CJK file only a regular one.
    synthetic_bold_ = path == kCjkFile;
  }
  ~FontFile() {
    std::lock_guard lock(FreeTypeLock());
    if (face_ != nullptr) FT_Done_Face(face_);
  }
  FontFile(const FontFile&) = delete;
  FontFile& operator=(const FontFile&) = delete;

  FT_Face face() const { return face_; }
  bool synthetic_bold() const { return synthetic_bold_; }

 private:
  FT_Face face_ = nullptr;
  bool synthetic_bold_ = false;
};

namespace {

std::shared_ptr<FontFile> OpenFile(const std::filesystem::path& path) {
  // Kept for the process's life like the library (see FreeTypeState).
  static std::mutex& mutex = *new std::mutex;
  static auto& files = *new std::map<std::filesystem::path, std::shared_ptr<FontFile>>;
  std::lock_guard lock(mutex);
  auto& file = files[path];
  if (!file) {
    file = std::make_shared<FontFile>(path);
    if (file->face() == nullptr && path.filename() != "LiberationSans-Regular.ttf") {
      // A missing style falls back to the regular sans face.
      auto regular = kLiberationFolder / "LiberationSans-Regular.ttf";
      if (path != regular) {
        auto fallback = std::make_shared<FontFile>(regular);
        if (fallback->face() != nullptr) file = fallback;
      }
    }
  }
  return file->face() != nullptr ? file : nullptr;
}

// The em size in pixels for a LOGFONT height: negative is the characters'
// height, positive the cell height (ascender + descender).
int PixelSizeFor(const LOGFONT& font, FT_Face face) {
  if (font.lfHeight == 0) return kSystemPixelSize;
  if (font.lfHeight < 0) return std::min<int>(-font.lfHeight, kLargestPixelSize);
  int cell_units = face->ascender - face->descender;
  if (cell_units <= 0) return std::min<int>(font.lfHeight, kLargestPixelSize);
  long size = std::lround(static_cast<double>(font.lfHeight) * face->units_per_EM / cell_units);
  return static_cast<int>(std::clamp<long>(size, 1, kLargestPixelSize));
}

}  // namespace

SizedFont::SizedFont(std::shared_ptr<FontFile> primary, std::shared_ptr<FontFile> fallback,
                     int pixel_size, bool bold, bool underline, bool strike_out)
    : primary_(std::move(primary)),
      fallback_(std::move(fallback)),
      pixel_size_(pixel_size),
      bold_(bold),
      underline_(underline),
      strike_out_(strike_out) {
  std::lock_guard lock(FreeTypeLock());
  FT_Face face = primary_->face();
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixel_size_));
  const FT_Size_Metrics& metrics = face->size->metrics;
  ascent_ = static_cast<int>((metrics.ascender + 63) >> 6);
  descent_ = static_cast<int>((-metrics.descender + 63) >> 6);
  max_width_ = static_cast<int>((metrics.max_advance + 63) >> 6);
  // The width of "x" stands for the average, as it does on the platform.
  FT_UInt x = FT_Get_Char_Index(face, 'x');
  if (x != 0 && FT_Load_Glyph(face, x, FT_LOAD_DEFAULT) == 0) {
    average_width_ = static_cast<int>((face->glyph->advance.x + 32) >> 6);
  } else {
    average_width_ = pixel_size_ / 2;
  }
}

const Glyph& SizedFont::GetGlyph(char32_t code_point) {
  std::lock_guard lock(mutex_);
  auto found = glyphs_.find(code_point);
  if (found != glyphs_.end()) return found->second;
  return glyphs_.emplace(code_point, Render(code_point)).first->second;
}

Glyph SizedFont::Render(char32_t code_point) {
  std::lock_guard lock(FreeTypeLock());
  // Chinese and Korean characters come from the face made for them; others
  // from the chosen face, or the other one when the chosen one lacks them.
  FontFile* first = primary_.get();
  FontFile* second = fallback_.get();
  if (second != nullptr && IsCjkCodePoint(code_point)) std::swap(first, second);
  FontFile* file = first;
  FT_UInt index = FT_Get_Char_Index(file->face(), code_point);
  if (index == 0 && second != nullptr && second != first) {
    FT_UInt other = FT_Get_Char_Index(second->face(), code_point);
    if (other != 0) {
      file = second;
      index = other;
    }
  }
  FT_Face face = file->face();
  Glyph glyph;
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixel_size_));
  if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT) != 0) return glyph;
  if (bold_ && file->synthetic_bold()) FT_GlyphSlot_Embolden(face->glyph);
  if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) return glyph;
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = static_cast<int>(bitmap.width);
  glyph.rows = static_cast<int>(bitmap.rows);
  glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * glyph.rows);
  for (int row = 0; row < glyph.rows; ++row) {
    const unsigned char* line = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
    std::copy(line, line + glyph.width,
              glyph.coverage.begin() + static_cast<std::ptrdiff_t>(row) * glyph.width);
  }
  return glyph;
}

std::shared_ptr<SizedFont> FontFor(const LOGFONT& font) {
  const bool bold = font.lfWeight >= FW_SEMIBOLD;
  const bool italic = font.lfItalic != 0;
  const Family family = FamilyFor(font);
  std::shared_ptr<FontFile> primary = OpenFile(FileFor(family, bold, italic));
  std::shared_ptr<FontFile> fallback = OpenFile(kCjkFile);
  if (!primary) primary = fallback;
  if (!primary) return nullptr;
  int pixel_size;
  {
    std::lock_guard lock(FreeTypeLock());
    pixel_size = PixelSizeFor(font, primary->face());
  }
  using Key = std::tuple<FontFile*, int, bool, bool, bool>;
  static std::mutex& mutex = *new std::mutex;
  static auto& fonts = *new std::map<Key, std::shared_ptr<SizedFont>>;
  std::lock_guard lock(mutex);
  Key key{primary.get(), pixel_size, bold, font.lfUnderline != 0, font.lfStrikeOut != 0};
  auto& sized = fonts[key];
  if (!sized) {
    sized = std::make_shared<SizedFont>(primary, fallback, pixel_size, bold, font.lfUnderline != 0,
                                        font.lfStrikeOut != 0);
  }
  return sized;
}

bool IsCjkCodePoint(char32_t c) {
  return (c >= 0x1100 && c <= 0x11FF) ||  // Hangul jamo
         (c >= 0x2E80 && c <= 0x9FFF) ||  // CJK radicals, punctuation, kana, ideographs
         (c >= 0xAC00 && c <= 0xD7AF) ||  // Hangul syllables
         (c >= 0xF900 && c <= 0xFAFF) ||  // compatibility ideographs
         (c >= 0xFF00 && c <= 0xFFEF);    // full-width forms
}

}  // namespace platform::gdi
