// Printing one picture to the spool folder: the whole job both engines
// run, with its outcome.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::programs {

struct PrintOutcome {
  bool printed = false;
  std::string document;  // the PDF's handheld path when printed
  std::string error;     // why not, otherwise
};

// Checks the file, renders its page and writes it whole as
// "\My Documents\Printed\<picture name>.pdf" (" (2)", ... when taken).
PrintOutcome PrintPicture(std::string_view path);

}  // namespace platform::programs
