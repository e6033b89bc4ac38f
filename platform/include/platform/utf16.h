// UTF-16, the text of the records and headers that other devices and
// drivers read (file names in control-code records, OBEX headers).
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Bytes that are not UTF-8 become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

}  // namespace platform
