// Modules: loaded by name or path while their file is there, exports by
// name and type, references, and their entry at load and unload.
#include "platform/modules.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/handheld.h"
#include "platform/last_error.h"
#include "platform/testing/temp_handheld.h"
#include "platform/threads.h"
#include "platform/time.h"

namespace platform {
namespace {

constexpr std::string_view kPlugIn = "\\Windows\\orsaclip.dll";

int Twice(int value) { return 2 * value; }
using TwiceFunction = int(int);
using OtherFunction = long(int);

class ModulesTest : public ::testing::Test {
 protected:
  ModuleManager& modules() { return device_.handheld().modules(); }

  void Install(std::string_view path) {
    const std::string contents = "module";
    ASSERT_TRUE(device_.handheld().files().InstallFile(path, std::as_bytes(std::span(contents))));
  }

  HMODULE Add(std::string_view path, ModuleDefinition definition = {}) {
    HMODULE module = modules().Register(path, std::move(definition));
    EXPECT_NE(module, nullptr) << "error " << GetLastError();
    Install(path);
    return module;
  }

  static ModuleDefinition WithTwice() {
    ModuleDefinition definition;
    definition.exports.Add("MediaGetThumbnail", &Twice);
    return definition;
  }

  testing::TempHandheld device_;
};

TEST_F(ModulesTest, LoadsByNameOrPathAndCountsReferences) {
  HMODULE registered = Add(kPlugIn);
  HMODULE by_name = LoadLibrary("orsaclip.dll");
  ASSERT_EQ(by_name, registered);
  EXPECT_EQ(LoadLibrary("\\WINDOWS\\OrsaClip.DLL"), registered);
  EXPECT_EQ(LoadLibrary("orsaclip"), registered);  // ".dll" added
  EXPECT_EQ(modules().ReferenceCount(registered), 3u);
  // Module handles fit the 32-bit fields of the handheld's records.
  EXPECT_LE(reinterpret_cast<std::uintptr_t>(registered), 0xFFFFFFFFu);

  std::string path;
  EXPECT_EQ(GetModuleFileName(registered, &path), kPlugIn.size());
  EXPECT_EQ(path, kPlugIn);
  EXPECT_EQ(GetModuleHandle("ORSACLIP.DLL"), registered);
  EXPECT_EQ(modules().ReferenceCount(registered), 3u);

  EXPECT_TRUE(FreeLibrary(registered));
  EXPECT_TRUE(FreeLibrary(registered));
  EXPECT_EQ(GetModuleHandle("orsaclip.dll"), registered);
  EXPECT_TRUE(FreeLibrary(registered));
  EXPECT_EQ(modules().ReferenceCount(registered), 0u);
  EXPECT_EQ(GetModuleHandle("orsaclip.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  EXPECT_EQ(GetModuleFileName(registered, &path), 0u);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  EXPECT_FALSE(FreeLibrary(registered));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(ModulesTest, AModuleIsMissingWithoutItsFileOrWhenNotBuiltIn) {
  ASSERT_NE(modules().Register("\\Windows\\oRKAUtil.dll", {}), nullptr);
  EXPECT_EQ(LoadLibrary("oRKAUtil.dll"), nullptr);  // built in, no file
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);

  Install("\\Windows\\mprint.dll");  // a file, nothing built in
  EXPECT_EQ(LoadLibrary("mprint.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);

  // Built in and installed, but looked for in another folder.
  Add(kPlugIn);
  EXPECT_EQ(LoadLibrary("\\My Documents\\orsaclip.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);

  EXPECT_EQ(LoadLibrary("\\Windows\\a|b.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
  EXPECT_EQ(LoadLibrary(""), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_BAD_PATHNAME);
}

TEST_F(ModulesTest, ExportsAreFoundByExactNameAndType) {
  HMODULE module = Add(kPlugIn, WithTwice());
  ASSERT_EQ(LoadLibrary(kPlugIn), module);

  auto* typed = GetProcAddressAs<TwiceFunction>(module, "MediaGetThumbnail");
  ASSERT_NE(typed, nullptr);
  EXPECT_EQ(typed(21), 42);
  EXPECT_NE(GetProcAddress(module, "MediaGetThumbnail"), nullptr);

  EXPECT_EQ(GetProcAddress(module, "MediaDisplay"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  EXPECT_EQ(GetProcAddress(module, "mediagetthumbnail"), nullptr);  // names keep their case
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  EXPECT_EQ(GetProcAddressAs<OtherFunction>(module, "MediaGetThumbnail"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);

  FreeLibrary(module);
  EXPECT_EQ(GetProcAddress(module, "MediaGetThumbnail"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(ModulesTest, TheEntryRunsAtTheFirstLoadAndTheLastFree) {
  std::vector<std::pair<HMODULE, DWORD>> calls;
  ModuleDefinition definition;
  definition.entry = [&](HMODULE module, DWORD reason) {
    calls.emplace_back(module, reason);
    return TRUE;
  };
  HMODULE module = Add(kPlugIn, std::move(definition));
  LoadLibrary(kPlugIn);
  LoadLibrary(kPlugIn);
  FreeLibrary(module);
  EXPECT_EQ(calls, (std::vector<std::pair<HMODULE, DWORD>>{{module, DLL_PROCESS_ATTACH}}));
  FreeLibrary(module);
  EXPECT_EQ(calls, (std::vector<std::pair<HMODULE, DWORD>>{{module, DLL_PROCESS_ATTACH},
                                                           {module, DLL_PROCESS_DETACH}}));
}

TEST_F(ModulesTest, AnEntryThatRefusesTheLoadLeavesTheModuleUnloaded) {
  ModuleDefinition definition;
  definition.entry = [](HMODULE, DWORD reason) { return reason == DLL_PROCESS_DETACH; };
  HMODULE module = Add(kPlugIn, std::move(definition));
  EXPECT_EQ(LoadLibrary(kPlugIn), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_DLL_INIT_FAILED);
  EXPECT_EQ(modules().ReferenceCount(module), 0u);
}

TEST_F(ModulesTest, AModuleMayLoadItsCompanionWhenItIsLoaded) {
  HMODULE resources = Add("\\Windows\\orsabeamres.dll");
  ModuleDefinition sender;
  sender.entry = [](HMODULE, DWORD reason) {
    if (reason == DLL_PROCESS_ATTACH) return LoadLibrary("orsabeamres.dll") ? TRUE : FALSE;
    return FreeLibrary(GetModuleHandle("orsabeamres.dll"));
  };
  HMODULE module = Add("\\Windows\\orsabeam.dll", std::move(sender));
  ASSERT_EQ(LoadLibrary("orsabeam.dll"), module);
  EXPECT_EQ(modules().ReferenceCount(resources), 1u);
  FreeLibrary(module);
  EXPECT_EQ(modules().ReferenceCount(resources), 0u);
}

TEST_F(ModulesTest, ReferencesFromManyThreadsAddUp) {
  std::vector<std::pair<HMODULE, DWORD>> calls;
  ModuleDefinition definition;
  definition.entry = [&](HMODULE module, DWORD reason) {
    calls.emplace_back(module, reason);  // entries never overlap
    return TRUE;
  };
  HMODULE module = Add(kPlugIn, std::move(definition));
  std::vector<ThreadHandle> threads;
  for (int t = 0; t < 4; ++t) {
    threads.push_back(CreateThread([&]() -> DWORD {
      for (int round = 0; round < 50; ++round) {
        if (LoadLibrary(kPlugIn) != module) return 1;
        Sleep(1);
        if (!FreeLibrary(module)) return 2;
      }
      return 0;
    }));
  }
  for (const ThreadHandle& thread : threads) {
    ASSERT_EQ(WaitForSingleObject(*thread, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    EXPECT_EQ(code, 0u);
  }
  EXPECT_EQ(modules().ReferenceCount(module), 0u);
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.size() % 2, 0u);
  for (std::size_t i = 0; i < calls.size(); ++i) {
    EXPECT_EQ(calls[i].second, i % 2 == 0 ? DLL_PROCESS_ATTACH : DLL_PROCESS_DETACH);
  }
}

TEST_F(ModulesTest, ShutdownDetachesWhatIsStillLoaded) {
  int detaches = 0;
  ModuleDefinition definition;
  definition.entry = [&](HMODULE, DWORD reason) {
    detaches += reason == DLL_PROCESS_DETACH;
    return TRUE;
  };
  HMODULE module = Add(kPlugIn, std::move(definition));
  LoadLibrary(kPlugIn);
  LoadLibrary(kPlugIn);
  device_.handheld().Shutdown();
  EXPECT_EQ(detaches, 1);
  EXPECT_EQ(modules().ReferenceCount(module), 0u);
}

TEST_F(ModulesTest, APathIsBuiltInOnlyOnce) {
  Add(kPlugIn);
  EXPECT_EQ(modules().Register("orsaclip", {}), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_TRUE(modules().IsRegistered("ORSACLIP.dll"));
}

}  // namespace
}  // namespace platform
