#include "platform/clipboard.h"

#include <map>
#include <mutex>

#include "platform/handheld.h"
#include "platform/last_error.h"
#include "platform/threads.h"

namespace platform {

namespace {

class Clipboard : public HandheldService {
 public:
  explicit Clipboard(Handheld&) {}

  static Clipboard& Get() { return Handheld::Current().GetService<Clipboard>(); }

  std::mutex mutex;
  DWORD opened_by = 0;  // thread id, 0 when closed
  HWND opener = nullptr;
  HWND owner = nullptr;  // the window that last emptied it
  std::map<UINT, std::vector<BYTE>> blocks;
};

bool OpenedByCaller(const Clipboard& clipboard) {
  return clipboard.opened_by != 0 && clipboard.opened_by == GetCurrentThreadId();
}

}  // namespace

BOOL OpenClipboard(HWND owner) {
  Clipboard& clipboard = Clipboard::Get();
  const DWORD me = GetCurrentThreadId();
  std::lock_guard lock(clipboard.mutex);
  if (clipboard.opened_by != 0 && clipboard.opened_by != me) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  clipboard.opened_by = me;
  clipboard.opener = owner;
  return TRUE;
}

BOOL CloseClipboard() {
  Clipboard& clipboard = Clipboard::Get();
  std::lock_guard lock(clipboard.mutex);
  if (!OpenedByCaller(clipboard)) return FALSE;
  clipboard.opened_by = 0;
  clipboard.opener = nullptr;
  return TRUE;
}

BOOL EmptyClipboard() {
  Clipboard& clipboard = Clipboard::Get();
  std::lock_guard lock(clipboard.mutex);
  if (!OpenedByCaller(clipboard)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  clipboard.blocks.clear();
  clipboard.owner = clipboard.opener;
  return TRUE;
}

BOOL SetClipboardData(UINT format, std::vector<BYTE> block) {
  Clipboard& clipboard = Clipboard::Get();
  std::lock_guard lock(clipboard.mutex);
  if (!OpenedByCaller(clipboard)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  clipboard.blocks[format] = std::move(block);
  return TRUE;
}

std::optional<std::vector<BYTE>> GetClipboardData(UINT format) {
  Clipboard& clipboard = Clipboard::Get();
  std::lock_guard lock(clipboard.mutex);
  if (!OpenedByCaller(clipboard)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return std::nullopt;
  }
  auto it = clipboard.blocks.find(format);
  if (it == clipboard.blocks.end()) return std::nullopt;
  return it->second;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  Clipboard& clipboard = Clipboard::Get();
  std::lock_guard lock(clipboard.mutex);
  return clipboard.blocks.contains(format) ? TRUE : FALSE;
}

HWND GetClipboardOwner() {
  Clipboard& clipboard = Clipboard::Get();
  std::lock_guard lock(clipboard.mutex);
  return clipboard.owner;
}

}  // namespace platform
