#include "windows/system_classes.h"

#ifdef ORSA_WITH_CONTROLS
#include "controls/control_classes.h"
#endif

namespace platform::windows {

std::vector<WNDCLASS> SystemClasses() {
#ifdef ORSA_WITH_CONTROLS
  return controls::ControlClasses();
#else
  return {};
#endif
}

}  // namespace platform::windows
