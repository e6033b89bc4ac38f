// The media type a mail attachment is labelled with, by the file's
// extension.
#pragma once

#include <string_view>

namespace platform::programs {

struct MediaType {
  std::string_view type;
  std::string_view subtype;
};

// application/octet-stream for extensions not listed.
MediaType MediaTypeOf(std::string_view path);

}  // namespace platform::programs
