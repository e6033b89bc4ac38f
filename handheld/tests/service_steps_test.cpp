// mic, expect-sound, reg-set, expect-reg, set-time, wait-exit and kill of
// a program another program started, and the step help.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "emulator_fixture.h"
#include "platform/audio.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/programs.h"
#include "platform/registry.h"
#include "platform/sound.h"
#include "platform/time.h"
#include "platform/wave.h"

namespace handheld {
namespace {

class ServiceStepsTest : public testing::EmulatorFixture {
 protected:
  ServiceStepsTest() : EmulatorFixture("orsa-service-steps") {}
};

TEST_F(ServiceStepsTest, SetTimeMakesTheDateOnScreenTheSameOnEveryRun) {
  ASSERT_EQ(RunSteps("set-time 2026-12-08 09:30\n"), 0) << steps_err_.str();
  EXPECT_EQ(platform::FormatDate(platform::LOCALE_SYSTEM_DEFAULT, 0, nullptr), "12/8/26");
  platform::SYSTEMTIME now;
  platform::GetLocalTime(&now);
  EXPECT_EQ(now.wHour, 9);
  EXPECT_EQ(now.wMinute, 30);
  EXPECT_EQ(RunSteps("set-time 2026-02-30 09:30\n"), -1);
  EXPECT_NE(steps_err_.str().find("YYYY-MM-DD HH:MM"), std::string::npos);
  EXPECT_EQ(RunSteps("set-time 2026-12-08 25:00\n"), -1);
}

TEST_F(ServiceStepsTest, RegSetAndExpectReg) {
  ASSERT_EQ(
      RunSteps("reg-set HKCU\\Software\\Kav\\orsacap\\Setting quality dword 2\n"
               "reg-set HKCU\\Software\\Kav\\orsacap\\Setting folder sz \"\\My Documents\"\n"
               "expect-reg HKCU\\Software\\Kav\\orsacap\\Setting quality 2\n"
               "expect-reg HKCU\\Software\\Kav\\orsacap\\Setting quality 0x2\n"
               "expect-reg HKCU\\Software\\Kav\\orsacap\\Setting folder \"\\My Documents\"\n"),
      0)
      << steps_err_.str();
  EXPECT_EQ(emulator_->handheld().registry().GetDword(platform::HKEY_CURRENT_USER,
                                                      "Software\\Kav\\orsacap\\Setting", "quality"),
            2u);
  EXPECT_EQ(RunSteps("expect-reg HKCU\\Software\\Kav\\orsacap\\Setting quality 3\n"), 1);
  EXPECT_NE(steps_err_.str().find("quality is \"2\", not \"3\""), std::string::npos)
      << steps_err_.str();
  EXPECT_EQ(RunSteps("expect-reg HKCU\\Software\\Nobody none 1\n"), 1);
  EXPECT_EQ(RunSteps("reg-set HKXX\\Software a dword 1\n"), -1);
  EXPECT_EQ(RunSteps("reg-set HKCU\\Software a dword many\n"), -1);
}

TEST_F(ServiceStepsTest, ExpectSoundFindsAPlayedSoundOnce) {
  EXPECT_EQ(RunSteps("expect-sound default\n"), 1);
  EXPECT_NE(steps_err_.str().find("no sound 'default'"), std::string::npos);
  // A missing sound file plays the default sound.
  platform::PlaySound("\\Windows\\shutter.wav", nullptr,
                      platform::SND_FILENAME | platform::SND_ASYNC);
  ASSERT_EQ(RunSteps("expect-sound shutter.wav\n"), 0) << steps_err_.str();
  EXPECT_EQ(RunSteps("expect-sound shutter.wav\n"), 1);
}

TEST_F(ServiceStepsTest, MicSetsWhatTheMicrophoneHears) {
  EXPECT_EQ(RunSteps("mic tone\n"), -1);
  EXPECT_EQ(RunSteps("mic tone 0\n"), -1);
  EXPECT_EQ(RunSteps("mic whistle\n"), -1);
  EXPECT_EQ(RunSteps("mic wav /no/such.wav\n"), 1);
  EXPECT_NE(steps_err_.str().find("cannot read the WAV file"), std::string::npos);
  ASSERT_EQ(RunSteps("mic tone 1000\n"), 0) << steps_err_.str();
  // Recording a little shows the tone: not silence.
  platform::WAVEFORMATEX format;
  format.wFormatTag = platform::WAVE_FORMAT_PCM;
  format.nChannels = 1;
  format.nSamplesPerSec = 8000;
  format.wBitsPerSample = 16;
  format.nBlockAlign = 2;
  format.nAvgBytesPerSec = 16000;
  platform::HWAVEIN in = nullptr;
  ASSERT_EQ(platform::WaveInOpen(&in, 0, &format, 0, 0, platform::CALLBACK_NULL),
            platform::MMSYSERR_NOERROR);
  std::vector<std::int16_t> samples(800);
  platform::WAVEHDR header;
  header.lpData = reinterpret_cast<char*>(samples.data());
  header.dwBufferLength = static_cast<platform::DWORD>(samples.size() * 2);
  platform::WaveInPrepareHeader(in, &header, sizeof(header));
  platform::WaveInAddBuffer(in, &header, sizeof(header));
  platform::WaveInStart(in);
  // 800 samples take 100 ms; the flags are read only after the reset, which
  // waits for the audio thread that writes them.
  platform::Sleep(1000);
  platform::WaveInReset(in);
  platform::WaveInUnprepareHeader(in, &header, sizeof(header));
  platform::WaveInClose(in);
  ASSERT_TRUE(header.dwFlags & platform::WHDR_DONE);
  int loudest = 0;
  for (std::int16_t s : samples) loudest = std::max(loudest, std::abs(static_cast<int>(s)));
  EXPECT_GT(loudest, 4000);
  ASSERT_EQ(RunSteps("mic silence\n"), 0);
}

TEST_F(ServiceStepsTest, WaitExitAndExpectRunningFollowProgramsOthersStarted) {
  // The demo started by the platform, not the script.
  ASSERT_TRUE(platform::CreateProcess("\\Windows\\demo.exe", ""));
  ASSERT_EQ(
      RunSteps(
          "expect-running demo.exe\nexpect-window OrsaDemo\nkey escape\nwait-exit demo.exe 2000\n"),
      0)
      << steps_err_.str();
  EXPECT_EQ(RunSteps("expect-running demo.exe\n"), 1);
  EXPECT_EQ(RunSteps("wait-exit demo.exe\n"), 1);
  EXPECT_NE(steps_err_.str().find("is not running"), std::string::npos);
}

TEST_F(ServiceStepsTest, KillEndsAProgramWithoutItsOwnShutDown) {
  platform::PROCESS_INFORMATION demo;
  ASSERT_TRUE(platform::CreateProcess("\\Windows\\demo.exe", "", &demo));
  ASSERT_EQ(RunSteps("expect-window OrsaDemo\nkill demo.exe\nexpect-no-window OrsaDemo\n"), 0)
      << steps_err_.str();
  platform::DWORD exit_code = 0;
  ASSERT_TRUE(platform::GetExitCodeProcess(demo.hProcess, &exit_code));
  EXPECT_EQ(exit_code, 0xDEADu) << "ended by the kill, not by its own way out (0)";
  EXPECT_EQ(RunSteps("kill demo.exe\n"), 1);
  EXPECT_NE(steps_err_.str().find("demo.exe is not running"), std::string::npos);
}

TEST(StepHelp, EveryStepSaysHowItIsWritten) {
  const std::string help = StepsHelp();
  for (const auto& [name, kind] : Steps()) {
    EXPECT_TRUE(kind.usage.starts_with(name)) << name;
    EXPECT_FALSE(kind.help.empty()) << name;
    EXPECT_NE(help.find(kind.usage), std::string::npos) << name;
  }
}

}  // namespace
}  // namespace handheld
