#include "engine_modules.h"
#include "programs/built_in.h"
#include "programs/print_engines.h"

namespace platform::programs {

bool InstallPrintEngines(Handheld& handheld, PrintEngine engine) {
  switch (engine) {
    case PrintEngine::kNone:
      return true;
    case PrintEngine::kMprint:
      return InstallBuiltInModule(handheld, kMprintPath, MprintModule());
    case PrintEngine::kQx:
      return InstallBuiltInModule(handheld, kQxPrintEnginePath, QxPrintEngineModule()) &&
             InstallBuiltInModule(handheld, kQxPrintUiPath, QxPrintUiModule());
  }
  return false;
}

}  // namespace platform::programs
