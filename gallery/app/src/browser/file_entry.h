// One listed file: what the list sorts by, its mark, and the thumbnail the
// worker makes for it. Entries are shared: the list holds one reference and
// the thumbnail worker holds another while it draws, so an entry the user
// interface drops (a new listing, a removal) stays whole until the worker
// lets go of it.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

#include "platform/gdi_objects.h"

namespace gallery {

struct FileEntry {
  std::string path;
  std::string folded_name;       // the file-name part, case folded
  std::string folded_extension;  // the text after the last ".", case folded
  std::uint64_t time = 0;        // local file time
  std::uint32_t size = 0;

  // Made at most once by the thumbnail worker; null when the file gave none.
  std::mutex thumbnail_mutex;
  bool thumbnail_made = false;
  platform::OwnedGdiObject<platform::HBITMAP> thumbnail;
};

}  // namespace gallery
