// Steps about the handheld's volumes: put-file copies a host file onto the
// handheld, expect-no-file, disk-size sets a volume's free space and
// storage-card puts the storage card in or takes it out.
//
// The paths come from a script a person wrote: a missing host file or a
// handheld path that is malformed, too long or outside the volumes stops the
// script with a clear message, and a copy that fails leaves nothing behind.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "byte_size.h"
#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/paths.h"
#include "script_steps.h"

namespace handheld {

namespace {

// Copies go through the handheld's file calls in pieces of this size, so
// that a full volume stops them as it stops a program.
constexpr platform::DWORD kCopyPiece = 64 * 1024;

std::string ErrorText(platform::DWORD error) {
  switch (error) {
    case platform::ERROR_FILENAME_EXCED_RANGE:
      return "the path is longer than " + std::to_string(platform::MAX_PATH - 1) + " characters";
    case platform::ERROR_PATH_NOT_FOUND:
      return "a folder on the way is missing";
    case platform::ERROR_DISK_FULL:
      return "the volume is full";
    case platform::ERROR_ACCESS_DENIED:
      return "access is denied";
    case platform::ERROR_INVALID_NAME:
    case platform::ERROR_BAD_PATHNAME:
      return "not a valid handheld path (it must start with \\)";
    default:
      return "error " + std::to_string(error);
  }
}

// A handheld path must be whole and absolute; this is known before the
// script runs.
std::optional<std::string> CheckHandheldPath(const std::string& path) {
  platform::DWORD error = platform::ERROR_SUCCESS;
  const auto parsed = platform::HandheldPath::Parse(path, &error);
  if (!parsed) return "'" + path + "': " + ErrorText(error);
  if (parsed->IsRoot()) return "'" + path + "' is the root folder, not a file";
  return std::nullopt;
}

// Removes what a failed put-file made, newest first.
class Undo {
 public:
  ~Undo() {
    if (!armed_) return;
    if (!file_.empty()) platform::DeleteFile(file_);
    for (auto it = folders_.rbegin(); it != folders_.rend(); ++it) {
      platform::RemoveDirectory(*it);
    }
  }
  void Folder(std::string path) { folders_.push_back(std::move(path)); }
  void File(std::string path) { file_ = std::move(path); }
  void Keep() { armed_ = false; }

