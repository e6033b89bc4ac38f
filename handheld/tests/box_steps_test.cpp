// answer, expect-box and help: message boxes answered and checked from a
// script, and a help request reaching the program in front.
#include <gtest/gtest.h>

#include <atomic>
#include <sstream>

#include "emulator_fixture.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/programs.h"
#include "platform/window.h"

namespace handheld {
namespace {

constexpr const char* kAsker = "\\Windows\\asker.exe";

class BoxStepsTest : public testing::EmulatorFixture {
 protected:
  BoxStepsTest() : EmulatorFixture("orsa-box-steps") {
    // A program that asks a question, remembers the answer, and asks for
    // the gallery's help topic when the help key is pressed.
    emulator_->handheld().programs().Register(kAsker, [this](platform::HINSTANCE instance,
                                                             const std::string&) {
      answer_ = platform::MessageBox(nullptr, "Delete 2 pictures?", "Delete",
                                     platform::MB_YESNO | platform::MB_ICONQUESTION);
      platform::WNDCLASS asker;
      asker.hInstance = instance;
      asker.lpszClassName = "Asker";
      asker.lpfnWndProc = [](platform::HWND hwnd, platform::UINT message, platform::WPARAM wparam,
                             platform::LPARAM lparam) -> platform::LRESULT {
        if (message == platform::WM_HELP) {
          platform::CreateProcess("PegHelp.exe", "orsagal.htc#BROWSE");
          return 1;
        }
        if (message == platform::WM_DESTROY) platform::PostQuitMessage(0);
        return platform::DefWindowProc(hwnd, message, wparam, lparam);
      };
      platform::RegisterClass(&asker);
      platform::CreateWindow("Asker", "Asker", platform::WS_VISIBLE, platform::CW_USEDEFAULT, 0,
                             platform::CW_USEDEFAULT, 0, nullptr, nullptr, instance, nullptr);
      platform::MSG msg;
      while (platform::GetMessage(&msg, nullptr, 0, 0) > 0) platform::DispatchMessage(&msg);
      return 0;
    });
    const std::string marker = "program";
    platform::InstallerAccess access;
    emulator_->handheld().files().InstallFile(kAsker, std::as_bytes(std::span(marker)));
  }

  // Written by the asker's thread, read by the test.
  std::atomic<int> answer_ = 0;
};

TEST_F(BoxStepsTest, AnswerAnswersTheNextBoxAndExpectBoxFindsIt) {
  ASSERT_EQ(
      RunSteps(
          "answer yes\nstart \\Windows\\asker.exe\nexpect-box \"2 pictures\" Delete\nwait 100\n"),
      0)
      << steps_err_.str();
  EXPECT_EQ(answer_, platform::IDYES);
  EXPECT_NE(steps_out_.str().find("answered 6"), std::string::npos) << steps_out_.str();
}

TEST_F(BoxStepsTest, WithoutAnAnswerTheDefaultButtonIsTaken) {
  ASSERT_EQ(RunSteps("start \\Windows\\asker.exe\nexpect-box Delete\nwait 100\n"), 0)
      << steps_err_.str();
  EXPECT_EQ(answer_, platform::IDYES);
  // The same box does not count twice.
  EXPECT_EQ(RunSteps("expect-box Delete\n"), 1);
}

TEST_F(BoxStepsTest, ExpectBoxFailsTheScriptWhenNoBoxCame) {
  EXPECT_EQ(RunSteps("echo one\nexpect-box \"Out of memory\"\necho never\n"), 1);
  EXPECT_NE(
      steps_err_.str().find("line 2: expect-box: no message box with the text 'Out of memory'"),
      std::string::npos)
      << steps_err_.str();
  EXPECT_EQ(steps_out_.str().find("never"), std::string::npos);
  // A box with another text is named in the failure.
  EXPECT_EQ(RunSteps("answer no\nstart \\Windows\\asker.exe\nexpect-box \"Rename\"\n"), 1);
  EXPECT_NE(steps_err_.str().find("\"Delete\": \"Delete 2 pictures?\""), std::string::npos)
      << steps_err_.str();
  EXPECT_EQ(answer_, platform::IDNO);
}

TEST_F(BoxStepsTest, AnswerTakesOnlyTheFourAnswers) {
  EXPECT_EQ(RunSteps("answer maybe\n"), -1);
  EXPECT_NE(steps_err_.str().find("ok, cancel, yes or no"), std::string::npos);
}

TEST_F(BoxStepsTest, HelpAsksTheProgramInFrontWhichOpensItsTopic) {
  ASSERT_EQ(RunSteps("start \\Windows\\asker.exe\nexpect-window Asker\nhelp\n"
                     "expect-window HelpViewer orsagal.htc#BROWSE\n"
                     "expect-running peghelp.exe\n"
                     "tap 224 13\n"
                     "expect-no-window HelpViewer\n"
                     "expect-window Asker\n"),
            0)
      << steps_err_.str();
}

TEST_F(BoxStepsTest, HelpWithNothingInFrontFails) {
  EXPECT_EQ(RunSteps("help\n"), 1);
  EXPECT_NE(steps_err_.str().find("no window is active"), std::string::npos);
}

}  // namespace
}  // namespace handheld
