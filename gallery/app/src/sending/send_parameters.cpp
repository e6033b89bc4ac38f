#include "send_parameters.h"

namespace gallery::sending {

std::optional<std::string> FormatSendParameters(std::string_view format, std::string_view path) {
  std::string parameters;
  for (std::size_t at = 0; at < format.size(); ++at) {
    if (format[at] == '%' && at + 1 < format.size() && format[at + 1] == 's') {
      parameters += path;
      ++at;
    } else {
      parameters += format[at];
    }
    if (parameters.size() > kMaxSendParameters) return std::nullopt;
  }
  return parameters;
}

}  // namespace gallery::sending
