#include "print_spool.h"

#include <cstddef>
#include <vector>

#include "page_render.h"
#include "programs/input_file.h"
#include "programs/print_engines.h"
#include "programs/whole_file.h"

namespace platform::programs {

namespace {

// The picture's name without its extension.
std::string StemOf(std::string_view path) {
  const std::string_view name = FileNameOf(path);
  const std::size_t dot = name.find_last_of('.');
  return std::string(dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot));
}

}  // namespace

PrintOutcome PrintPicture(std::string_view path) {
  PrintOutcome outcome;
  if (!CheckInputFile(path, &outcome.error)) return outcome;
  const std::optional<std::vector<std::byte>> page = RenderPicturePage(path, &outcome.error);
  if (!page) return outcome;
  if (!EnsureFolder(kPrintedFolder, &outcome.error)) return outcome;
  const std::optional<std::string> target = FreeFileName(kPrintedFolder, StemOf(path), ".pdf");
  if (!target) {
    outcome.error = "The folder \"" + std::string(kPrintedFolder) + "\" is full.";
    return outcome;
  }
  if (!WriteWholeFile(*target, *page, &outcome.error)) return outcome;
  outcome.printed = true;
  outcome.document = *target;
  return outcome;
}

}  // namespace platform::programs
