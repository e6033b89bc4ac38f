#include "page_render.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "imaging/qximglib.h"
#include "platform/modules.h"
#include "platform/time.h"
#include "programs/input_file.h"

namespace platform::programs {

namespace {

// A4 in points (1/72 inch), and the margin a printer cannot reach anyway.
constexpr double kPageWidth = 595.276;
constexpr double kPageHeight = 841.890;
constexpr double kMargin = 36.0;
constexpr double kCaptionSize = 9.0;
constexpr double kCaptionGap = 8.0;
// The picture is loaded at no more than 200 dots per inch over the page's
// printable area: sharp on paper, modest in memory.
constexpr int kMaxPixelsAcross = static_cast<int>((kPageWidth - 2 * kMargin) / 72.0 * 200.0);
constexpr int kMaxPixelsDown = static_cast<int>((kPageHeight - 2 * kMargin) / 72.0 * 200.0);

struct SurfaceDestroy {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDestroy {
  void operator()(cairo_t* context) const { cairo_destroy(context); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDestroy>;
using Context = std::unique_ptr<cairo_t, ContextDestroy>;

// The imaging library, loaded by name for as long as the holder lives.
class ImagingLibrary {
 public:
  ImagingLibrary() : module_(LoadLibrary(imaging::kModuleName)) {}
  ~ImagingLibrary() {
    if (module_) FreeLibrary(module_);
  }
  ImagingLibrary(const ImagingLibrary&) = delete;
  ImagingLibrary& operator=(const ImagingLibrary&) = delete;

  imaging::LoadImageFromFileFunction* loader() const {
    return module_ ? GetProcAddressAs<imaging::LoadImageFromFileFunction>(
                         module_, imaging::kLoadImageFromFileExport)
                   : nullptr;
  }

 private:
  HMODULE module_;
};

std::unique_ptr<imaging::Bitmap> LoadPicture(std::string_view path, std::string* error) {
  const ImagingLibrary library;
  imaging::LoadImageFromFileFunction* load = library.loader();
  if (!load) {
    *error = "The imaging library is missing.";
    return nullptr;
  }
  std::unique_ptr<imaging::Bitmap> bitmap;
  const std::string text(path);
  if (load(text.c_str(), &bitmap, kMaxPixelsAcross, kMaxPixelsDown, nullptr) != imaging::kLoadOk ||
      !bitmap) {
    *error = "\"" + text + "\" is not a picture that can be printed.";
    return nullptr;
  }
  return bitmap;
}

// The bitmap as a cairo image (32 bits a pixel, the top byte unused).
Surface ImageOf(const imaging::Bitmap& bitmap) {
  Surface image(cairo_image_surface_create(CAIRO_FORMAT_RGB24, bitmap.width(), bitmap.height()));
  if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  cairo_surface_flush(image.get());
  unsigned char* data = cairo_image_surface_get_data(image.get());
  const int stride = cairo_image_surface_get_stride(image.get());
  for (int y = 0; y < bitmap.height(); ++y) {
    const std::uint8_t* from = bitmap.Row(y);
    auto* to = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < bitmap.width(); ++x, from += 3) {
      to[x] = (std::uint32_t{from[2]} << 16) | (std::uint32_t{from[1]} << 8) | from[0];
    }
  }
  cairo_surface_mark_dirty(image.get());
  return image;
}

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  auto* bytes = static_cast<std::vector<std::byte>*>(closure);
  const auto* first = reinterpret_cast<const std::byte*>(data);
  bytes->insert(bytes->end(), first, first + length);
  return CAIRO_STATUS_SUCCESS;
}

void DrawPicture(cairo_t* page, cairo_surface_t* image, int width, int height) {
  const double area_width = kPageWidth - 2 * kMargin;
  const double area_height = kPageHeight - 2 * kMargin - kCaptionSize - kCaptionGap;
  const double scale = std::min(area_width / width, area_height / height);
  const double x = kMargin + (area_width - width * scale) / 2;
  const double y = kMargin + (area_height - height * scale) / 2;
  cairo_save(page);
  cairo_translate(page, x, y);
  cairo_scale(page, scale, scale);
  cairo_set_source_surface(page, image, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(page), CAIRO_FILTER_GOOD);
  cairo_rectangle(page, 0, 0, width, height);
  cairo_fill(page);
  cairo_restore(page);
}

void DrawCaption(cairo_t* page, std::string_view name) {
  const std::string text(name);
  cairo_select_font_face(page, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                         CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(page, kCaptionSize);
  cairo_text_extents_t extents;
  cairo_text_extents(page, text.c_str(), &extents);
  cairo_set_source_rgb(page, 0.3, 0.3, 0.3);
  cairo_move_to(page, (kPageWidth - extents.x_advance) / 2, kPageHeight - kMargin);
  cairo_show_text(page, text.c_str());
}

// The handheld's own clock as the document's creation date (local time
// with its offset from UTC), so a page printed on the virtual clock comes
// out the same on every run and a page printed on the handheld carries
// the handheld's date, not the machine's it happens to run on.
std::string CreationDate() {
  FILETIME utc{}, local{};
  GetSystemTimeAsFileTime(&utc);
  if (!FileTimeToLocalFileTime(&utc, &local)) local = utc;
  SYSTEMTIME time{};
  if (!FileTimeToSystemTime(&local, &time)) return {};
  const std::int64_t offset_minutes =
      (UnixNanosecondsFromFileTime(local) - UnixNanosecondsFromFileTime(utc)) / 60'000'000'000;
  char text[64];
  std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u%c%02d:%02d", time.wYear,
                time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond,
                offset_minutes < 0 ? '-' : '+', static_cast<int>(std::abs(offset_minutes) / 60),
                static_cast<int>(std::abs(offset_minutes) % 60));
  return text;
}

}  // namespace

std::optional<std::vector<std::byte>> RenderPicturePage(std::string_view path, std::string* error) {
  const std::unique_ptr<imaging::Bitmap> bitmap = LoadPicture(path, error);
  if (!bitmap) return std::nullopt;
  const Surface image = ImageOf(*bitmap);
  if (!image) {
    *error = "There is not enough memory to print.";
    return std::nullopt;
  }
  std::vector<std::byte> document;
  {
    Surface pdf(
        cairo_pdf_surface_create_for_stream(AppendBytes, &document, kPageWidth, kPageHeight));
    const std::string name(FileNameOf(path));
    cairo_pdf_surface_set_metadata(pdf.get(), CAIRO_PDF_METADATA_TITLE, name.c_str());
    if (const std::string date = CreationDate(); !date.empty()) {
      cairo_pdf_surface_set_metadata(pdf.get(), CAIRO_PDF_METADATA_CREATE_DATE, date.c_str());
    }
    const Context page(cairo_create(pdf.get()));
    DrawPicture(page.get(), image.get(), bitmap->width(), bitmap->height());
    DrawCaption(page.get(), name);
    cairo_show_page(page.get());
    const bool drawn = cairo_status(page.get()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_finish(pdf.get());
    if (!drawn || cairo_surface_status(pdf.get()) != CAIRO_STATUS_SUCCESS || document.empty()) {
      *error = "The page could not be made.";
      return std::nullopt;
    }
  }
  return document;
}

}  // namespace platform::programs
