#include "driver_state.h"

#include <memory>
#include <mutex>

namespace orsadrv {

namespace {
// Large (the two frame buffers), so it lives on the heap while the module
// is loaded rather than in static storage of every program using the kit.
// Loading, unloading and the first use may come from different threads.
std::mutex state_mutex;
std::shared_ptr<DriverState> state;
}  // namespace

std::shared_ptr<DriverState> SharedState() {
  std::lock_guard lock(state_mutex);
  if (!state) state = std::make_shared<DriverState>();
  return state;
}

DriverState& State() { return *SharedState(); }

void ResetState() {
  auto fresh = std::make_shared<DriverState>();
  std::lock_guard lock(state_mutex);
  state = std::move(fresh);
}

void ReleaseState() {
  std::shared_ptr<DriverState> released;
  std::lock_guard lock(state_mutex);
  released = std::move(state);
}

}  // namespace orsadrv
