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

// WM_NOTIFY's code.
platform::UINT NotifyCode(platform::LPARAM lparam);
// Answers a notification with PSNRET_NOERROR.
platform::INT_PTR Accept(platform::HWND page);
void SetCheck(platform::HWND page, platform::UINT id, std::uint32_t on);
std::uint32_t Checked(platform::HWND page, platform::UINT id);
void FillCombo(platform::HWND page, platform::UINT id, const std::vector<std::string>& items,
               int selection);
int ComboSelection(platform::HWND page, platform::UINT id);

}  // namespace pages

}  // namespace gallery
