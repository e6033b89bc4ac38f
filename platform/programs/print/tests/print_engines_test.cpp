// The print engines on a handheld, called the way the gallery calls them:
// each page read back by poppler (pdfinfo for the page count and size,
// pdftoppm for what is on it), and what they leave when a job cannot print.
#include "programs/print_engines.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "imaging/install.h"
#include "picture_writers.h"
#include "platform/clock_setting.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/modules.h"
#include "platform/testing/temp_handheld.h"
#include "programs/testing_run.h"

namespace platform::programs {
namespace {

namespace fs = std::filesystem;
using imaging::testing::Quadrants;
using testing::RunHostCommand;

// A page rendered at 72 dots per inch: one pixel per point.
struct Page {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
  std::array<int, 3> At(int x, int y) const {
    const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
    return {rgb[at], rgb[at + 1], rgb[at + 2]};
  }
};

Page RenderFirstPage(const fs::path& pdf, const fs::path& folder) {
  const fs::path stem = folder / "page";
  RunHostCommand("pdftoppm -r 72 -f 1 -singlefile '" + pdf.string() + "' '" + stem.string() + "'");
  Page page;
  std::ifstream in(stem.string() + ".ppm", std::ios::binary);
  std::string magic;
  int max = 0;
  in >> magic >> page.width >> page.height >> max;
  in.get();
  if (magic != "P6" || max != 255) return {};
  page.rgb.resize(static_cast<std::size_t>(page.width) * page.height * 3);
  in.read(reinterpret_cast<char*>(page.rgb.data()), static_cast<std::streamsize>(page.rgb.size()));
  return page;
}

::testing::AssertionResult Near(std::array<int, 3> actual, std::array<int, 3> expected) {
  for (int i = 0; i < 3; ++i) {
    if (std::abs(actual[i] - expected[i]) > 24) {
      return ::testing::AssertionFailure()
             << "got " << actual[0] << "," << actual[1] << "," << actual[2];
    }
  }
  return ::testing::AssertionSuccess();
}

class PrintEngineTest : public ::testing::Test {
 protected:
  void Boot(PrintEngine engine) {
    std::string error;
    ASSERT_TRUE(imaging::InstallImagingModule(device_.handheld(), &error)) << error;
    ASSERT_TRUE(InstallPrintEngines(device_.handheld(), engine));
    CreateDirectory("\\My Documents");
  }

  void Install(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    ASSERT_TRUE(device_.handheld().files().InstallFile(path, std::as_bytes(std::span(bytes))));
  }

  fs::path HostPath(const std::string& path) {
    return testing::HostPathOf(device_.handheld(), path);
  }

  // Checks the page is one portrait A4 sheet showing the 4:3 quadrant
  // picture (red, green / blue, white) across its width, upright, centred
  // between the margins.
  void ExpectQuadrantPage(const std::string& pdf_path) {
    const fs::path pdf = HostPath(pdf_path);
    ASSERT_FALSE(pdf.empty()) << ::testing::PrintToString(
        testing::FolderNames(device_.handheld(), kPrintedFolder));
    const std::string info = RunHostCommand("pdfinfo '" + pdf.string() + "' 2>&1");
    EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Page size:       595.276 x 841.89 pts (A4)"), std::string::npos) << info;
    const Page page = RenderFirstPage(pdf, device_.root());
    // pdftoppm rounds the 595.276-point width up.
    ASSERT_EQ(page.width, 596);
    ASSERT_EQ(page.height, 842);
    // The picture is 523 points wide (the page less two 36-point margins)
    // and 392 high, its top at 216.
    EXPECT_TRUE(Near(page.At(167, 314), {220, 30, 30}));
    EXPECT_TRUE(Near(page.At(428, 314), {30, 200, 40}));
    EXPECT_TRUE(Near(page.At(167, 510), {30, 40, 210}));
    EXPECT_TRUE(Near(page.At(428, 510), {250, 250, 250}));
    EXPECT_TRUE(Near(page.At(297, 150), {255, 255, 255}));  // above it: paper
    EXPECT_TRUE(Near(page.At(297, 700), {255, 255, 255}));  // below it
  }

