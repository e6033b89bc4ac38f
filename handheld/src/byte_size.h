// Sizes as a person writes them in scripts and options: "4096", "200K",
// "32M", "1G" (K, M and G are powers of 1024).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace handheld {

std::optional<std::uint64_t> ParseByteSize(std::string_view text);

}  // namespace handheld
