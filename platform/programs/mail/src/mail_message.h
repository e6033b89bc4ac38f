// One outgoing message with a file attached, in the Internet mail format.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace platform::programs {

struct Attachment {
  std::string file_name;  // UTF-8, without folders
  std::span<const std::byte> contents;
};

// The message's bytes (CRLF line ends): From the handheld's owner, the
// file name as subject, `date` as its date, a short text part and the file
// in base64 with its media type and name. `mailer` names the program in
// the X-Mailer field.
std::vector<std::byte> ComposeMessage(const Attachment& attachment, const SYSTEMTIME& date,
                                      std::string_view mailer);

}  // namespace platform::programs