  platform::testing::TempHandheld device_;
};

TEST_F(PrintEngineTest, MprintPrintsAJpegOnOneA4Page) {
  Boot(PrintEngine::kMprint);
  Install("\\My Documents\\Beach day.jpg", imaging::testing::EncodeJpeg(Quadrants(640, 480)));
  const HMODULE engine = LoadLibrary("mprint.dll");
  ASSERT_NE(engine, nullptr);
  auto* print_job = GetProcAddressAs<PrintJobFunction>(engine, kPrintJobExport);
  ASSERT_NE(print_job, nullptr);
  EXPECT_TRUE(print_job("\\My Documents\\Beach day.jpg"));
  ExpectQuadrantPage(std::string(kPrintedFolder) + "\\Beach day.pdf");
  // A second job of the same picture takes the next name.
  EXPECT_TRUE(print_job("\\My Documents\\Beach day.jpg"));
  EXPECT_FALSE(HostPath(std::string(kPrintedFolder) + "\\Beach day (2).pdf").empty());
  EXPECT_TRUE(testing::BoxTexts(device_.handheld()).empty())
      << ::testing::PrintToString(testing::BoxTexts(device_.handheld()));
  FreeLibrary(engine);
}

// The page's date is the handheld's, not the host machine's: set to a
// year the host cannot be in.
TEST_F(PrintEngineTest, ThePageIsDatedByTheHandheldsClock) {
  Boot(PrintEngine::kMprint);
  SYSTEMTIME date{};
  date.wYear = 2031;
  date.wMonth = 5;
  date.wDay = 4;
  date.wHour = 13;
  date.wMinute = 14;
  date.wSecond = 15;
  ASSERT_TRUE(SetLocalTime(&date));
  Install("\\My Documents\\dated.jpg", imaging::testing::EncodeJpeg(Quadrants(64, 48)));
  const HMODULE engine = LoadLibrary("mprint.dll");
  auto* print_job = GetProcAddressAs<PrintJobFunction>(engine, kPrintJobExport);
  ASSERT_NE(print_job, nullptr);
  ASSERT_TRUE(print_job("\\My Documents\\dated.jpg"));
  const fs::path pdf = HostPath(std::string(kPrintedFolder) + "\\dated.pdf");
  ASSERT_FALSE(pdf.empty());
  const std::string info = RunHostCommand("pdfinfo -isodates '" + pdf.string() + "' 2>&1");
  EXPECT_NE(info.find("CreationDate:    2031-05-04T13:14"), std::string::npos) << info;
  FreeLibrary(engine);
}

TEST_F(PrintEngineTest, MprintPrintsPngAndBmpToo) {
  Boot(PrintEngine::kMprint);
  Install("\\My Documents\\a.png",
          imaging::testing::EncodePng(Quadrants(640, 480), imaging::testing::PngKind::kRgb));
  Install("\\My Documents\\b.bmp", imaging::testing::EncodeBmp(Quadrants(640, 480)));
  const HMODULE engine = LoadLibrary("mprint.dll");
  auto* print_job = GetProcAddressAs<PrintJobFunction>(engine, kPrintJobExport);
  ASSERT_NE(print_job, nullptr);
  EXPECT_TRUE(print_job("\\My Documents\\a.png"));
  ExpectQuadrantPage(std::string(kPrintedFolder) + "\\a.pdf");
  EXPECT_TRUE(print_job("\\My Documents\\b.bmp"));
  ExpectQuadrantPage(std::string(kPrintedFolder) + "\\b.pdf");
  FreeLibrary(engine);
}

TEST_F(PrintEngineTest, TheTwoLibraryEngineInTheGallerysOrder) {
  Boot(PrintEngine::kQx);
  Install("\\My Documents\\snap0001.jpg", imaging::testing::EncodeJpeg(Quadrants(640, 480)));
  const HMODULE engine = LoadLibrary("QXPrintEngine.dll");
  const HMODULE ui = LoadLibrary("QXPrintUI.dll");
  ASSERT_NE(engine, nullptr);
  ASSERT_NE(ui, nullptr);
  auto* initialize = GetProcAddressAs<QXInitializePrintEngineFunction>(engine, kQxInitializeExport);
  auto* uninitialize =
      GetProcAddressAs<QXUnInitializePrintEngineFunction>(engine, kQxUnInitializeExport);
  auto* print_doc = GetProcAddressAs<QXPrintDocFunction>(engine, kQxPrintDocExport);
  auto* dialog = GetProcAddressAs<QXPrintDlgFunction>(ui, kQxPrintDlgExport);
  auto* progress = GetProcAddressAs<QXPrintProgressMsgBoxFunction>(ui, kQxProgressExport);
  ASSERT_TRUE(initialize && uninitialize && print_doc && dialog && progress);

  const std::string path = "\\My Documents\\snap0001.jpg";
  QXPrintDocument document;
  document.kind = kDocumentPictureFile;
  document.path = path.c_str();
  DWORD job = 0;
  // Not initialised: nothing prints.
  EXPECT_FALSE(print_doc(1, kPdfPrinterName, 1, &document, &job));

  ASSERT_TRUE(initialize());
  char printer[kPrinterNameLength];
  std::memset(printer, 0, sizeof printer);
  DWORD unused = 7;
  device_.handheld().message_boxes().QueueAnswer(IDOK);
  EXPECT_TRUE(dialog(1, printer, nullptr, &unused));
  EXPECT_STREQ(printer, "PDF");
  EXPECT_EQ(unused, 0u);
  ASSERT_TRUE(print_doc(1, printer, 1, &document, &job));
  EXPECT_TRUE(progress(job, nullptr));
  EXPECT_TRUE(uninitialize());
  ExpectQuadrantPage(std::string(kPrintedFolder) + "\\snap0001.pdf");
  const std::vector<std::string> boxes = testing::BoxTexts(device_.handheld());
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].substr(0, 19), "Print: Printer: PDF");
  EXPECT_EQ(boxes[1], "Print: Printed to \"\\My Documents\\Printed\\snap0001.pdf\".");

