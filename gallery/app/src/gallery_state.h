// The state of the running gallery: one per process, made fresh at each
// start and only touched on the user-interface thread. What it holds after
// the program ends stays readable until the next start, for tests.
#pragma once

#include <string>
#include <vector>

#include "command_routes.h"
#include "gallery/options/gallery_options.h"
#include "platform/gdi_types.h"
#include "platform/modules.h"
#include "platform/window.h"

namespace gallery {

struct GalleryState {
  platform::HINSTANCE instance = nullptr;  // orsagal.exe, for its own bitmaps
  platform::HMODULE resources = nullptr;   // orsagalres.dll
  std::string title;                       // string 100
  platform::HWND top = nullptr;
  platform::HWND browser = nullptr;
  platform::HWND menu_bar = nullptr;
  GalleryOptions options;
  AudioOptions recorder_audio;  // the voice-note recorder's working copy
  std::string folder;           // the folder of the file list
  std::string current;          // the current file
  platform::HMODULE print_engine = nullptr;
  platform::HBRUSH label_brush = nullptr;
  platform::HFONT date_font = nullptr;
  int about_taps = 0;  // taps on the About box's version, over the program's life
  // Commands handed to the parts, oldest first.
  std::vector<RoutedCommand> routed;
  int folder_listings = 0;  // times the shown folder was listed
};

GalleryState& Gallery();
// Starts a fresh state for a new run.
void ResetGallery();

// Notes that a command or key was handed to `part`.
void RecordRoute(GalleryPart part, platform::UINT command, bool key = false);

}  // namespace gallery
