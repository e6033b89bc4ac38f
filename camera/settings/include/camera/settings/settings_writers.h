// The writers of the settings: the settings sheet's pages, the camera's
// counters and the Video mode switch. Each stores its values at once and
// sets the variables, so a change applies at once; the driver gets the new
// options from OptionsRecord() when the sheet closes.
#pragma once

#include <array>
#include <string_view>

#include "platform/types.h"

namespace camera {

struct SettingsPageValues {
  int awb;
  int color;
  int imagequality;
  int resolution;
  int ae_metering;
};

struct SetupPageValues {
  int camera_sound;
  int instant_review;
  int selftime;
  int business_card;
};

// Settings page confirmed. While zoomed, the page's resolution is the
// zoomed still size (2 or 3) and `resolution` stays as stored.
bool StoreSettingsPage(const SettingsPageValues& values, bool zoomed);
// Setup page confirmed.
bool StoreSetupPage(const SetupPageValues& values);
// File page confirmed: prefix, counter and folder; the folder becomes the
// folder in use.
bool StoreFilePage(std::string_view filename_prefix, int jpgno, std::string_view folder);
// Video page confirmed.
bool StoreVideoPage(int aviresolution, int recordwithaudio);
// The folder chooser removed the folder in use: its parent takes over.
bool StoreFolderInUse(std::string_view folder);
// Before a picture is named: when the folder in use is gone (removed
// outside the camera), the nearest folder above it that exists takes over
// and is stored. True when the folder in use changed.
bool FallBackFromMissingFolderInUse();

// After every picture: the next number (10,000 becomes 1).
void AdvancePictureCounter();
// After a reviewed picture was deleted: its number is the next one again,
// also when the counter had wrapped from 9999 to 1 since.
void RewindPictureCounter(int reviewed_number);
// After every clip: the next number (10,000 becomes 1).
void AdvanceClipCounter();

// Video mode chosen: self-timer and business-card framing aid off, stored.
void TurnOffStillOnlySettings();

// The driver's options record: awb, color, imagequality, ae metering, each
// as a 32-bit word.
std::array<platform::DWORD, 4> OptionsRecord();

}  // namespace camera
