// The mail programs' entry: read -attach "PATH", read the file, compose the
// message and leave it whole in the outbox, or say why not.
#include <cstdio>
#include <optional>

#include "mail_message.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/programs.h"
#include "platform/time.h"
#include "programs/built_in.h"
#include "programs/command_line.h"
#include "programs/input_file.h"
#include "programs/mail.h"
#include "programs/whole_file.h"

namespace platform::programs {

namespace {

constexpr char kCaption[] = "Messaging";
constexpr int kExitSent = 0;
constexpr int kExitFailed = 1;

int Fail(const std::string& text) {
  MessageBox(nullptr, text, kCaption, MB_OK | MB_ICONERROR);
  return kExitFailed;
}

// The stem of the next message's file: "Message 0001", "Message 0002", ...
// counting what the outbox holds, so messages sort in the order sent.
std::optional<std::string> NextMessagePath() {
  for (int number = 1; number <= 9999; ++number) {
    char name[32];
    std::snprintf(name, sizeof name, "\\Message %04d.eml", number);
    const std::string path = std::string(kOutboxFolder) + name;
    if (GetFileAttributes(path) == INVALID_FILE_ATTRIBUTES) return path;
  }
  return std::nullopt;
}

int MailMain(const std::string& command_line, std::string_view mailer) {
  std::string error;
  const std::optional<std::string> path = SwitchArgument(command_line, "-attach", &error);
  if (!path) return Fail("The message was not made. " + error);
  const std::optional<std::vector<std::byte>> contents = ReadInputFile(*path, &error);
  if (!contents) return Fail("The message was not made. " + error);

  SYSTEMTIME now;
  GetSystemTime(&now);
  const std::vector<std::byte> message =
      ComposeMessage({std::string(FileNameOf(*path)), *contents}, now, mailer);
  if (!EnsureFolder(kOutboxFolder, &error)) return Fail("The message was not made. " + error);
  const std::optional<std::string> target = NextMessagePath();
  if (!target) return Fail("The message was not made. The outbox is full.");
  if (!WriteWholeFile(*target, message, &error)) {
    return Fail("The message was not made. " + error);
  }
  return kExitSent;
}

bool InstallProgram(Handheld& handheld, std::string_view path, std::string_view mailer) {
  return InstallBuiltInProgram(handheld, path,
                               [name = std::string(mailer)](HINSTANCE, const std::string& line) {
                                 return MailMain(line, name);
                               });
}

}  // namespace

bool InstallMailPrograms(Handheld& handheld, bool tmail, bool pmail) {
  bool installed = true;
  if (tmail) installed = InstallProgram(handheld, kTmailPath, "tmail") && installed;
  if (pmail) installed = InstallProgram(handheld, kPmailPath, "pmail") && installed;
  return installed;
}

}  // namespace platform::programs
