// The beam programs' entry: read the path, then run the OBEX sender's
// session on it without its dialog, and wait for it for a while.
#include <mutex>
#include <string>

#include "obex/beam_session.h"
#include "obex/orsabeam.h"
#include "platform/message_box.h"
#include "platform/modules.h"
#include "platform/threads.h"
#include "programs/beam.h"
#include "programs/built_in.h"
#include "programs/command_line.h"
#include "programs/input_file.h"

namespace platform::programs {

namespace {

constexpr char kCaption[] = "Beam";
constexpr int kExitSent = 0;
constexpr int kExitFailed = 1;

int Fail(const std::string& text) {
  MessageBox(nullptr, "The file was not sent. " + text, kCaption, MB_OK | MB_ICONERROR);
  return kExitFailed;
}

// Keeps the sender's last status text, which says how it ended.
class LastStatus final : public obex::BeamObserver {
 public:
  void OnStatus(const std::string& text) override {
    std::lock_guard lock(mutex_);
    status_ = text;
  }
  void OnLog(const std::string&) override {}
  std::string status() const {
    std::lock_guard lock(mutex_);
    return status_;
  }

 private:
  mutable std::mutex mutex_;
  std::string status_;
};

// The sender's texts, loaded for as long as the holder lives.
class SenderResources {
 public:
  SenderResources() : module_(LoadLibrary(obex::kOrsaBeamResourcesPath)) {}
  ~SenderResources() {
    if (module_) FreeLibrary(module_);
  }
  SenderResources(const SenderResources&) = delete;
  SenderResources& operator=(const SenderResources&) = delete;
  HMODULE get() const { return module_; }

 private:
  HMODULE module_;
};

int BeamMain(const std::string& command_line) {
  std::string error;
  const std::optional<std::string> path = PathArgument(command_line, &error);
  if (!path) return Fail(error);
  if (!CheckInputFile(*path, &error)) return Fail(error);
  const SenderResources resources;
  if (!resources.get()) return Fail("The infrared sender is missing.");

  LastStatus status;
  obex::BeamSession session(resources.get(), *path, status);
  if (!session.Start()) return Fail("The infrared sender cannot start.");
  if (WaitForSingleObject(session.worker(), kBeamSearchTimeMs) == WAIT_TIMEOUT) {
    session.Close();
    return Fail("No infrared device was found.");
  }
  if (!session.Succeeded()) return Fail(status.status());
  return kExitSent;
}

}  // namespace

bool InstallBeamPrograms(Handheld& handheld, bool beam, bool irsquirt) {
  bool installed = true;
  for (const auto& [wanted, path] :
       {std::pair{beam, kBeamPath}, std::pair{irsquirt, kIrsquirtPath}}) {
    if (!wanted) continue;
    installed = InstallBuiltInProgram(handheld, path,
                                      [](HINSTANCE, const std::string& command_line) {
                                        return BeamMain(command_line);
                                      }) &&
                installed;
  }
  return installed;
}

}  // namespace platform::programs
