// The registry file: the text form of the whole registry (the format is
// described in platform/registry.h).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "registry/key_tree.h"

namespace platform::registry_internal {

std::string FormatRegistry(const Roots& roots);

// Adds the keys and values of a registry file to `roots`, the later of two
// equal names winning. Returns how many lines could not be read; those are
// skipped, and so are the values of a section whose name cannot be read.
std::size_t ParseRegistry(std::string_view text, const Roots& roots);

}  // namespace platform::registry_internal
