#include "installer.h"

#include <cstdio>
#include <optional>
#include <span>
#include <utility>

#include "camera/app/orsacap.h"
#include "clip/install.h"
#include "clip/orsaclip.h"
#include "demo_program.h"
#include "dialogs_demo_program.h"
#include "display_test_program.h"
#include "driver/orsadrv.h"
#include "gallery/app/orsagal.h"
#include "imaging/install.h"
#include "localization/get_str.h"
#include "localization/install.h"
#include "obex/orsabeam.h"
#include "platform/files.h"
#include "platform/hot_keys.h"
#include "platform/modules.h"
#include "platform/programs.h"
#include "platform/resources.h"
#include "platform/shell_help.h"
#include "platform/shell_services.h"
#include "platform/shell_today.h"
#include "programs/beam.h"
#include "programs/mail.h"
#include "programs/print_engines.h"
#include "selftest_program.h"

namespace handheld {

namespace {

struct BuiltIn {
  const char* path;
  platform::ProgramEntry entry;
  // The program's resources folder (bitmaps/, strings/, ...); none if empty.
  std::filesystem::path resources;
};

// The emulator's own resources: the demo program's picture.
std::filesystem::path EmulatorResources() {
#ifdef ORSA_HANDHELD_RESOURCES
  return ORSA_HANDHELD_RESOURCES;
#else
  return {};
#endif
}

platform::ModuleDefinition ModuleFor(const BuiltIn& program) {
  platform::ModuleDefinition module;
  if (program.resources.empty()) return module;
  auto resources = std::make_shared<platform::ModuleResources>();
  std::string error;
  // A program whose resources cannot be read still runs, without them.
  if (platform::LoadResourceFolder(program.resources, resources.get(), &error)) {
    module.resources = std::move(resources);
  }
  return module;
}

const std::vector<BuiltIn>& BuiltIns() {
  static const std::vector<BuiltIn> programs = {
      {kSelfTestPath,
       [](platform::HINSTANCE, const std::string& command_line) {
         return SelfTestMain(command_line);
       },
       {}},
      {kDemoPath, DemoMain, EmulatorResources()},
      {kDialogsDemoPath, DialogsDemoMain, {}},
      {kDisplayTestPath, DisplayTestMain, {}},
      // The platform's own programs.
      {platform::kHelpProgramPath.data(), platform::HelpProgramMain, {}},
      {platform::kTodayProgramPath.data(), platform::TodayProgramMain, {}},
  };
  return programs;
}

// The part of the platform's core library the programs look up by name.
void InstallCoreLibrary(platform::Handheld& handheld, std::vector<std::string>* installed) {
  constexpr const char* kCoreLibrary = "\\Windows\\coredll.dll";
  platform::ModuleDefinition core;
  core.exports.Add("UnregisterFunc1", &platform::UnregisterFunc1);
  const std::string marker = "platform core library\n";
  if (handheld.modules().Register(kCoreLibrary, std::move(core)) &&
      handheld.files().InstallFile(kCoreLibrary, std::as_bytes(std::span(marker)))) {
    installed->push_back(kCoreLibrary);
  }
}

// The kit's deliverables that exist so far.
void InstallDeliverables(platform::Handheld& handheld, std::vector<std::string>* installed) {
  if (orsadrv::InstallDriver(handheld)) installed->push_back(orsadrv::kModulePath);
  std::string error;
  if (localization::InstallLocalizationModule(handheld, &error)) {
    installed->push_back(localization::kModulePath);
  } else {
    std::fprintf(stderr, "orsa-handheld: %s\n", error.c_str());
  }
  if (imaging::InstallImagingModule(handheld, &error)) {
    installed->push_back("\\Windows\\qximglib.dll");
  } else {
    std::fprintf(stderr, "orsa-handheld: %s\n", error.c_str());
  }
  if (clip::InstallClipModule(handheld, &error) && clip::InstallPlayClipProgram(handheld, &error)) {
    installed->push_back(clip::kModulePath);
    installed->push_back(clip::kPlayClipProgramPath);
  } else {
    std::fprintf(stderr, "orsa-handheld: %s\n", error.c_str());
  }
  for (std::string& path : obex::InstallOrsaBeam(handheld)) installed->push_back(std::move(path));
  if (camera::InstallCameraProgram(handheld, &error)) {
    installed->push_back(camera::kCameraProgramPath);
  } else {
    std::fprintf(stderr, "orsa-handheld: %s\n", error.c_str());
  }
  if (gallery::InstallGallery(handheld, &error)) {
    installed->push_back(gallery::kGalleryProgramPath);
  } else {
    std::fprintf(stderr, "orsa-handheld: %s\n", error.c_str());
  }
}

// The handheld's mail and beam programs and its print engine, as chosen.
// One left out loses its file from an earlier boot too, so that programs
// looking for it fall back as they would on a handheld without it.
void InstallOutlets(platform::Handheld& handheld, const OutletOptions& outlets,
                    std::vector<std::string>* installed) {
  namespace programs = platform::programs;
  using programs::PrintEngine;
  const bool complete = programs::InstallMailPrograms(handheld, outlets.tmail, outlets.pmail) &&
                        programs::InstallBeamPrograms(handheld, outlets.beam, outlets.irsquirt) &&
                        programs::InstallPrintEngines(handheld, outlets.printer);
  if (!complete) std::fprintf(stderr, "orsa-handheld: an outlet program could not be built in\n");
  const std::pair<bool, std::string_view> outlet_files[] = {
      {outlets.tmail, programs::kTmailPath},
      {outlets.pmail, programs::kPmailPath},
      {outlets.beam, programs::kBeamPath},
      {outlets.irsquirt, programs::kIrsquirtPath},
      {outlets.printer == PrintEngine::kMprint, programs::kMprintPath},
      {outlets.printer == PrintEngine::kQx, programs::kQxPrintEnginePath},
      {outlets.printer == PrintEngine::kQx, programs::kQxPrintUiPath},
  };
  for (const auto& [wanted, path] : outlet_files) {
    if (wanted) {
      installed->push_back(std::string(path));
    } else {
      platform::DeleteFile(path);
    }
  }
}

// The Start menu's entries: a shortcut for each program that is built in.
void InstallShortcuts(platform::Handheld& handheld, std::vector<std::string>* installed) {
  struct Shortcut {
    const char* name;
    std::string target;
  };
  const Shortcut shortcuts[] = {
      {"Camera", camera::kCameraProgramPath},
      {"Gallery", gallery::kGalleryProgramPath},
      {"Demo", kDemoPath},
      {"Dialogs Demo", kDialogsDemoPath},
      {"Help", std::string(platform::kHelpProgramPath)},
  };
  const std::optional<std::string> folder =
      platform::SpecialFolderPath(platform::CSIDL_PROGRAMS, true);
  if (!folder) return;
  for (const Shortcut& shortcut : shortcuts) {
    const std::string path = *folder + "\\" + shortcut.name + ".lnk";
    if (!handheld.programs().IsRegistered(shortcut.target)) continue;
    if (platform::SHCreateShortcut(path, shortcut.target)) installed->push_back(path);
  }
}

}  // namespace

std::vector<std::string> InstallBuiltIns(platform::Handheld& handheld,
                                         const OutletOptions& outlets) {
  std::vector<std::string> installed;
  platform::InstallerAccess access;
  for (const BuiltIn& program : BuiltIns()) {
    const std::string marker = std::string("built-in program ") + program.path + "\n";
    handheld.programs().Register(program.path, program.entry, ModuleFor(program));
    if (handheld.files().InstallFile(program.path, std::as_bytes(std::span(marker)))) {
      installed.push_back(program.path);
    }
  }
  InstallCoreLibrary(handheld, &installed);
  InstallDeliverables(handheld, &installed);
  InstallOutlets(handheld, outlets, &installed);
  InstallShortcuts(handheld, &installed);
  return installed;
}

}  // namespace handheld
