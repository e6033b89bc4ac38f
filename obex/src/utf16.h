// UTF-16 for the OBEX headers that carry text.
#pragma once

#include <string>
#include <string_view>

namespace obex {

// Bytes that are not UTF-8 become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

}  // namespace obex
