#include "resource_texts.h"

#include "gallery_state.h"
#include "platform/message_box.h"
#include "platform/resources.h"

namespace gallery {

std::string ResourceText(platform::UINT id) {
  std::string text;
  platform::LoadString(Gallery().resources, id, &text);
  return text;
}

int ResourceMessage(platform::HWND owner, platform::UINT caption, platform::UINT text,
                    platform::UINT type) {
  return platform::MessageBox(owner, ResourceText(text), ResourceText(caption), type);
}

}  // namespace gallery
