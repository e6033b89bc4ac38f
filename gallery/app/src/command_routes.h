// Which part of the gallery does the work of each browser command.
#pragma once

#include "platform/types.h"

namespace gallery {

enum class GalleryPart {
  kNone,           // not a browser command
  kFrame,          // camera, options, About, exit: the frame itself
  kFolderBrowser,  // folder, thumbnails, marks, moves through the list
  kImageView,      // view, zoom, comment, rotation
  kSending,        // beam, OBEX, e-mail, print, clipboard, Send entries
  kSlideshow,
  kVoiceNotes,
  kFileOperations,  // rename, delete, move, copy
};

GalleryPart PartOf(platform::UINT command);

// A command, or a key that moves through the list, handed to a part.
struct RoutedCommand {
  GalleryPart part = GalleryPart::kNone;
  platform::UINT command = 0;  // the command id, or the virtual key
  bool key = false;
  friend bool operator==(const RoutedCommand&, const RoutedCommand&) = default;
};

}  // namespace gallery
