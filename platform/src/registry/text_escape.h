// The pieces of a registry file line: quoted texts with escapes and runs of
// hex bytes.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace platform::registry_internal {

// "text" with \\, \" and \n, \r, \t escaped, and every other control byte,
// DEL and byte that is not part of valid UTF-8 as \xHH, so that any bytes
// survive and the file stays one line per value and valid UTF-8.
void AppendQuoted(std::string& out, std::string_view text);
// Reads a quoted text at the start of `text` and moves past it; nothing when
// it is malformed or unterminated.
std::optional<std::string> ReadQuoted(std::string_view& text);

// "01,02,ff".
void AppendHexBytes(std::string& out, std::span<const BYTE> data);
// Reads the whole of `text` as comma-separated bytes of one or two hex
// digits, spaces allowed around them.
std::optional<std::vector<BYTE>> ReadHexBytes(std::string_view text);

// Reads 1 to 8 hex digits as the whole of `text`.
std::optional<DWORD> ReadHexNumber(std::string_view text);

std::string_view TrimSpaces(std::string_view text);

}  // namespace platform::registry_internal
