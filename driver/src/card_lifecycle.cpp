// Card arrival and removal: SIO_Init binds the driver to the bus and checks
// the card, SIO_Deinit tears the context down and tells the application.
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "bus_access.h"
#include "control_codes.h"
#include "device_context.h"
#include "driver/orsadrv.h"
#include "platform/message_box.h"
#include "platform/programs.h"
#include "platform/registry.h"
#include "platform/time.h"

namespace orsadrv {

namespace {

constexpr LONG kStatusCardUnusable = static_cast<LONG>(0xC0000003u);
constexpr const char* kClientName = "SDIOSampleDevice";
constexpr const char* kCameraProgram = "\\windows\\orsacap.exe";

// The contexts this driver made; SIO_Init hands out plain pointers to them.
std::mutex contexts_mutex;
std::map<SioDeviceContext*, std::unique_ptr<SioDeviceContext>>& Contexts() {
  static std::map<SioDeviceContext*, std::unique_ptr<SioDeviceContext>> contexts;
  return contexts;
}

void SlotEvent(DWORD, void*, DWORD event) {
  if (event == kSlotEventCardRemoved) State().card_removed = true;
}

// Reads `Key` and `ClientInfo` from the active key.
bool ReadActiveKey(const char* active_key, SioDeviceContext& context) {
  platform::HKEY key;
  if (platform::RegOpenKeyEx(platform::HKEY_LOCAL_MACHINE, active_key, &key) !=
      platform::ERROR_SUCCESS) {
    return false;
  }
  auto buffer = std::make_unique<std::array<char, kKeyBufferBytes>>();
  buffer->fill(0);
  DWORD type = 0;
  DWORD size = kKeyBufferBytes;
  const bool have_key = platform::RegQueryValueEx(key, "Key", &type, buffer->data(), &size) ==
                        platform::ERROR_SUCCESS;
  DWORD client_info = 0;
  size = sizeof client_info;
  const bool have_client = platform::RegQueryValueEx(key, "ClientInfo", &type, &client_info,
                                                     &size) == platform::ERROR_SUCCESS &&
                           type == platform::REG_DWORD;
  platform::RegCloseKey(key);
  if (!have_key || !have_client) return false;
  context.key = std::move(buffer);
  context.bus_device = client_info;
  return true;
}

LONG CheckCard(SioDeviceContext& context) {
  ClientFunctions& bus = State().bus;
  const DWORD device = context.bus_device;
  if (!Succeeded(bus.card_info_query(device, kInfoCardAddress, &context.card_information,
                                     sizeof context.card_information))) {
    return kStatusCardUnusable;
  }
  InterfaceSettings settings;
  if (!Succeeded(bus.card_info_query(device, kInfoInterface, &settings, sizeof settings)) ||
      settings.clock_hz == 0 || settings.mode > kInterfaceOneBit) {
    return kStatusCardUnusable;
  }
  IoFunctionInfo function;
  if (!Succeeded(bus.card_info_query(device, kInfoIoFunction, &function, sizeof function)) ||
      function.function_number != 1 || function.cis_pointer == 0 || function.capabilities == 0) {
    return kStatusCardUnusable;
  }
  context.function_number = function.function_number;
  FunctionEnable enable{3, 500};
  if (!Succeeded(bus.set_card_feature(device, kFeatureEnableFunction, &enable, sizeof enable))) {
    return kStatusCardUnusable;
  }
  if (SetBlockLength(device) < 0) return kStatusCardUnusable;
  return 0;
}

// Releases what SIO_Init or the card took: step 1 of removal.
void TearDown(SioDeviceContext* context) {
  std::unique_ptr<SioDeviceContext> owned;
  {
    std::lock_guard lock(contexts_mutex);
    auto it = Contexts().find(context);
    if (it == Contexts().end()) return;
    owned = std::move(it->second);
    Contexts().erase(it);
  }
  // Waits for a control code that is still running on another thread.
  owned->lock.Enter();
  owned->event.reset();
  owned->key.reset();
  owned->lock.Leave();
}

}  // namespace

}  // namespace orsadrv

using namespace orsadrv;

void* SIO_Init(const char* active_key) {
  auto owned = std::make_unique<SioDeviceContext>();
  SioDeviceContext* context = owned.get();
  {
    std::lock_guard lock(contexts_mutex);
    Contexts()[context] = std::move(owned);
  }
  auto fail = [context]() -> void* {
    TearDown(context);
    return nullptr;
  };
  if (!active_key || !ReadActiveKey(active_key, *context)) return fail();
  DriverState& state = State();
  state.bus_device = context->bus_device;
  FillClientFunctionsFunction* fill = GetClientTableFiller(context->bus_device);
  if (!fill || !Succeeded(fill(&state.bus)) || !state.bus.register_client ||
      !state.bus.card_info_query || !state.bus.set_card_feature) {
    return fail();
  }
  ClientRegistration registration;
  for (std::size_t i = 0; kClientName[i] != '\0'; ++i) {
    registration.client_name[i] = static_cast<char16_t>(kClientName[i]);
  }
  registration.slot_event_callback = &SlotEvent;
  if (!Succeeded(state.bus.register_client(context->bus_device, context, &registration))) {
    return fail();
  }
  if (CheckCard(*context) != 0) return fail();
  context->event = platform::CreateEvent(false, false);
  if (!context->event) return fail();

  state.card_removed = false;
  state.powered_down = 0;
  platform::Sleep(300);
  if (!platform::CreateProcess(kCameraProgram, "")) {
    platform::MessageBox(nullptr, "Run orsacap.exe failed", "SIO_Init", platform::MB_OK);
  }
  return context;
}

BOOL SIO_Deinit(void* device_context) {
  auto* context = static_cast<SioDeviceContext*>(device_context);
  TearDown(context);
  // What follows uses driver-wide state only, never the freed context.
  EndStreamForRemoval();
  DriverState& state = State();
  platform::PostMessage(state.application_window, platform::WM_CLOSE, 0, 0);
  platform::Sleep(300);
  return TRUE;
}
