// The file system object: its volumes on the host, installer access to the
// ROM folder, and the controls the emulator and tests use.
#include "files/file_system_core.h"
#include "files/handle_access.h"
#include "platform/files.h"

namespace platform {

using files_internal::FileSystemCore;
using files_internal::Resolved;

namespace {

thread_local int installer_access_depth = 0;

}  // namespace

InstallerAccess::InstallerAccess() { ++installer_access_depth; }
InstallerAccess::~InstallerAccess() { --installer_access_depth; }
bool InstallerAccess::Active() { return installer_access_depth > 0; }

FileSystem::FileSystem(const HandheldConfig& config, ChangeNotifier& notifier)
    : core_(std::make_shared<FileSystemCore>(config, notifier)) {
  // The ROM folder is part of every handheld.
  const std::filesystem::path& root = core_->store.host_root();
  if (!files_internal::FindHostName(root, "Windows")) {
    std::error_code error;
    std::filesystem::create_directory(root / "Windows", error);
  }
}

FileSystem::~FileSystem() { Flush(); }

void FileSystem::SetClock(std::function<FILETIME()> clock) {
  std::lock_guard lock(core_->mutex);
  core_->clock = std::move(clock);
}

void FileSystem::Flush() {
  std::lock_guard lock(core_->mutex);
  core_->store.metadata().Save();
  if (core_->card_inserted) core_->card.metadata().Save();
}

std::optional<std::filesystem::path> FileSystem::HostPath(std::string_view path) const {
  DWORD error;
  const auto parsed = HandheldPath::Parse(path, &error);
  if (!parsed) return std::nullopt;
  std::lock_guard lock(core_->mutex);
  const Resolved entry = core_->Resolve(*parsed);
  if (entry.state == Resolved::State::kNoParent || entry.reserved) return std::nullopt;
  return entry.host;
}

bool FileSystem::InstallFile(std::string_view path, std::span<const std::byte> contents) {
  DWORD error;
  const auto parsed = HandheldPath::Parse(path, &error);
  if (!parsed || parsed->IsRoot() || contents.size() > 0xFFFFFFFFu) return false;
  InstallerAccess access;
  HandheldPath folder;
  for (std::size_t i = 0; i + 1 < parsed->components().size(); ++i) {
    folder = folder.Child(parsed->components()[i]);
    CreateDirectory(folder.ToString());  // Fails harmlessly when it exists.
  }
  FileHandle file = CreateFile(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
  if (!file) return false;
  DWORD written = 0;
  const auto size = static_cast<DWORD>(contents.size());
  return WriteFile(file, contents.data(), size, &written) && written == size;
}

}  // namespace platform
