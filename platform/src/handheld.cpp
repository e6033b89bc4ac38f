#include "platform/handheld.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "kernel/kernel.h"
#include "platform/change_notify.h"
#include "platform/devices.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/modules.h"
#include "platform/programs.h"
#include "platform/registry.h"
#include "platform/time.h"

namespace platform {

namespace {

std::atomic<Handheld*> current_handheld{nullptr};

FILETIME HostNow() {
  auto since_epoch = std::chrono::system_clock::now().time_since_epoch();
  return FileTimeFromUnixNanoseconds(
      std::chrono::duration_cast<std::chrono::nanoseconds>(since_epoch).count());
}

// The folders every handheld has from the factory.
void MakeStandardFolders(const std::filesystem::path& files_root) {
  for (const char* folder : {"My Documents", "My Documents/My Pictures", "Windows", "Temp"}) {
    std::filesystem::create_directories(files_root / folder);
  }
}

}  // namespace

Handheld::Handheld(HandheldConfig config) : config_(std::move(config)) {
  Handheld* expected = nullptr;
  if (!current_handheld.compare_exchange_strong(expected, this)) {
    std::fputs("platform: only one handheld may exist at a time\n", stderr);
    std::abort();
  }
  MakeStandardFolders(FilesRoot());
  kernel_ = std::make_unique<Kernel>(config_.virtual_clock, config_.boot_time.value_or(HostNow()));
  kernel_->AttachCurrentThread();
  change_notifier_ = std::make_unique<ChangeNotifier>();
  files_ = std::make_unique<FileSystem>(config_, *change_notifier_);
  registry_ = std::make_unique<Registry>(RegistryFile());
  programs_ = std::make_unique<ProgramManager>();
  modules_ = std::make_unique<ModuleManager>();
  devices_ = std::make_unique<DeviceManager>();
  message_boxes_ = std::make_unique<MessageBoxService>();
}

Handheld::~Handheld() {
  Shutdown();
  kernel_->DetachCurrentThread();
  EndServices();
  message_boxes_.reset();
  devices_.reset();
  modules_.reset();
  programs_.reset();
  registry_.reset();
  files_.reset();
  change_notifier_.reset();
  kernel_.reset();
  current_handheld = nullptr;
}

Handheld& Handheld::Current() {
  Handheld* handheld = current_handheld.load();
  if (!handheld) {
    std::fputs("platform: a platform call was made with no handheld\n", stderr);
    std::abort();
  }
  return *handheld;
}

bool Handheld::Exists() { return current_handheld.load() != nullptr; }

void Handheld::Shutdown() {
  if (shut_down_) return;
  shut_down_ = true;
  {
    std::lock_guard lock(services_mutex_);
    for (auto it = services_.rbegin(); it != services_.rend(); ++it) it->second->Shutdown();
  }
  devices_->Shutdown();
  programs_->Shutdown();
  kernel_->EndAllThreads();
  modules_->Shutdown();
  files_->Flush();
  registry_->Save();
}

HandheldService& Handheld::FindOrMakeService(
    std::type_index type, const std::function<std::unique_ptr<HandheldService>()>& make) {
  std::lock_guard lock(services_mutex_);
  for (auto& [service_type, service] : services_) {
    if (service_type == type) return *service;
  }
  services_.emplace_back(type, make());
  return *services_.back().second;
}

void Handheld::EndServices() {
  std::lock_guard lock(services_mutex_);
  while (!services_.empty()) services_.pop_back();
}

}  // namespace platform
