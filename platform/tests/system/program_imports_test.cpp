// Programs that link modules: the modules are loaded before the program
// starts and freed when it ends; a missing one stops the start, clearly.
#include <gtest/gtest.h>

#include <span>
#include <string>

#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/message_box.h"
#include "platform/modules.h"
#include "platform/programs.h"
#include "platform/testing/temp_handheld.h"
#include "platform/threads.h"
#include "platform/time.h"

namespace platform {
namespace {

constexpr std::string_view kGalleryProgram = "\\Windows\\orsagal.exe";
constexpr std::string_view kBeam = "\\Windows\\orsabeam.dll";

class ProgramImportsTest : public ::testing::Test {
 protected:
  void Install(std::string_view path) {
    const std::string contents = "image";
    ASSERT_TRUE(device_.handheld().files().InstallFile(path, std::as_bytes(std::span(contents))));
  }
  void AddGallery() {
    device_.handheld().programs().Register(kGalleryProgram,
                                           [this](HINSTANCE, const std::string&) {
                                             beam_loaded_at_start_ =
                                                 GetModuleHandle("orsabeam.dll") != nullptr;
                                             return 0;
                                           },
                                           {}, {"orsabeam.dll"});
    Install(kGalleryProgram);
  }

  testing::TempHandheld device_;
  bool beam_loaded_at_start_ = false;
};

TEST_F(ProgramImportsTest, ALinkedModuleIsLoadedBeforeTheStartAndFreedAfterTheEnd) {
  device_.handheld().modules().Register(kBeam, {});
  Install(kBeam);
  AddGallery();
  PROCESS_INFORMATION info;
  ASSERT_TRUE(CreateProcess(kGalleryProgram, "", &info)) << GetLastError();
  WaitForSingleObject(*info.hProcess, INFINITE);
  EXPECT_TRUE(beam_loaded_at_start_);
  EXPECT_EQ(GetModuleHandle("orsabeam.dll"), nullptr);
  EXPECT_TRUE(device_.handheld().message_boxes().Boxes().empty());
}

TEST_F(ProgramImportsTest, AMissingModuleStopsTheStartWithABoxNamingIt) {
  AddGallery();  // orsabeam.dll is not there
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(CreateProcess(kGalleryProgram, "", nullptr));
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  EXPECT_TRUE(EnumProcesses().empty());
  const auto boxes = device_.handheld().message_boxes().Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].request.text.find("orsagal.exe"), std::string::npos);
  EXPECT_NE(boxes[0].request.text.find("orsabeam.dll"), std::string::npos);
}

TEST_F(ProgramImportsTest, ModulesLoadedBeforeTheMissingOneAreFreedAgain) {
  device_.handheld().modules().Register(kBeam, {});
  Install(kBeam);
  device_.handheld().programs().Register(kGalleryProgram,
                                         [](HINSTANCE, const std::string&) { return 0; }, {},
                                         {"orsabeam.dll", "mprint.dll"});
  Install(kGalleryProgram);
  EXPECT_FALSE(CreateProcess(kGalleryProgram, "", nullptr));
  EXPECT_EQ(GetModuleHandle("orsabeam.dll"), nullptr);
}

TEST_F(ProgramImportsTest, ARunningProgramCanBeOpenedByItsId) {
  device_.handheld().programs().Register(kGalleryProgram, [](HINSTANCE, const std::string&) {
    Sleep(1000);
    return 7;
  });
  Install(kGalleryProgram);
  PROCESS_INFORMATION info;
  ASSERT_TRUE(CreateProcess(kGalleryProgram, "", &info));
  ProcessHandle opened = OpenProcess(info.dwProcessId);
  EXPECT_EQ(opened, info.hProcess);
  WaitForSingleObject(*opened, INFINITE);
  EXPECT_EQ(OpenProcess(info.dwProcessId), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

}  // namespace
}  // namespace platform
