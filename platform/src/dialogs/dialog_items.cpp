// Reaching a dialog's controls by id: texts, numbers and check marks.
#include <charconv>
#include <limits>

#include "platform/dialogs.h"

namespace platform {

namespace {

// The button control's check-mark messages.
constexpr UINT kButtonGetCheck = 0x00F0;
constexpr UINT kButtonSetCheck = 0x00F1;

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wparam, LPARAM lparam) {
  HWND control = GetDlgItem(dialog, id);
  return control ? SendMessage(control, message, wparam, lparam) : 0;
}

BOOL SetDlgItemText(HWND dialog, int id, std::string_view text) {
  HWND control = GetDlgItem(dialog, id);
  return control ? SetWindowText(control, text) : FALSE;
}

UINT GetDlgItemText(HWND dialog, int id, char* buffer, int buffer_size) {
  HWND control = GetDlgItem(dialog, id);
  if (!control) {
    if (buffer && buffer_size > 0) buffer[0] = '\0';
    return 0;
  }
  return static_cast<UINT>(GetWindowText(control, buffer, buffer_size));
}

std::string GetDlgItemText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control ? GetWindowText(control) : std::string();
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL is_signed) {
  const std::string text =
      is_signed ? std::to_string(static_cast<std::int32_t>(value)) : std::to_string(value);
  return SetDlgItemText(dialog, id, text);
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL is_signed) {
  if (translated) *translated = FALSE;
  HWND control = GetDlgItem(dialog, id);
  if (!control) return 0;
  const std::string text = GetWindowText(control);
  const std::string_view digits = Trimmed(text);
  if (digits.empty()) return 0;
  const char* end = digits.data() + digits.size();
  if (is_signed) {
    std::int32_t value = 0;
    auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (error != std::errc() || stop != end) return 0;
    if (translated) *translated = TRUE;
    return static_cast<UINT>(value);
  }
  std::string_view unsigned_digits = digits;
  if (unsigned_digits.front() == '+') unsigned_digits.remove_prefix(1);
  if (unsigned_digits.empty() || unsigned_digits.front() == '-') return 0;
  UINT value = 0;
  auto [stop, error] = std::from_chars(unsigned_digits.data(), end, value);
  if (error != std::errc() || stop != end) return 0;
  if (translated) *translated = TRUE;
  return value;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND control = GetDlgItem(dialog, id);
  if (!control) return FALSE;
  SendMessage(control, kButtonSetCheck, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  return static_cast<UINT>(SendDlgItemMessage(dialog, id, kButtonGetCheck, 0, 0));
}

BOOL CheckRadioButton(HWND dialog, int first_id, int last_id, int check_id) {
  if (first_id > last_id) return FALSE;
  for (int id = first_id; id <= last_id; ++id) {
    HWND control = GetDlgItem(dialog, id);
    if (control) SendMessage(control, kButtonSetCheck, id == check_id ? BST_CHECKED : 0, 0);
  }
  return TRUE;
}

}  // namespace platform
