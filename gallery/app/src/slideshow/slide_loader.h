// Loading one entry of the list into a slideshow surface: a picture
// through the imaging library, a clip through its plug-in's thumbnail,
// turned a quarter when that fills more of the screen, fitted without
// enlarging and centred on black. A path that cannot be loaded leaves a
// black surface.
#pragma once

#include <string>

#include "gallery/options/gallery_options.h"
#include "imaging/qximglib.h"
#include "slideshow/slide_surface.h"

namespace gallery {

// Returns whether a picture was loaded; `info` tells the stored picture's
// size (zero for clips and failures).
bool LoadSlide(const std::string& path, const SlideshowOptions& options, SlideSurface& surface,
               imaging::ImageInfo* info);

// The share of a W x H screen that a `width` x `height` picture covers
// fitted without enlarging, in percent (rounded down).
int CoveredShare(int width, int height, int screen_width, int screen_height);

}  // namespace gallery
