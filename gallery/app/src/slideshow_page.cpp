// Slideshow: how slides advance and how often, looping, captions, voice
// notes, rotation and transitions.
#include "gallery/resources/dialog_ids.h"
#include "gallery/resources/string_ids.h"
#include "gallery_state.h"
#include "help.h"
#include "option_pages.h"
#include "platform/controls.h"
#include "resource_texts.h"

namespace gallery {

using namespace platform;

namespace {

constexpr UINT kAdvanceModes = 4;

void Enable(HWND page, UINT id, bool enabled) {
  EnableWindow(GetDlgItem(page, static_cast<int>(id)), enabled ? TRUE : FALSE);
}

// Rotation directions need rotation; the effect needs transitions.
void FollowSwitches(HWND page) {
  const bool rotate = pages::Checked(page, kCheckRotateToFit) != 0;
  Enable(page, kRadioRotateLeft, rotate);
  Enable(page, kRadioRotateRight, rotate);
  Enable(page, kComboTransition, pages::Checked(page, kCheckTransitions) != 0);
}

void Load(HWND page) {
  const SlideshowOptions& show = Gallery().options.slideshow;
  CheckRadioButton(page, kRadioAdvanceManual, kRadioAdvanceRandom,
                   static_cast<int>(kRadioAdvanceManual + show.advance_mode));
  SetDlgItemInt(page, kEditInterval, show.interval_seconds, FALSE);
  pages::SetCheck(page, kCheckLoop, show.loop);
  pages::SetCheck(page, kCheckShowFileName, show.show_file_name);
  pages::SetCheck(page, kCheckShowFileInfo, show.show_file_info);
  pages::SetCheck(page, kCheckPlayVoiceNotes, show.play_voice_notes);
  pages::SetCheck(page, kCheckRotateToFit, show.rotate_to_fit);
  CheckRadioButton(page, kRadioRotateLeft, kRadioRotateRight,
                   static_cast<int>(kRadioRotateLeft + show.rotate_direction));
  pages::SetCheck(page, kCheckTransitions, show.transitions_on);
  std::vector<std::string> effects;
  for (UINT effect = 0; effect <= kRandomTransition; ++effect) {
    effects.push_back(ResourceText(kStringFirstTransition + effect));
  }
  pages::FillCombo(page, kComboTransition, effects, static_cast<int>(show.transition));
  FollowSwitches(page);
}

void Store(HWND page) {
  SlideshowOptions* show = &Gallery().options.slideshow;
  for (UINT mode = 0; mode < kAdvanceModes; ++mode) {
    if (pages::Checked(page, kRadioAdvanceManual + mode)) {
      show->advance_mode = mode;
      break;
    }
  }
  BOOL parsed = FALSE;
  const UINT interval = GetDlgItemInt(page, kEditInterval, &parsed, FALSE);
  show->interval_seconds = parsed && interval <= kLongestInterval
                               ? static_cast<std::uint16_t>(interval)
                               : kLongestInterval;
  show->loop = pages::Checked(page, kCheckLoop);
  show->show_file_name = pages::Checked(page, kCheckShowFileName);
  show->show_file_info = pages::Checked(page, kCheckShowFileInfo);
  show->play_voice_notes = pages::Checked(page, kCheckPlayVoiceNotes);
  show->rotate_to_fit = pages::Checked(page, kCheckRotateToFit);
  show->rotate_direction = pages::Checked(page, kRadioRotateRight);
  show->transitions_on = pages::Checked(page, kCheckTransitions);
  const int transition = pages::ComboSelection(page, kComboTransition);
  if (transition >= 0) show->transition = static_cast<std::uint32_t>(transition);
}

bool Command(HWND page, WORD id, WORD code) {
  if (code != BN_CLICKED || (id != kCheckRotateToFit && id != kCheckTransitions)) return false;
  FollowSwitches(page);
  return true;
}

constexpr pages::PageBehaviour kSlideshowPage{Load, Command, Store, kHelpSlideshow};

}  // namespace

INT_PTR SlideshowPageProcedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
  return pages::RunPage(kSlideshowPage, page, message, wparam, lparam);
}

}  // namespace gallery
