// The options sheet's four pages. Each fills its controls from the
// gallery's options when it is made and stores them only when the sheet is
// applied; each opens help on its own topic.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace gallery {

platform::INT_PTR GeneralPageProcedure(platform::HWND page, platform::UINT message,
                                       platform::WPARAM wparam, platform::LPARAM lparam);
platform::INT_PTR FilePageProcedure(platform::HWND page, platform::UINT message,
                                    platform::WPARAM wparam, platform::LPARAM lparam);
platform::INT_PTR SlideshowPageProcedure(platform::HWND page, platform::UINT message,
                                         platform::WPARAM wparam, platform::LPARAM lparam);
platform::INT_PTR AudioPageProcedure(platform::HWND page, platform::UINT message,
                                     platform::WPARAM wparam, platform::LPARAM lparam);

// What the pages share.
namespace pages {

// One page's behaviour: fill its controls, answer its controls' commands
// (true when handled; may be null), store on apply, and its help topic.
struct PageBehaviour {
  void (*load)(platform::HWND page);
  bool (*command)(platform::HWND page, platform::WORD id, platform::WORD code);
  void (*store)(platform::HWND page);
  const char* help_topic;
};

// The procedure every page runs with its behaviour.
platform::INT_PTR RunPage(const PageBehaviour& behaviour, platform::HWND page,
                          platform::UINT message, platform::WPARAM wparam, platform::LPARAM lparam);

void SetCheck(platform::HWND page, platform::UINT id, std::uint32_t on);
std::uint32_t Checked(platform::HWND page, platform::UINT id);
void FillCombo(platform::HWND page, platform::UINT id, const std::vector<std::string>& items,
               int selection);
int ComboSelection(platform::HWND page, platform::UINT id);

}  // namespace pages

}  // namespace gallery
