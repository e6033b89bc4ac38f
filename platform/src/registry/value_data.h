// The bytes a value holds for each type, as the Reg* calls read them back.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace platform::registry_internal {

// The bytes kept for a value set with `data`: texts are cut at their first
// zero and given exactly one, lists of texts end in exactly one empty text.
// Nothing when the data cannot be a value of that type (a REG_DWORD of other
// than four bytes).
std::optional<std::vector<BYTE>> NormaliseValueData(DWORD type, std::span<const BYTE> data);

std::vector<BYTE> EncodeDword(DWORD value);
DWORD DecodeDword(std::span<const BYTE> data);

std::vector<BYTE> EncodeString(std::string_view text);
// The text up to the first zero.
std::string DecodeString(std::span<const BYTE> data);

// Empty texts are left out: in the stored form an empty text ends the list.
std::vector<BYTE> EncodeMultiString(std::span<const std::string> texts);
std::vector<std::string> DecodeMultiString(std::span<const BYTE> data);

}  // namespace platform::registry_internal
