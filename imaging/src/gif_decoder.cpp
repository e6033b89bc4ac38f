// GIF through giflib, record by record up to the first picture, so that an
// animation's later frames are never read.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "decoders.h"

namespace imaging {

namespace {

struct MemoryInput {
  std::span<const std::uint8_t> data;
  std::size_t at = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int count) {
  auto* input = static_cast<MemoryInput*>(gif->UserData);
  const std::size_t left = input->data.size() - input->at;
  const std::size_t take = std::min(left, static_cast<std::size_t>(std::max(count, 0)));
  std::memcpy(buffer, input->data.data() + input->at, take);
  input->at += take;
  return static_cast<int>(take);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using GifFile = std::unique_ptr<GifFileType, GifCloser>;

// The graphic control extension's transparent colour index, or -1.
int TransparentIndex(const GifByteType* extension) {
  if (extension[0] >= 4 && (extension[1] & 0x01)) return extension[4];
  return -1;
}

// Skips the rest of an extension's blocks.
bool SkipExtensionBlocks(GifFileType* gif, GifByteType* block) {
  while (block) {
    if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
  }
  return true;
}

// Reads the first picture's rows into `indices` (width x height, top-down),
// in interlaced order when the picture is interlaced.
bool ReadIndices(GifFileType* gif, int width, int height, std::vector<GifByteType>* indices) {
  static constexpr int kStarts[] = {0, 4, 2, 1};
  static constexpr int kSteps[] = {8, 8, 4, 2};
  const bool interlaced = gif->Image.Interlace;
  for (int pass = 0; pass < (interlaced ? 4 : 1); ++pass) {
    const int start = interlaced ? kStarts[pass] : 0;
    const int step = interlaced ? kSteps[pass] : 1;
    for (int y = start; y < height; y += step) {
      GifByteType* row = indices->data() + static_cast<std::size_t>(y) * width;
      if (DGifGetLine(gif, row, width) == GIF_ERROR) return false;
    }
  }
  return true;
}

// Walks the records after the first picture up to the trailer without
// decoding them, so that a file cut short anywhere is refused.
bool ReachesTrailer(GifFileType* gif) {
  while (true) {
    GifRecordType record;
    if (DGifGetRecordType(gif, &record) == GIF_ERROR) return false;
    GifByteType* block = nullptr;
    switch (record) {
      case TERMINATE_RECORD_TYPE:
        return true;
      case EXTENSION_RECORD_TYPE: {
        int code = 0;
        if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
        if (!SkipExtensionBlocks(gif, block)) return false;
        break;
      }
      case IMAGE_DESC_RECORD_TYPE: {
        int code_size = 0;
        if (DGifGetImageDesc(gif) == GIF_ERROR) return false;
        if (DGifGetCode(gif, &code_size, &block) == GIF_ERROR) return false;
        while (block) {
          if (DGifGetCodeNext(gif, &block) == GIF_ERROR) return false;
        }
        break;
      }
      default:
        break;
    }
  }
}

}  // namespace

LoadResult DecodeGif(std::span<const std::uint8_t> data, std::unique_ptr<Bitmap>* bitmap) {
  MemoryInput input{data};
  int error = 0;
  GifFile gif(DGifOpen(&input, ReadFromMemory, &error));
  if (!gif) return kLoadDamaged;
  std::unique_ptr<Bitmap> result = Bitmap::Create(gif->SWidth, gif->SHeight);
  if (!result) return gif->SWidth > 0 && gif->SHeight > 0 ? kLoadTooLarge : kLoadDamaged;
  int transparent = -1;
  while (true) {
    GifRecordType record;
    if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR) return kLoadDamaged;
    if (record == TERMINATE_RECORD_TYPE) return kLoadDamaged;  // no picture at all
    if (record == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR) return kLoadDamaged;
      if (code == GRAPHICS_EXT_FUNC_CODE && block) transparent = TransparentIndex(block);
      if (!SkipExtensionBlocks(gif.get(), block)) return kLoadDamaged;
      continue;
    }
    if (record != IMAGE_DESC_RECORD_TYPE) continue;
    if (DGifGetImageDesc(gif.get()) == GIF_ERROR) return kLoadDamaged;
    break;
  }

  const GifImageDesc& frame = gif->Image;
  const ColorMapObject* colours = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
  if (!colours || frame.Width <= 0 || frame.Height <= 0) return kLoadDamaged;
  if (std::int64_t{frame.Width} * frame.Height > Bitmap::kMaxPixels) return kLoadTooLarge;
  std::vector<GifByteType> indices;
  try {
    indices.resize(static_cast<std::size_t>(frame.Width) * frame.Height);
  } catch (const std::bad_alloc&) {
    return kLoadTooLarge;
  }
  if (!ReadIndices(gif.get(), frame.Width, frame.Height, &indices)) return kLoadDamaged;

  // The logical screen starts in its background colour (white without one).
  GifColorType background{255, 255, 255};
  if (gif->SColorMap && gif->SBackGroundColor < gif->SColorMap->ColorCount) {
    background = gif->SColorMap->Colors[gif->SBackGroundColor];
  }
  for (int y = 0; y < result->height(); ++y) {
    for (int x = 0; x < result->width(); ++x) {
      result->SetPixel(x, y, background.Red, background.Green, background.Blue);
    }
  }
  // The frame may reach past the screen; only the part on it is drawn.
  for (int y = 0; y < frame.Height; ++y) {
    const int screen_y = frame.Top + y;
    if (screen_y < 0 || screen_y >= result->height()) continue;
    for (int x = 0; x < frame.Width; ++x) {
      const int screen_x = frame.Left + x;
      if (screen_x < 0 || screen_x >= result->width()) continue;
      const int index = indices[static_cast<std::size_t>(y) * frame.Width + x];
      if (index == transparent || index >= colours->ColorCount) continue;
      const GifColorType& colour = colours->Colors[index];
      result->SetPixel(screen_x, screen_y, colour.Red, colour.Green, colour.Blue);
    }
  }
  // Only now: later records replace the frame and its colours.
  if (!ReachesTrailer(gif.get())) return kLoadDamaged;
  *bitmap = std::move(result);
  return kLoadOk;
}

}  // namespace imaging
