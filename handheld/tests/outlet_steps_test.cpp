// The handheld's outlets in the emulator: which mail, beam and print
// programs the options leave in "\Windows\" (so that the gallery's
// fall-backs run), the external display option, its mode change and
// screenshot-external.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <span>

#include "emulator_fixture.h"
#include "outlet_options.h"
#include "platform/external_display.h"
#include "platform/files.h"
#include "platform/gdi_png.h"
#include "platform/message_box.h"
#include "platform/modules.h"
#include "platform/registry.h"
#include "programs/beam.h"
#include "programs/mail.h"
#include "programs/print_engines.h"

namespace handheld {
namespace {

namespace programs = platform::programs;

class OutletStepsTest : public testing::EmulatorFixture {
 protected:
  OutletStepsTest() : EmulatorFixture("orsa-outlet-steps") {}

  void Boot(const OutletOptions& outlets) {
    EmulatorOptions options(root_);
    options.outlets = outlets;
    emulator_.reset();
    emulator_ = std::make_unique<Emulator>(options);
  }

  static bool Exists(std::string_view path) {
    return platform::GetFileAttributes(path) != platform::INVALID_FILE_ATTRIBUTES;
  }

  // The mail program the gallery would start: tmail when it is there.
  static std::string_view MailProgram() {
    return Exists(programs::kTmailPath) ? programs::kTmailPath : programs::kPmailPath;
  }
  // The beam program the gallery would start: beam when it is there.
  static std::string_view BeamProgram() {
    return Exists(programs::kBeamPath) ? "beam.exe" : "irsquirt.exe";
  }
};

TEST(OutletOptionsTest, ReadsEachOptionAndRefusesWrongValues) {
  OutletOptions options;
  bool used = false;
  std::string error;
  EXPECT_EQ(ParseOutletOption("--no-tmail", nullptr, &options, &used, &error), OptionParse::kTaken);
  EXPECT_FALSE(options.tmail);
  EXPECT_FALSE(used);
  EXPECT_EQ(ParseOutletOption("--no-beam", "x", &options, &used, &error), OptionParse::kTaken);
  EXPECT_FALSE(options.beam);
  EXPECT_TRUE(options.pmail && options.irsquirt);
  EXPECT_EQ(ParseOutletOption("--printer", "qx", &options, &used, &error), OptionParse::kTaken);
  EXPECT_TRUE(used);
  EXPECT_EQ(options.printer, programs::PrintEngine::kQx);
  EXPECT_EQ(ParseOutletOption("--printer", "laser", &options, &used, &error),
            OptionParse::kBadValue);
  EXPECT_EQ(error, "--printer takes mprint, qx or none");
  EXPECT_EQ(ParseOutletOption("--printer", nullptr, &options, &used, &error),
            OptionParse::kBadValue);
  EXPECT_EQ(ParseOutletOption("--external-display", "640x480x16", &options, &used, &error),
            OptionParse::kTaken);
  EXPECT_EQ(options.external_display, (platform::DisplayMode{640, 480, 16}));
  EXPECT_EQ(ParseOutletOption("--external-display", "640x480", &options, &used, &error),
            OptionParse::kBadValue);
  EXPECT_EQ(ParseOutletOption("--no-desktop", nullptr, &options, &used, &error),
            OptionParse::kNotOutlet);
}

TEST_F(OutletStepsTest, EveryOutletIsThereByDefault) {
  for (std::string_view path : {programs::kTmailPath, programs::kPmailPath, programs::kBeamPath,
                                programs::kIrsquirtPath, programs::kMprintPath}) {
    EXPECT_TRUE(Exists(path)) << path;
  }
  EXPECT_FALSE(Exists(programs::kQxPrintEnginePath));
  EXPECT_FALSE(platform::external_display::CurrentMode());
}

TEST_F(OutletStepsTest, WithoutTmailTheMailGoesThroughPmail) {
  OutletOptions outlets;
  outlets.tmail = false;
  Boot(outlets);
  ASSERT_EQ(MailProgram(), programs::kPmailPath);
  const std::string picture = "picture";
  ASSERT_TRUE(emulator_->handheld().files().InstallFile("\\My Documents\\Sea view.jpg",
                                                        std::as_bytes(std::span(picture))));
  ASSERT_EQ(RunSteps("start \\Windows\\pmail.exe -attach \"\\My Documents\\Sea view.jpg\"\n"
                     "wait-exit \\Windows\\pmail.exe\n"
                     "expect-file \"\\My Documents\\Outbox\\Message 0001.eml\"\n"),
            0)
      << steps_err_.str();
  std::ifstream message(root_ / "files" / "My Documents" / "Outbox" / "Message 0001.eml");
  const std::string text{std::istreambuf_iterator<char>(message), {}};
  EXPECT_NE(text.find("X-Mailer: pmail"), std::string::npos);
}

TEST_F(OutletStepsTest, WithoutBeamTheShellStartsIrsquirt) {
  OutletOptions outlets;
  outlets.beam = false;
  Boot(outlets);
  EXPECT_EQ(BeamProgram(), "irsquirt.exe");
  EXPECT_TRUE(Exists(programs::kIrsquirtPath));
  // Nobody in range: irsquirt searches, gives up and says so.
  EXPECT_EQ(RunSteps("start irsquirt.exe \\Windows\\demo.exe\n"
                     "wait-exit \\Windows\\irsquirt.exe 40000\n"
                     "expect-box \"No infrared device was found.\" Beam\n"),
            0)
      << steps_err_.str() << steps_out_.str();
}

TEST_F(OutletStepsTest, ThePrinterOptionChoosesTheEngineModules) {
  struct Case {
    programs::PrintEngine engine;
    bool mprint, qx;
  };
  for (const Case& c : {Case{programs::PrintEngine::kQx, false, true},
                        Case{programs::PrintEngine::kNone, false, false},
                        Case{programs::PrintEngine::kMprint, true, false}}) {
    OutletOptions outlets;
    outlets.printer = c.engine;
    Boot(outlets);
    EXPECT_EQ(Exists(programs::kMprintPath), c.mprint);
    EXPECT_EQ(Exists(programs::kQxPrintEnginePath), c.qx);
    EXPECT_EQ(Exists(programs::kQxPrintUiPath), c.qx);
    const platform::HMODULE engine = platform::LoadLibrary("QXPrintEngine.dll");
    EXPECT_EQ(engine != nullptr, c.qx);
    if (engine) platform::FreeLibrary(engine);
  }
}

TEST_F(OutletStepsTest, TheExternalDisplayShowsADrawingAndSurvivesAModeChange) {
  EXPECT_EQ(RunSteps("screenshot-external none.png\n"), 1);
  EXPECT_NE(steps_err_.str().find("no external display is plugged in"), std::string::npos);
  EXPECT_EQ(RunSteps("external-display 640x480\n"), -1);

  OutletOptions outlets;
  outlets.external_display = platform::DisplayMode{640, 480, 16};
  Boot(outlets);
  EXPECT_EQ(emulator_->handheld().registry().GetString(platform::HKEY_LOCAL_MACHINE,
                                                       "Drivers\\Display\\Active\\VGA", "Dll"),
            "ddi.dll");
  // Each screenshot is taken once the drawing program has ended.
  ASSERT_EQ(RunSteps("start \\Windows\\displaytest.exe\n"
                     "wait-exit \\Windows\\displaytest.exe\n"
                     "screenshot-external shots/first.png\n"
                     "start \\Windows\\displaytest.exe 2000\n"
                     "wait 600\n"
                     "external-display 800x600x24\n"
                     "wait-exit \\Windows\\displaytest.exe\n"
                     "screenshot-external shots/after-mode-change.png\n"),
            0)
      << steps_err_.str();
  const auto first = platform::gdi::ReadPng(root_ / "shots" / "first.png");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->width(), 640);
  EXPECT_EQ(first->height(), 480);
  EXPECT_EQ(first->GetPixel(120, 40), platform::RGB(255, 255, 0));  // the second bar
  EXPECT_EQ(first->GetPixel(600, 40), platform::RGB(0, 0, 0));      // the last one
  // The program found its drawing failing, reopened the display and drew
  // again at the new size; it ended without a message.
  const auto after = platform::gdi::ReadPng(root_ / "shots" / "after-mode-change.png");
  ASSERT_TRUE(after);
  EXPECT_EQ(after->width(), 800);
  EXPECT_EQ(after->height(), 600);
  EXPECT_EQ(after->GetPixel(150, 40), platform::RGB(255, 255, 0));
  EXPECT_NE(steps_out_.str().find("displaytest.exe ended with exit code 0"), std::string::npos)
      << steps_out_.str();
  EXPECT_TRUE(emulator_->handheld().message_boxes().Boxes().empty());

  ASSERT_EQ(RunSteps("external-display off\n"), 0);
  EXPECT_FALSE(emulator_->handheld().registry().GetString(platform::HKEY_LOCAL_MACHINE,
                                                          "Drivers\\Display\\Active\\VGA", "Dll"));
}

}  // namespace
}  // namespace handheld
