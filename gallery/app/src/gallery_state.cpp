#include "gallery_state.h"

namespace gallery {

namespace {
GalleryState state;
}  // namespace

GalleryState& Gallery() { return state; }

void ResetGallery() { state = GalleryState{}; }

}  // namespace gallery
