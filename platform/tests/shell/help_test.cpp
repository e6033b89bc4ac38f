// The help program and the help request.
#include <gtest/gtest.h>

#include <span>

#include "platform/files.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/programs.h"
#include "platform/shell_help.h"
#include "platform/shell_state.h"
#include "platform/testing/temp_handheld.h"
#include "platform/threads.h"
#include "platform/time.h"
#include "platform/window.h"

namespace platform {
namespace {

class HelpTest : public ::testing::Test {
 protected:
  HelpTest() {
    device_.handheld().programs().Register(kHelpProgramPath, HelpProgramMain);
    Install(kHelpProgramPath, "program");
  }
  void Install(std::string_view path, const std::string& contents) {
    ASSERT_TRUE(device_.handheld().files().InstallFile(path, std::as_bytes(std::span(contents))));
  }
  // The help window, once the program has made it.
  static HWND WaitForHelpWindow() {
    for (int i = 0; i < 100; ++i) {
      if (HWND found = FindWindow(kHelpWindowClass, std::nullopt)) return found;
      Sleep(20);
    }
    return nullptr;
  }
  static void Tap(POINT at) {
    input::StylusDown(at.x, at.y);
    Sleep(50);
    input::StylusUp(at.x, at.y);
    Sleep(50);
  }

  testing::TempHandheld device_;
};

TEST(HelpCommandLine, NamesTheFileTitleAndTopic) {
  const shell::HelpTopic camera =
      shell::ParseHelpCommandLine("file:Quillon Mobile Camera Help.htm");
  EXPECT_EQ(camera.file, "Quillon Mobile Camera Help.htm");
  EXPECT_EQ(camera.title, "Quillon Mobile Camera Help");
  EXPECT_EQ(camera.topic, "");
  const shell::HelpTopic gallery = shell::ParseHelpCommandLine("orsagal.htc#BROWSE");
  EXPECT_EQ(gallery.file, "orsagal.htc");
  EXPECT_EQ(gallery.title, "orsagal");
  EXPECT_EQ(gallery.topic, "BROWSE");
}

TEST_F(HelpTest, EitherNameOpensAFullScreenWindowTitledWithTheCommandLineThatOkCloses) {
  for (const char* name : {"peghelp.exe", "PegHelp.exe"}) {
    PROCESS_INFORMATION info;
    ASSERT_TRUE(CreateProcess(name, "orsagal.htc#BROWSE", &info)) << name;
    HWND help = WaitForHelpWindow();
    ASSERT_NE(help, nullptr) << name;
    EXPECT_EQ(GetWindowText(help), "orsagal.htc#BROWSE");
    RECT rect;
    GetWindowRect(help, &rect);
    EXPECT_EQ(rect, shell::WorkArea());
    EXPECT_EQ(GetForegroundWindow(), help);
    // The ok button at the right of the task bar.
    Tap(POINT{224, 13});
    EXPECT_EQ(WaitForSingleObject(*info.hProcess, 2000), WAIT_OBJECT_0) << name;
    EXPECT_FALSE(IsWindow(help));
  }
}

TEST_F(HelpTest, TheHelpRequestReachesTheWindowInFront) {
  // A help window stands for any program: it is in front, and Escape after
  // the request shows that its queue got the request first.
  PROCESS_INFORMATION info;
  ASSERT_TRUE(CreateProcess("peghelp.exe", "file:Quillon Mobile Camera Help.htm", &info));
  HWND front = WaitForHelpWindow();
  ASSERT_NE(front, nullptr);
  std::vector<UINT> seen;
  WindowProcedure original = GetWindowProcedure(front);
  SetWindowProcedure(front, [&seen, original](HWND w, UINT m, WPARAM wp, LPARAM lp) {
    seen.push_back(m);
    return CallWindowProc(original, w, m, wp, lp);
  });
  EXPECT_TRUE(SHSendHelpRequest());
  input::KeyDown(VK_ESCAPE);
  input::KeyUp(VK_ESCAPE);
  ASSERT_EQ(WaitForSingleObject(*info.hProcess, 2000), WAIT_OBJECT_0);
  EXPECT_NE(std::find(seen.begin(), seen.end(), WM_HELP), seen.end());
}

TEST_F(HelpTest, NoWindowInFrontMeansNoRequest) { EXPECT_FALSE(SHSendHelpRequest()); }

}  // namespace
}  // namespace platform
