// The simulated camera card the script put in the slot, for the steps that
// change what it sees.
#pragma once

#include <memory>

#include "card/camera_card.h"
#include "emulator.h"

namespace handheld {

// Null when no card of ours is in the slot.
std::shared_ptr<card::CameraCard> InsertedCameraCard(Emulator& emulator);

}  // namespace handheld
