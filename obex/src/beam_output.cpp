#include "beam_output.h"

#include <cstdarg>
#include <cstdio>

#include "beam_resources.h"

namespace obex {

namespace {
// The log's line buffer.
constexpr std::size_t kLogLineSize = 2000;
}  // namespace

void BeamOutput::StatusString(platform::UINT id) { Status(BeamString(resources_, id)); }

void BeamOutput::StatusString(platform::UINT id, std::string_view argument) {
  Status(FormatBeamString(resources_, id, argument));
}

void BeamOutput::StatusString(platform::UINT id, int argument) {
  Status(FormatBeamString(resources_, id, argument));
}

void BeamOutput::LogFormat(const char* format, ...) {
  char line[kLogLineSize];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(line, sizeof line, format, arguments);
  va_end(arguments);
  Log(line);
}

}  // namespace obex
