// Where the worker's status texts and log lines go: the session's observer,
// with the texts of the resource module.
#pragma once

#include <string>
#include <string_view>

#include "obex/beam_session.h"
#include "platform/modules.h"

namespace obex {

class BeamOutput {
 public:
  BeamOutput(BeamObserver& observer, platform::HINSTANCE resources)
      : observer_(observer), resources_(resources) {}

  void Status(const std::string& text) { observer_.OnStatus(text); }
  void StatusString(platform::UINT id);
  void StatusString(platform::UINT id, std::string_view argument);
  void StatusString(platform::UINT id, int argument);

  void Log(const std::string& line) { observer_.OnLog(line); }
  void LogFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));

 private:
  BeamObserver& observer_;
  platform::HINSTANCE resources_;
};

}  // namespace obex
