// A handheld with window classes whose procedures record what they get.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "platform/testing/temp_handheld.h"
#include "platform/window.h"

namespace platform::testing {

struct Received {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wparam = 0;
  LPARAM lparam = 0;
};

class WindowTest : public ::testing::Test {
 protected:
  // Registers a class whose windows record every message, let `handler`
  // answer (when it returns a value) and pass the rest to DefWindowProc.
  using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;
  void RegisterRecordingClass(const std::string& name, Handler handler = nullptr,
                              HBRUSH background = nullptr) {
    WNDCLASS window_class;
    window_class.lpszClassName = name;
    window_class.hbrBackground = background;
    window_class.lpfnWndProc = [this, handler](HWND hwnd, UINT message, WPARAM w,
                                               LPARAM l) -> LRESULT {
      received_.push_back({hwnd, message, w, l});
      if (handler) {
        if (auto result = handler(hwnd, message, w, l)) return *result;
      }
      return DefWindowProc(hwnd, message, w, l);
    };
    ASSERT_NE(RegisterClass(&window_class), 0);
  }

  // Handles everything queued for the calling thread.
  static void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }

  // The messages of one kind (or all) a window received, in order.
  std::vector<Received> ReceivedBy(HWND hwnd, std::optional<UINT> message = std::nullopt) const {
    std::vector<Received> result;
    for (const Received& r : received_) {
      if (r.hwnd == hwnd && (!message || r.message == *message)) result.push_back(r);
    }
    return result;
  }
  std::vector<UINT> MessagesOf(HWND hwnd) const {
    std::vector<UINT> result;
    for (const Received& r : received_) {
      if (r.hwnd == hwnd) result.push_back(r.message);
    }
    return result;
  }

  TempHandheld device_;
  std::vector<Received> received_;
};

}  // namespace platform::testing
