// Shell change notifications for windows: the file layer's events, posted
// as records the receiving window frees.
#include "platform/shell_notify.h"

#include <cctype>
#include <map>
#include <memory>
#include <mutex>

#include "platform/files.h"
#include "platform/handheld.h"
#include "platform/last_error.h"

namespace platform {

namespace {

std::string Folded(std::string_view path) {
  std::string folded(path);
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  while (folded.size() > 1 && folded.back() == '\\') folded.pop_back();
  return folded;
}

// Whether `path` lies in the watched folder (in a subfolder only when
// recursive).
bool Watched(const SHCHANGENOTIFYENTRY& entry, std::string_view path) {
  if (entry.pszWatchDir.empty()) return true;
  const std::string folder = Folded(entry.pszWatchDir);
  const std::string item = Folded(path);
  const std::string prefix = folder == "\\" ? folder : folder + "\\";
  if (item.size() <= prefix.size() || item.compare(0, prefix.size(), prefix) != 0) {
    return item == folder;
  }
  return entry.fRecursive || item.find('\\', prefix.size()) == std::string::npos;
}

class ShellNotifications : public HandheldService {
 public:
  explicit ShellNotifications(Handheld& handheld) : handheld_(handheld) {}
  static ShellNotifications& Get() { return Handheld::Current().GetService<ShellNotifications>(); }

  void Register(HWND hwnd, const SHCHANGENOTIFYENTRY& entry) {
    ChangeNotifier::Registration registration = handheld_.change_notifier().Register(
        [this, hwnd, entry](const ChangeEvent& event) { Deliver(hwnd, entry, event); },
        entry.dwEventMask);
    std::lock_guard lock(mutex_);
    // The registration it replaces is released after the lock: releasing
    // waits for a delivery under way, which takes the lock.
    std::swap(registrations_[hwnd], registration);
  }

  bool Deregister(HWND hwnd) {
    ChangeNotifier::Registration gone;  // reset outside the lock
    std::lock_guard lock(mutex_);
    auto it = registrations_.find(hwnd);
    if (it == registrations_.end()) return false;
    gone = std::move(it->second);
    registrations_.erase(it);
    return true;
  }

  bool Free(FILECHANGENOTIFY* notify) {
    std::lock_guard lock(mutex_);
    return outstanding_.erase(notify) > 0;
  }

  void Shutdown() override {
    std::map<HWND, ChangeNotifier::Registration> registrations;
    {
      std::lock_guard lock(mutex_);
      registrations.swap(registrations_);
    }
    registrations.clear();
    std::lock_guard lock(mutex_);
    outstanding_.clear();
  }

 private:
  void Deliver(HWND hwnd, const SHCHANGENOTIFYENTRY& entry, const ChangeEvent& event) {
    if (!Watched(entry, event.path) &&
        (event.old_path.empty() || !Watched(entry, event.old_path))) {
      return;
    }
    auto record = std::make_unique<FILECHANGENOTIFY>();
    FILECHANGEINFO& info = record->fci;
    info.wEventId = event.kind;
    info.dwItem1 = event.old_path.empty() ? event.path : event.old_path;
    info.dwItem2 = event.old_path.empty() ? std::string() : event.path;
    WIN32_FIND_DATA found;
    FindHandle find = FindFirstFile(event.path, &found);
    if (find) {
      info.dwAttributes = found.dwFileAttributes;
      info.ftModified = found.ftLastWriteTime;
      info.nFileSize = found.nFileSizeLow;
      FindClose(find);
    }
    FILECHANGENOTIFY* raw = record.get();
    {
      std::lock_guard lock(mutex_);
      outstanding_.emplace(raw, std::move(record));
    }
    if (!PostMessage(hwnd, WM_FILECHANGEINFO, 0, reinterpret_cast<LPARAM>(raw))) Free(raw);
  }

  Handheld& handheld_;
  std::mutex mutex_;
  std::map<HWND, ChangeNotifier::Registration> registrations_;
  std::map<FILECHANGENOTIFY*, std::unique_ptr<FILECHANGENOTIFY>> outstanding_;
};

}  // namespace

BOOL SHChangeNotifyRegister(HWND hwnd, const SHCHANGENOTIFYENTRY* entry) {
  if (!entry || !IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  ShellNotifications::Get().Register(hwnd, *entry);
  return TRUE;
}

BOOL SHChangeNotifyDeregister(HWND hwnd) { return ShellNotifications::Get().Deregister(hwnd); }

BOOL SHChangeNotifyFree(FILECHANGENOTIFY* notify) {
  return notify && ShellNotifications::Get().Free(notify);
}

}  // namespace platform
