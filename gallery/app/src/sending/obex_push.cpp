// OBEX push through the linked sender, whose own modal dialog shows the
// transfer; the gallery waits for it to close.
#include <string>

#include "obex/orsabeam.h"
#include "platform/modules.h"
#include "sending.h"

namespace gallery::sending {

void PushWithObex(platform::HWND browser, const std::string& path) {
  // Linked at load time: the program does not start without it.
  const platform::HMODULE beam = platform::GetModuleHandle("orsabeam.dll");
  auto* orsa_beam = platform::GetProcAddressAs<obex::OrsaBeamFunction>(beam, "OrsaBeam");
  if (!orsa_beam) return;
  orsa_beam(browser, path);  // the outcome is shown in the sender's dialog
}

}  // namespace gallery::sending