 private:
  std::vector<std::string> folders_;
  std::string file_;
  bool armed_ = true;
};

bool PutFile(StepContext& context) {
  const std::string& host = context.step.arguments[0];
  const std::string& target = context.step.arguments[1];
  std::ifstream in(host, std::ios::binary);
  std::error_code ignored;
  if (!in || std::filesystem::is_directory(host, ignored)) {
    return Fail(context, "cannot read the host file '" + host + "'");
  }
  const std::vector<char> contents{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
  platform::DWORD error = platform::ERROR_SUCCESS;
  const auto parsed = platform::HandheldPath::Parse(target, &error);
  if (!parsed) return Fail(context, "'" + target + "': " + ErrorText(error));
  const auto& names = parsed->components();
  if (platform::EqualsIgnoreCase(names[0], platform::kStorageCardPath.substr(1)) &&
      !context.emulator.handheld().files().StorageCardInserted()) {
    return Fail(context, "'" + target + "': there is no storage card in the handheld");
  }

  Undo undo;
  platform::HandheldPath folder;
  for (std::size_t i = 0; i + 1 < names.size(); ++i) {
    folder = folder.Child(names[i]);
    const std::string path = folder.ToString();
    const platform::DWORD attributes = platform::GetFileAttributes(path);
    if (attributes == platform::INVALID_FILE_ATTRIBUTES) {
      if (!platform::CreateDirectory(path)) {
        return Fail(context, "cannot make the folder '" + path +
                                 "': " + ErrorText(platform::GetLastError()));
      }
      undo.Folder(path);
    } else if (!(attributes & platform::FILE_ATTRIBUTE_DIRECTORY)) {
      return Fail(context, "'" + path + "' is a file, not a folder");
    }
  }
  // Written under a passing name and renamed once whole, so that no program
  // sees a half-copied file under the real name.
  const std::string partial = target + ".put~";
  if (partial.size() >= platform::MAX_PATH) {
    return Fail(context, "'" + target + "': " + ErrorText(platform::ERROR_FILENAME_EXCED_RANGE));
  }
  platform::FileHandle file =
      platform::CreateFile(partial, platform::GENERIC_WRITE, 0, platform::CREATE_ALWAYS);
  if (!file) {
    return Fail(context, "cannot write '" + target + "': " + ErrorText(platform::GetLastError()));
  }
  undo.File(partial);
  for (std::size_t at = 0; at < contents.size(); at += kCopyPiece) {
    const auto size =
        static_cast<platform::DWORD>(std::min<std::size_t>(kCopyPiece, contents.size() - at));
    platform::DWORD written = 0;
    if (!platform::WriteFile(file, contents.data() + at, size, &written) || written != size) {
      const platform::DWORD why = platform::GetLastError();
      platform::CloseFile(file);
      return Fail(context, "cannot write '" + target + "': " + ErrorText(why));
    }
  }
  platform::CloseFile(file);
  if (platform::GetFileAttributes(target) != platform::INVALID_FILE_ATTRIBUTES &&
      !platform::DeleteFile(target)) {
    return Fail(context, "cannot replace '" + target + "': " + ErrorText(platform::GetLastError()));
  }
  if (!platform::MoveFile(partial, target)) {
    return Fail(context, "cannot write '" + target + "': " + ErrorText(platform::GetLastError()));
  }
  undo.Keep();
  context.out << "put " << host << " at " << target << " (" << contents.size() << " bytes)\n";
  return true;
}

bool ExpectNoFile(StepContext& context) {
  const std::string& path = context.step.arguments[0];
  if (platform::GetFileAttributes(path) != platform::INVALID_FILE_ATTRIBUTES) {
    return Fail(context, path + " exists");
  }
  context.out << "no " << path << "\n";
  return true;
}

bool DiskSize(StepContext& context) {
  const std::string& path = context.step.arguments[0];
  const std::uint64_t free_bytes = *ParseByteSize(context.step.arguments[1]);
  platform::FileSystem& files = context.emulator.handheld().files();
  if (platform::GetFileAttributes(path) == platform::INVALID_FILE_ATTRIBUTES) {
    return Fail(context, path + " does not exist");
  }
  const std::optional<std::uint64_t> used = files.VolumeUsedBytes(path);
  if (!used || !files.SetVolumeSize(path, *used + free_bytes)) {
    return Fail(context, "cannot size the volume of " + path);
  }
  context.out << "the volume of " << path << " has " << free_bytes << " bytes free\n";
  return true;
}

bool StorageCard(StepContext& context) {
  platform::FileSystem& files = context.emulator.handheld().files();
  if (context.step.arguments[0] == "remove") {
    if (!files.RemoveStorageCard()) return Fail(context, "there is no storage card to remove");
    context.out << "storage card removed\n";
    return true;
  }
  std::uint64_t size = context.emulator.card_size_bytes();
  if (context.step.arguments.size() > 1) size = *ParseByteSize(context.step.arguments[1]);
  if (!files.InsertStorageCard(size)) return Fail(context, "a storage card is already in");
  context.out << "storage card inserted (" << size << " bytes)\n";
  return true;
}

std::optional<std::string> CheckSize(const std::string& text) {
  if (!ParseByteSize(text)) return "not a size: '" + text + "' (bytes, or with K, M or G)";
  return std::nullopt;
}

}  // namespace

void AddFileSteps(StepTable* table) {
  table->insert({
      {"put-file",
       {2, 2, [](const auto& a) { return CheckHandheldPath(a[1]); }, PutFile,
        "put-file HOST HANDHELD", "copies a host file onto the handheld, making its folders"}},
      {"expect-no-file",
       {1, 1, [](const auto& a) { return CheckHandheldPath(a[0]); }, ExpectNoFile,
        "expect-no-file PATH", "a handheld file must not exist"}},
      {"disk-size",
       {2, 2,
        [](const auto& a) {
          if (auto problem = CheckHandheldPath(a[0]); problem && a[0] != "\\") return problem;
          return CheckSize(a[1]);
        },
        DiskSize, "disk-size PATH BYTES", "leaves BYTES free on the volume holding PATH"}},
      {"storage-card",
       {1, 2,
        [](const auto& a) -> std::optional<std::string> {
          if (a[0] != "insert" && a[0] != "remove") return "say insert or remove";
          if (a.size() > 1 && a[0] == "remove") return "remove takes no size";
          if (a.size() > 1) return CheckSize(a[1]);
          return std::nullopt;
        },
        StorageCard, "storage-card insert|remove [SIZE]",
        "the storage card in (of SIZE, --card-size by default) or out"}},
  });
}

}  // namespace handheld
