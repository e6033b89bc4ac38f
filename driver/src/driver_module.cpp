// How the handheld gets the driver: the module "orsadrv.dll" with its
// exports, its file in \Windows\, and the SD client driver registration of
// the camera card.
#include <span>
#include <string>

#include "driver/orsadrv.h"
#include "driver_state.h"
#include "platform/files.h"
#include "platform/modules.h"

namespace orsadrv {

namespace {

platform::ModuleDefinition Definition() {
  platform::ModuleDefinition definition;
  definition.exports.Add("SIO_Init", &SIO_Init)
      .Add("SIO_Deinit", &SIO_Deinit)
      .Add("SIO_Open", &SIO_Open)
      .Add("SIO_Close", &SIO_Close)
      .Add("SIO_Read", &SIO_Read)
      .Add("SIO_Write", &SIO_Write)
      .Add("SIO_Seek", &SIO_Seek)
      .Add("SIO_PowerUp", &SIO_PowerUp)
      .Add("SIO_PowerDown", &SIO_PowerDown)
      .Add("SIO_IOControl", &SIO_IOControl);
  // Driver-wide state starts from zero at every load.
  definition.entry = [](platform::HMODULE, DWORD reason) -> BOOL {
    if (reason == platform::DLL_PROCESS_ATTACH) ResetState();
    if (reason == platform::DLL_PROCESS_DETACH) ReleaseState();
    return TRUE;
  };
  return definition;
}

}  // namespace

bool InstallDriver(platform::Handheld& handheld) {
  if (!handheld.modules().Register(kModulePath, Definition())) return false;
  const std::string image = "orsadrv";
  if (!handheld.files().InstallFile(kModulePath, std::as_bytes(std::span(image)))) return false;
  return RegisterClientDriver(kCardManufacturer, kCardId, 1, "orsadrv.dll", "SIO") ==
         platform::ERROR_SUCCESS;
}

}  // namespace orsadrv
