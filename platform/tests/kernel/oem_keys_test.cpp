// The punctuation keys type their characters, shifted or not.
#include <gtest/gtest.h>

#include <string>

#include "platform/input.h"
#include "platform/messages.h"
#include "platform/punctuation_keys.h"
#include "platform/testing/temp_handheld.h"
#include "platform/window.h"

namespace platform {
namespace {

class OemKeysTest : public ::testing::Test {
 protected:
  OemKeysTest() {
    WNDCLASS typing;
    typing.lpszClassName = "Typing";
    typing.lpfnWndProc = [this](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
      if (message == WM_CHAR) typed_ += static_cast<char>(wparam);
      return DefWindowProc(hwnd, message, wparam, lparam);
    };
    RegisterClass(&typing);
    window_ =
        CreateWindow("Typing", "", WS_VISIBLE, 0, 26, 240, 268, nullptr, nullptr, nullptr, nullptr);
  }
  // A key-down through TranslateMessage, then the queue emptied.
  void Type(UINT key) {
    MSG down;
    down.hwnd = window_;
    down.message = WM_KEYDOWN;
    down.wParam = key;
    down.lParam = 1;
    TranslateMessage(&down);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  }

  testing::TempHandheld device_;
  HWND window_ = nullptr;
  std::string typed_;
};

TEST_F(OemKeysTest, PlusMinusCommaAndPeriodTypeTheirCharacters) {
  for (UINT key : {VK_OEM_PLUS, VK_OEM_MINUS, VK_OEM_COMMA, VK_OEM_PERIOD}) Type(key);
  EXPECT_EQ(typed_, "=-,.");
  input::KeyDown(VK_SHIFT);
  for (UINT key : {VK_OEM_PLUS, VK_OEM_MINUS, VK_OEM_COMMA, VK_OEM_PERIOD}) Type(key);
  input::KeyUp(VK_SHIFT);
  EXPECT_EQ(typed_, "=-,.+_<>");
}

}  // namespace
}  // namespace platform
