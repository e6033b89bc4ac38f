// The parameters of a Send entry: its "Param" text, written by whoever set
// up the registry, with each "%s" standing for the file's path.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace gallery::sending {

// The longest parameters handed to a program; the handheld's programs
// take no more on their command lines.
inline constexpr std::size_t kMaxSendParameters = 1024;

// `format` with every "%s" replaced by `path` and every other "%" kept as
// it stands: the text is never used as a printf format. Nothing when the
// result would be longer than kMaxSendParameters: cutting it short could
// make a different command.
std::optional<std::string> FormatSendParameters(std::string_view format, std::string_view path);

}  // namespace gallery::sending
