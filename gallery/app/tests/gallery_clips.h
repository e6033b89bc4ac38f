// Clips for the gallery's tests: recorded through the camera's own writer
// with camera frames, played by the clip plug-in's player, which the test
// thread finds on the screen and closes as a person would.
#pragma once

#include <string>

#include "camera_frames.h"
#include "clip/install.h"
#include "platform/dialogs.h"
#include "platform/time.h"
#include "platform/window.h"
#include "player_window.h"
#include "recording_testing/recorded_clip.h"

namespace gallery::testing {

// A 320 x 240 clip of `frames` camera frames (scene seeds 0, 1, ...).
inline void RecordTestClip(const std::string& path, int frames = 3) {
  recording::testing::ClipPlan plan;
  plan.width = 320;
  plan.height = 240;
  for (int i = 0; i < frames; ++i)
    plan.items.push_back({recording::kQueueVideo, clip::testing::CameraFrame(320, 240, i)});
  recording::testing::RecordClip(path, plan);
}

inline platform::HWND ClipPlayer() {
  return platform::FindWindow(platform::WC_DIALOG, clip::kPlayerCaption);
}

// Waits up to a second (virtual) for the player to open.
inline platform::HWND AwaitClipPlayer() {
  for (int i = 0; i < 100 && !ClipPlayer(); ++i) platform::Sleep(10);
  return ClipPlayer();
}

}  // namespace gallery::testing
