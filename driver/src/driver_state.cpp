#include "driver_state.h"

#include <memory>

namespace orsadrv {

namespace {
// Large (the two frame buffers), so it lives on the heap while the module
// is loaded rather than in static storage of every program using the kit.
std::unique_ptr<DriverState> state;
}  // namespace

DriverState& State() {
  if (!state) state = std::make_unique<DriverState>();
  return *state;
}

void ResetState() { state = std::make_unique<DriverState>(); }

void ReleaseState() { state.reset(); }

}  // namespace orsadrv
