#include "gallery_state.h"

namespace gallery {

namespace {
GalleryState state;
}  // namespace

GalleryState& Gallery() { return state; }

void ResetGallery() { state = GalleryState{}; }

void RecordRoute(GalleryPart part, platform::UINT command, bool key) {
  state.routed.push_back(RoutedCommand{part, command, key});
}

}  // namespace gallery