  // Cancelled: the name stays empty, so the gallery prints nothing.
  ASSERT_TRUE(initialize());
  device_.handheld().message_boxes().QueueAnswer(IDCANCEL);
  EXPECT_TRUE(dialog(1, printer, nullptr, &unused));
  EXPECT_STREQ(printer, "");
  EXPECT_FALSE(print_doc(1, "Laser", 1, &document, &job));
  EXPECT_TRUE(uninitialize());
  EXPECT_FALSE(uninitialize());
  EXPECT_EQ(testing::FolderNames(device_.handheld(), kPrintedFolder).size(), 1u);
  FreeLibrary(ui);
  FreeLibrary(engine);
}

TEST_F(PrintEngineTest, PicturesThatCannotPrintLeaveNoPage) {
  Boot(PrintEngine::kMprint);
  const std::string text = "not a picture";
  ASSERT_TRUE(device_.handheld().files().InstallFile("\\My Documents\\note.jpg",
                                                     std::as_bytes(std::span(text))));
  std::vector<std::uint8_t> cut = imaging::testing::EncodeJpeg(Quadrants(640, 480));
  cut.resize(40);
  Install("\\My Documents\\cut.jpg", cut);
  const HMODULE engine = LoadLibrary("mprint.dll");
  auto* print_job = GetProcAddressAs<PrintJobFunction>(engine, kPrintJobExport);
  ASSERT_NE(print_job, nullptr);
  struct Case {
    const char* path;
    std::string says;
  };
  const Case cases[] = {
      {"\\My Documents\\gone.jpg", "\"\\My Documents\\gone.jpg\" cannot be found."},
      {"\\My Documents", "\"\\My Documents\" is a folder, not a file."},
      {"", "\"\" is not a valid file name."},
      {"\\My Documents\\note.jpg",
       "\"\\My Documents\\note.jpg\" is not a picture that can be printed."},
      {"\\My Documents\\cut.jpg",
       "\"\\My Documents\\cut.jpg\" is not a picture that can be printed."},
  };
  for (const Case& c : cases) {
    device_.handheld().message_boxes().ClearRecord();
    EXPECT_FALSE(print_job(c.path)) << c.path;
    EXPECT_EQ(testing::BoxTexts(device_.handheld()),
              std::vector<std::string>{"Print: The picture was not printed. " + c.says});
  }
  EXPECT_FALSE(print_job(nullptr));
  EXPECT_TRUE(testing::FolderNames(device_.handheld(), kPrintedFolder).empty())
      << ::testing::PrintToString(testing::FolderNames(device_.handheld(), kPrintedFolder));
  FreeLibrary(engine);
}

TEST(PrintEngineChoiceTest, EachChoiceInstallsItsModulesOnly) {
  struct Case {
    PrintEngine engine;
    bool mprint, qx;
  };
  for (const Case& c :
       {Case{PrintEngine::kNone, false, false}, Case{PrintEngine::kMprint, true, false},
        Case{PrintEngine::kQx, false, true}}) {
    platform::testing::TempHandheld device;
    ASSERT_TRUE(InstallPrintEngines(device.handheld(), c.engine));
    const HMODULE mprint = LoadLibrary("mprint.dll");
    const HMODULE engine = LoadLibrary("QXPrintEngine.dll");
    const HMODULE ui = LoadLibrary("QXPrintUI.dll");
    EXPECT_EQ(mprint != nullptr, c.mprint);
    EXPECT_EQ(engine != nullptr, c.qx);
    EXPECT_EQ(ui != nullptr, c.qx);
    for (HMODULE module : {mprint, engine, ui}) {
      if (module) FreeLibrary(module);
    }
  }
}

}  // namespace
}  // namespace platform::programs
