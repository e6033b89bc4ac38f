// E-mail: the platform's mail program, started with the file attached.
#include <string>

#include "platform/files.h"
#include "platform/programs.h"
#include "sending.h"

namespace gallery::sending {

namespace {
constexpr char kTmail[] = "\\windows\\tmail.exe";
constexpr char kPmail[] = "\\windows\\pmail.exe";
}  // namespace

void SendByMail(const std::string& path) {
  const char* program =
      platform::GetFileAttributes(kTmail) != platform::INVALID_FILE_ATTRIBUTES ? kTmail : kPmail;
  // The mail program's result and any failure to start are its own.
  platform::CreateProcess(program, "-attach \"" + path + "\"");
}

}  // namespace gallery::sending
