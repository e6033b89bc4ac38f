// The export OrsaBeam and the installation of the library's modules.
#include "obex/orsabeam.h"

#include <mutex>
#include <span>

#include "beam_dialog.h"
#include "beam_library.h"
#include "beam_resources.h"
#include "obex/beam_session.h"
#include "platform/files.h"
#include "platform/resources.h"

namespace obex {

namespace {

// Keeps what the dialog showed, for LastBeamTranscript.
class TranscriptObserver final : public BeamObserver {
 public:
  void OnStatus(const std::string& text) override {
    std::lock_guard lock(mutex_);
    transcript_.statuses.push_back(text);
  }
  void OnLog(const std::string& line) override {
    std::lock_guard lock(mutex_);
    transcript_.log.push_back(line);
  }
  BeamTranscript transcript() const {
    std::lock_guard lock(mutex_);
    return transcript_;
  }

 private:
  mutable std::mutex mutex_;
  BeamTranscript transcript_;
};

bool Install(platform::Handheld& handheld, std::string_view path,
             platform::ModuleDefinition definition) {
  if (!handheld.modules().IsRegistered(path) &&
      !handheld.modules().Register(path, std::move(definition))) {
    return false;
  }
  const std::string marker = "built-in module " + std::string(path) + "\n";
  return handheld.files().InstallFile(path, std::as_bytes(std::span(marker)));
}

}  // namespace

int OrsaBeam(platform::HWND parent, std::string_view path) {
  const std::string copied(path);
  BeamLibrary& library = BeamLibrary::Current();
  const platform::HINSTANCE resources = library.resources();
  if (!resources || !platform::FindDialogTemplate(resources, kDialogBeam)) return -1;

  TranscriptObserver observer;
  const platform::INT_PTR result = RunBeamDialog(resources, parent, copied, observer);
  library.SetTranscript(observer.transcript());
  return static_cast<int>(result);
}

BeamTranscript LastBeamTranscript() { return BeamLibrary::Current().transcript(); }

std::vector<std::string> InstallOrsaBeam(platform::Handheld& handheld) {
  std::vector<std::string> installed;
  std::string error;
  platform::ModuleDefinition resources;
  resources.resources = MakeBeamResources(&error);
  if (resources.resources && Install(handheld, kOrsaBeamResourcesPath, std::move(resources))) {
    installed.emplace_back(kOrsaBeamResourcesPath);
  }
  platform::ModuleDefinition beam;
  beam.exports.Add("OrsaBeam", &OrsaBeam);
  beam.entry = [](platform::HMODULE module, platform::DWORD reason) {
    return BeamLibrary::Current().Entry(module, reason);
  };
  if (Install(handheld, kOrsaBeamPath, std::move(beam))) installed.emplace_back(kOrsaBeamPath);
  return installed;
}

}  // namespace obex
