// A picture fitted on an A4 page of a PDF document.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::programs {

// The document's bytes: one portrait A4 page with the picture at
// `path` (loaded through the imaging library) as large as fits inside the
// margins, centred, and its file name below it. Nothing, with the reason
// in *error, when the picture cannot be loaded or the page cannot be made.
std::optional<std::vector<std::byte>> RenderPicturePage(std::string_view path, std::string* error);

}  // namespace platform::programs
