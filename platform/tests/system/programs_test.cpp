// Built-in programs: started by path on their own thread, present only with
// their file, waited for on the virtual clock, listed while they run.
#include "platform/programs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <span>
#include <string>

#include "platform/files.h"
#include "platform/handheld.h"
#include "platform/last_error.h"
#include "platform/resources.h"
#include "platform/testing/temp_handheld.h"
#include "platform/threads.h"
#include "platform/time.h"
#include "platform/window.h"

namespace platform {
namespace {

constexpr std::string_view kCamera = "\\Windows\\orsacap.exe";
constexpr std::string_view kGallery = "\\Windows\\orsagal.exe";

class ProgramsTest : public ::testing::Test {
 protected:
  ProgramManager& programs() { return device_.handheld().programs(); }

  void Install(std::string_view path) {
    const std::string contents = "program";
    ASSERT_TRUE(device_.handheld().files().InstallFile(path, std::as_bytes(std::span(contents))));
  }

  // A program built in and installed.
  HINSTANCE Add(std::string_view path, ProgramEntry entry, ModuleDefinition module = {}) {
    HINSTANCE instance = programs().Register(path, std::move(entry), std::move(module));
    EXPECT_NE(instance, nullptr);
    Install(path);
    return instance;
  }

  PROCESS_INFORMATION Start(std::string_view path, std::string_view command_line = {}) {
    PROCESS_INFORMATION info;
    EXPECT_TRUE(CreateProcess(path, command_line, &info)) << "error " << GetLastError();
    return info;
  }

  static DWORD ExitCode(const ProcessHandle& process) {
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(process, &code));
    return code;
  }

