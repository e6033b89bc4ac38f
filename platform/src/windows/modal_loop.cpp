#include "platform/modal_loop.h"

#include "platform/threads.h"

namespace platform {

namespace {

// Puts the loop's hook in place and the outer one back, however the loop
// ends.
class ScopedHook {
 public:
  explicit ScopedHook(PreTranslateHook hook)
      : outer_(ExchangeThreadPreTranslateHook(std::move(hook))) {}
  ~ScopedHook() { ExchangeThreadPreTranslateHook(std::move(outer_)); }
  ScopedHook(const ScopedHook&) = delete;
  ScopedHook& operator=(const ScopedHook&) = delete;

 private:
  PreTranslateHook outer_;
};

}  // namespace

BOOL RunModalLoop(const std::function<bool()>& ended, PreTranslateHook hook) {
  if (hook) {
    // A hook that ends the loop by taking a message must not leave the loop
    // waiting for another one.
    hook = [hook = std::move(hook), &ended](MSG& msg) {
      const bool taken = hook(msg);
      if (taken && ended()) PostThreadMessage(GetCurrentThreadId(), WM_NULL, 0, 0);
      return taken;
    };
  }
  ScopedHook scoped(std::move(hook));
  MSG msg;
  while (!ended()) {
    const BOOL got = GetMessage(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return FALSE;
    }
    if (got < 0) return FALSE;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  return TRUE;
}

}  // namespace platform
