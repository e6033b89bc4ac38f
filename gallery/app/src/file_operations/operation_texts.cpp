#include "operation_texts.h"

#include <cstdio>

#include "gallery/resources/string_ids.h"
#include "platform/message_box.h"
#include "resource_texts.h"

namespace gallery {

using namespace platform;

std::string CountText(UINT id, int number) {
  const std::string format = ResourceText(id);
  char text[512];
  std::snprintf(text, sizeof text, format.c_str(), number);
  return text;
}

std::string NameText(UINT id, const std::string& name) {
  const std::string format = ResourceText(id);
  const std::size_t place = format.find("%s");
  if (place == std::string::npos) return format;
  return format.substr(0, place) + name + format.substr(place + 2);
}

bool ConfirmBox(HWND owner, const std::string& text, UINT caption) {
  return MessageBox(owner, text, ResourceText(caption), MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

void ErrorBox(HWND owner, const std::string& text) {
  MessageBox(owner, text, ResourceText(kStringErrorCaption), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace gallery