  testing::TempHandheld device_;
};

TEST_F(ProgramsTest, RunsTheEntryOnItsOwnThreadWithTheCommandLineAndKeepsTheExitCode) {
  std::string seen_command_line;
  DWORD seen_thread = 0;
  HINSTANCE seen_instance = nullptr;
  HINSTANCE instance = Add(kGallery, [&](HINSTANCE self, const std::string& command_line) {
    seen_command_line = command_line;
    seen_thread = GetCurrentThreadId();
    seen_instance = self;
    return 42;
  });

  // Paths are found without regard to case.
  PROCESS_INFORMATION info = Start("\\windows\\ORSAGAL.EXE", "\\My Documents\\snap0001.jpg");
  ASSERT_EQ(WaitForSingleObject(*info.hProcess, INFINITE), WAIT_OBJECT_0);

  EXPECT_EQ(ExitCode(info.hProcess), 42u);
  EXPECT_EQ(seen_command_line, "\\My Documents\\snap0001.jpg");
  EXPECT_EQ(seen_thread, info.dwThreadId);
  EXPECT_NE(seen_thread, GetCurrentThreadId());
  EXPECT_EQ(seen_instance, instance);
  EXPECT_EQ(info.hProcess->path(), kGallery);
  EXPECT_EQ(info.dwProcessId, info.hProcess->id());
  EXPECT_EQ(WaitForSingleObject(*info.hThread, INFINITE), WAIT_OBJECT_0);
}

TEST_F(ProgramsTest, ANameWithoutFolderIsLookedForInWindowsWithExeAdded) {
  Add(kCamera, [](HINSTANCE, const std::string&) { return 3; });
  PROCESS_INFORMATION info = Start("orsacap");
  WaitForSingleObject(*info.hProcess, INFINITE);
  EXPECT_EQ(ExitCode(info.hProcess), 3u);
}

TEST_F(ProgramsTest, AMissingFileOrAProgramNotBuiltInCannotBeStarted) {
  bool ran = false;
  // Built in, but its file is not installed.
  ASSERT_NE(programs().Register(kCamera,
                                [&](HINSTANCE, const std::string&) {
                                  ran = true;
                                  return 0;
                                }),
            nullptr);
  EXPECT_FALSE(CreateProcess(kCamera, ""));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

  // Installed, then deleted again.
  Install(kCamera);
  {
    InstallerAccess access;
    ASSERT_TRUE(DeleteFile(kCamera));
  }
  EXPECT_FALSE(CreateProcess(kCamera, ""));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

  // A file that no built-in program stands behind.
  Install("\\Windows\\pmail.exe");
  EXPECT_FALSE(CreateProcess("\\Windows\\pmail.exe", ""));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

  // A malformed path keeps its own error.
  EXPECT_FALSE(CreateProcess("\\Windows\\or<sa.exe", ""));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
  EXPECT_FALSE(CreateProcess("", ""));
  EXPECT_EQ(GetLastError(), ERROR_BAD_PATHNAME);
  EXPECT_FALSE(ran);
  EXPECT_TRUE(EnumProcesses().empty());
}

TEST_F(ProgramsTest, StillActiveUntilItEndsAndWaitsRunOnTheVirtualClock) {
  Add(kCamera, [](HINSTANCE, const std::string&) {
    Sleep(120'000);
    return 7;
  });
  PROCESS_INFORMATION info = Start(kCamera);

  EXPECT_EQ(WaitForSingleObject(*info.hProcess, 2'000), WAIT_TIMEOUT);
  EXPECT_EQ(clock::NowMs(), 2'000u);
  EXPECT_EQ(ExitCode(info.hProcess), STILL_ACTIVE);

  EXPECT_EQ(WaitForSingleObject(*info.hProcess, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(clock::NowMs(), 120'000u);
  EXPECT_EQ(ExitCode(info.hProcess), 7u);
}

TEST_F(ProgramsTest, RunningProgramsAreListedUntilTheyEnd) {
  auto release = CreateEvent(true, false);
  auto wait_for_release = [&](HINSTANCE, const std::string&) {
    WaitForSingleObject(*release, INFINITE);
    return 0;
  };
  Add(kCamera, wait_for_release);
  Add(kGallery, wait_for_release);
  PROCESS_INFORMATION camera = Start(kCamera);
  PROCESS_INFORMATION gallery = Start(kGallery);
  PROCESS_INFORMATION second_gallery = Start(kGallery);

  EXPECT_EQ(EnumProcesses(),
            (std::vector<ProcessEntry>{{camera.dwProcessId, std::string(kCamera)},
                                       {gallery.dwProcessId, std::string(kGallery)},
                                       {second_gallery.dwProcessId, std::string(kGallery)}}));
  EXPECT_NE(gallery.dwProcessId, second_gallery.dwProcessId);

  SetEvent(release);
  Waitable* all[] = {camera.hProcess.get(), gallery.hProcess.get(), second_gallery.hProcess.get()};
  ASSERT_EQ(WaitForMultipleObjects(all, true, INFINITE), WAIT_OBJECT_0);
  EXPECT_TRUE(EnumProcesses().empty());
}

TEST_F(ProgramsTest, TerminateEndsAProgramWithTheGivenCodeAndReleasesWhatItHeld) {
  struct Held {
    bool* released;
    ~Held() { *released = true; }
  };
  bool released = false;
  bool ran_past_wait = false;
  auto never = CreateEvent(true, false);
  HINSTANCE instance = Add(kCamera, [&](HINSTANCE, const std::string&) {
    Held held{&released};
    WaitForSingleObject(*never, INFINITE);
    ran_past_wait = true;
    return 0;
  });
  PROCESS_INFORMATION info = Start(kCamera);
  Sleep(10);  // the program is waiting now
  EXPECT_EQ(device_.handheld().modules().ReferenceCount(instance), 1u);

  EXPECT_TRUE(TerminateProcess(info.hProcess, 99));
  ASSERT_EQ(WaitForSingleObject(*info.hProcess, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(ExitCode(info.hProcess), 99u);
  EXPECT_TRUE(released);
  EXPECT_FALSE(ran_past_wait);
  EXPECT_EQ(device_.handheld().modules().ReferenceCount(instance), 0u);
  EXPECT_FALSE(TerminateProcess(info.hProcess, 1));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(ProgramsTest, AProgramEndedFromOutsideTakesItsWindowsWithIt) {
  // A program that finds its own window from an earlier run hands over to
  // it and ends: once a terminated program counts as ended, its windows
  // must be gone, or the next start hands over to a dead one.
  bool destroyed = false;
  Add(kGallery, [&](HINSTANCE self, const std::string&) {
    WNDCLASS window_class;
    window_class.lpfnWndProc = [&](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
      if (message == WM_DESTROY) destroyed = true;
      return DefWindowProc(hwnd, message, wparam, lparam);
    };
    window_class.hInstance = self;
    window_class.lpszClassName = "Killed";
    RegisterClass(&window_class);
    CreateWindowEx(0, "Killed", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, self, nullptr);
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) DispatchMessage(&msg);
    return 0;
  });
  for (int run = 0; run < 20; ++run) {
    PROCESS_INFORMATION info = Start(kGallery);
    Sleep(10);  // the program waits for messages now
    ASSERT_NE(FindWindow("Killed", std::nullopt), nullptr);
    ASSERT_TRUE(TerminateProcess(info.hProcess, 9));
    ASSERT_EQ(WaitForSingleObject(*info.hProcess, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(FindWindow("Killed", std::nullopt), nullptr) << "run " << run;
    EXPECT_FALSE(destroyed) << "ended without its own clean-up";
  }
}

TEST_F(ProgramsTest, AProgramEndedBeforeItRanSkipsItsEntry) {
  std::atomic<bool> ran = false;
  Add(kCamera, [&](HINSTANCE, const std::string&) {
    ran = true;
    return 0;
  });
  PROCESS_INFORMATION info = Start(kCamera);
  // This thread has not waited since the start, so the program may not
  // have run yet; either way it ends with the code given.
  TerminateProcess(info.hProcess, 5);
  ASSERT_EQ(WaitForSingleObject(*info.hProcess, INFINITE), WAIT_OBJECT_0);
  DWORD code = ExitCode(info.hProcess);
  EXPECT_TRUE(code == 5u || (ran && code == 0u)) << code;
  EXPECT_TRUE(EnumProcesses().empty());
}

TEST_F(ProgramsTest, AProgramFindsItsOwnResourcesThroughItsInstance) {
  auto resources = std::make_shared<ModuleResources>();
  resources->AddString(0x0409, 60001, "Settings");
  std::string caption;
  Add(
      kCamera,
      [&](HINSTANCE self, const std::string&) { return LoadString(self, 60001, &caption); },
      ModuleDefinition{{}, resources, {}});
  PROCESS_INFORMATION info = Start(kCamera);
  WaitForSingleObject(*info.hProcess, INFINITE);
  EXPECT_EQ(caption, "Settings");
  EXPECT_EQ(ExitCode(info.hProcess), 8u);
}

TEST_F(ProgramsTest, APathIsBuiltInOnlyOnce) {
  Add(kCamera, [](HINSTANCE, const std::string&) { return 0; });
  EXPECT_EQ(programs().Register("\\WINDOWS\\OrsaCap.exe",
                                [](HINSTANCE, const std::string&) { return 1; }),
            nullptr);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_TRUE(programs().IsRegistered("orsacap.exe"));
  EXPECT_FALSE(programs().IsRegistered("orsagal.exe"));
}

TEST_F(ProgramsTest, ShutdownEndsRunningProgramsAndRefusesNewOnes) {
  auto never = CreateEvent(true, false);
  Add(kCamera, [&](HINSTANCE, const std::string&) {
    WaitForSingleObject(*never, INFINITE);
    return 0;
  });
  PROCESS_INFORMATION info = Start(kCamera);
  Sleep(1);
  device_.handheld().Shutdown();
  EXPECT_EQ(WaitForSingleObject(*info.hProcess, 0), WAIT_OBJECT_0);
  EXPECT_FALSE(CreateProcess(kCamera, ""));
}

}  // namespace
}  // namespace platform
