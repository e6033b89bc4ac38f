// The log's dump of a packet that was not the expected answer.
#pragma once

#include <span>
#include <string>

#include "platform/types.h"

namespace obex {

// "Size:%d Data: " and "%02X " for each byte. The bytes are left out when
// they would not fit the log line's 2,000-character buffer (3 x size over
// 1,998).
std::string HexDumpLine(std::span<const platform::BYTE> packet);

}  // namespace obex
