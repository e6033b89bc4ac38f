// One emulated handheld: the host folder that holds its file system and
// registry, its clock, and every platform service. The deliverables call the
// platform through free functions that act on the current handheld, the way
// a program on the device calls its operating system.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <typeindex>
#include <utility>
#include <vector>

#include "platform/types.h"

namespace platform {

class Kernel;
class FileSystem;
class ChangeNotifier;
class Registry;
class ProgramManager;
class ModuleManager;
class DeviceManager;
class MessageBoxService;

// State of an optional subsystem (window system, SD bus, audio, sockets)
// that lives as long as its handheld. Each subsystem keeps its own service
// type, so adding one never changes this class.
class HandheldService {
 public:
  virtual ~HandheldService() = default;
  // Called when the handheld shuts down, before programs and threads end:
  // release waiters and stop the subsystem's own threads here.
  virtual void Shutdown() {}
};

struct HandheldConfig {
  // Host folder of the handheld. The handheld's "\" is <root>/files; the
  // registry is kept beside it in <root>/registry.txt.
  std::filesystem::path root;
  // Virtual clock: time only moves when a test advances it, by modelled
  // costs, or to the next deadline when every handheld thread waits.
  // Otherwise the clock follows real time (the interactive emulator).
  bool virtual_clock = true;
  // Wall-clock time at boot; the host's current time when not set.
  std::optional<FILETIME> boot_time;
  // Local time = UTC - bias (minutes), as on the handheld.
  LONG time_zone_bias_minutes = 0;
  // Simulated size of the main store; 0 leaves only the host's free space.
  std::uint64_t store_size_bytes = 0;
  // System locale id of the handheld (English, United States by default).
  DWORD locale_id = 0x0409;
};

class Handheld {
 public:
  explicit Handheld(HandheldConfig config);
  ~Handheld();
  Handheld(const Handheld&) = delete;
  Handheld& operator=(const Handheld&) = delete;

  // The handheld the platform calls of this process act on. One at a time.
  static Handheld& Current();
  static bool Exists();

  const HandheldConfig& config() const { return config_; }
  std::filesystem::path FilesRoot() const { return config_.root / "files"; }
  std::filesystem::path RegistryFile() const { return config_.root / "registry.txt"; }

  Kernel& kernel() { return *kernel_; }
  ChangeNotifier& change_notifier() { return *change_notifier_; }
  FileSystem& files() { return *files_; }
  Registry& registry() { return *registry_; }
  ProgramManager& programs() { return *programs_; }
  ModuleManager& modules() { return *modules_; }
  DeviceManager& devices() { return *devices_; }
  MessageBoxService& message_boxes() { return *message_boxes_; }

  // The handheld's instance of a subsystem's service, made on first use
  // with `Service(Handheld&)`. Services end in the reverse order of making.
  template <class Service>
  Service& GetService() {
    return static_cast<Service&>(FindOrMakeService(
        typeid(Service), [this] { return std::make_unique<Service>(*this); }));
  }

  // Ends every program and thread, then writes the registry back.
  void Shutdown();

 private:
  HandheldConfig config_;
  std::unique_ptr<Kernel> kernel_;
  std::unique_ptr<ChangeNotifier> change_notifier_;
  std::unique_ptr<FileSystem> files_;
  std::unique_ptr<Registry> registry_;
  std::unique_ptr<ProgramManager> programs_;
  std::unique_ptr<ModuleManager> modules_;
  std::unique_ptr<DeviceManager> devices_;
  std::unique_ptr<MessageBoxService> message_boxes_;
  HandheldService& FindOrMakeService(std::type_index type,
                                     const std::function<std::unique_ptr<HandheldService>()>& make);
  void EndServices();
  std::recursive_mutex services_mutex_;  // a service may use another while being made
  std::vector<std::pair<std::type_index, std::unique_ptr<HandheldService>>> services_;
  bool shut_down_ = false;
};

}  // namespace platform
