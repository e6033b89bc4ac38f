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

  // Made at most once by the thumbnail worker: the thumbnail (null when the
  // file gave none) and whether the picture carries a JPEG comment. A file
  // that changes comes back as a new entry, so neither goes stale.
  std::mutex thumbnail_mutex;
  bool thumbnail_made = false;
  platform::OwnedGdiObject<platform::HBITMAP> thumbnail;
  bool has_comment = false;

  // Whether the picture's voice note exists: known from the listing's own
  // scan, else looked up at the worker's next visit after `note_known` was
  // cleared (an entry added later, a change notice naming the note). A
  // missing file costs the platform a scan of the whole folder, too much
  // for every cell of every pass.
  std::mutex note_mutex;
  bool note_known = false;
  bool has_note = false;
};

}  // namespace gallery
