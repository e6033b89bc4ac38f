// The library's modules on the handheld: attaching loads the resource
// module (or says it is missing), and the resource module holds the dialog
// and its texts. The export's dialog has tests of its own.
#include <gtest/gtest.h>

#include "beam_dialog_layout.h"
#include "beam_resources.h"
#include "fake_obex_peer.h"
#include "obex/orsabeam.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/modules.h"
#include "platform/resources.h"
#include "platform/sockets.h"
#include "platform/testing/temp_handheld.h"

namespace obex {
namespace {

class BeamModuleTest : public ::testing::Test {
 protected:
  BeamModuleTest() { installed_ = InstallOrsaBeam(device_.handheld()); }
  platform::ModuleManager& modules() { return device_.handheld().modules(); }

  platform::testing::TempHandheld device_;
  std::vector<std::string> installed_;
};

TEST_F(BeamModuleTest, InstallsBothModulesAsFilesOfTheRom) {
  EXPECT_EQ(installed_, (std::vector<std::string>{std::string(kOrsaBeamResourcesPath),
                                                  std::string(kOrsaBeamPath)}));
  EXPECT_NE(platform::GetFileAttributes(kOrsaBeamPath), platform::INVALID_FILE_ATTRIBUTES);
  // A second installation changes nothing.
  EXPECT_EQ(InstallOrsaBeam(device_.handheld()).size(), 2u);
}

TEST_F(BeamModuleTest, AttachingLoadsTheResourceModuleAndDetachingFreesIt) {
  const platform::HMODULE beam = platform::LoadLibrary("orsabeam.dll");
  ASSERT_NE(beam, nullptr);
  const platform::HMODULE resources = platform::GetModuleHandle("orsabeamres.dll");
  ASSERT_NE(resources, nullptr);
  EXPECT_EQ(modules().ReferenceCount(resources), 1u);
  EXPECT_TRUE(device_.handheld().message_boxes().Boxes().empty());
  EXPECT_NE(platform::GetProcAddressAs<OrsaBeamFunction>(beam, "OrsaBeam"), nullptr);

  EXPECT_TRUE(platform::FreeLibrary(beam));
  EXPECT_EQ(modules().ReferenceCount(resources), 0u);
}

TEST_F(BeamModuleTest, AMissingResourceModuleIsReportedOnceAndNoDialogShows) {
  {
    platform::InstallerAccess access;
    ASSERT_TRUE(platform::DeleteFile(kOrsaBeamResourcesPath));
  }
  const platform::HMODULE beam = platform::LoadLibrary("orsabeam.dll");
  ASSERT_NE(beam, nullptr);  // the library itself loads
  const std::vector<platform::MessageBoxRecord> boxes = device_.handheld().message_boxes().Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].request.text, "Resource file (orsabeamres.dll) not found!");
  EXPECT_EQ(boxes[0].request.caption, "orsabeam.dll");
  EXPECT_EQ(boxes[0].request.icon(), platform::MB_ICONEXCLAMATION);

  auto* orsa_beam = platform::GetProcAddressAs<OrsaBeamFunction>(beam, "OrsaBeam");
  ASSERT_NE(orsa_beam, nullptr);
  EXPECT_EQ(orsa_beam(nullptr, "\\My Documents\\a.jpg"), -1);
  EXPECT_EQ(device_.handheld().message_boxes().Boxes().size(), 1u);
  platform::FreeLibrary(beam);
}

class BeamResourcesTest : public BeamModuleTest {
 protected:
  BeamResourcesTest() : resources_(platform::LoadLibrary("orsabeamres.dll")) {}
  ~BeamResourcesTest() override { platform::FreeLibrary(resources_); }
  platform::HINSTANCE resources_;
};

TEST_F(BeamResourcesTest, HoldsEveryTextTheSenderShows) {
  for (UINT id : {kStringSearching, kStringConnected, kStringLoading, kStringTitle,
                  kStringSucceeded, kStringFailed}) {
    EXPECT_FALSE(BeamString(resources_, id).empty()) << id;
  }
  const std::string connected = FormatBeamString(resources_, kStringConnected, "Pocket PC");
  EXPECT_NE(connected.find("Pocket PC"), std::string::npos);
  EXPECT_EQ(connected.find('%'), std::string::npos);
  const std::string failed = FormatBeamString(resources_, kStringFailed, 666);
  EXPECT_NE(failed.find("666"), std::string::npos);
  const std::string sent = FormatBeamString(resources_, kStringSucceeded, 1);
  EXPECT_NE(sent.find('1'), std::string::npos);
  EXPECT_EQ(sent.find('%'), std::string::npos);
}

TEST_F(BeamResourcesTest, EveryTextIsInTheCamerasNineLanguagesWithItsArgument) {
  constexpr platform::LANGID kLanguages[] = {0x0409, 0x0407, 0x040C, 0x0410, 0x0C0A,
                                             0x0416, 0x0804, 0x0404, 0x0412};
  for (platform::LANGID language : kLanguages) {
    for (UINT id : {kStringSearching, kStringConnected, kStringLoading, kStringTitle,
                    kStringSucceeded, kStringFailed}) {
      std::string text;
      EXPECT_GT(platform::LoadString(resources_, id, language, &text), 0) << language << " " << id;
      const std::size_t percent = text.find('%');
      if (id == kStringConnected) {
        EXPECT_EQ(text.substr(percent, 2), "%s") << language;
      } else if (id == kStringSucceeded || id == kStringFailed) {
        EXPECT_EQ(text.substr(percent, 2), "%d") << language;
      } else {
        EXPECT_EQ(percent, std::string::npos) << language << " " << id;
      }
    }
  }
}

TEST_F(BeamResourcesTest, TheDialogTemplateHasTheSendersControls) {
  const auto dialog = platform::FindDialogTemplate(resources_, kDialogBeam);
  ASSERT_NE(dialog, nullptr);
  auto find = [&](UINT id) -> const platform::DialogItemTemplate* {
    for (const auto& item : dialog->items) {
      if (item.id == id) return &item;
    }
    return nullptr;
  };
  ASSERT_NE(find(kControlStatus), nullptr);
  ASSERT_NE(find(kControlLog), nullptr);
  ASSERT_NE(find(kControlLogSwitch), nullptr);
  EXPECT_EQ(find(kControlLog)->window_class, "LISTBOX");
  constexpr platform::DWORD kVisible = 0x10000000;
  EXPECT_EQ(find(kControlLog)->style & kVisible, 0u);  // hidden until revealed
  EXPECT_NE(find(kControlStatus)->style & kVisible, 0u);
}

// A resource module whose texts misuse their conversions.
class BadTextsTest : public ::testing::Test {
 protected:
  BadTextsTest() {
    auto resources = std::make_shared<platform::ModuleResources>();
    resources->AddString(platform::kLanguageEnglishUs, kStringConnected, "%s and %s");
    resources->AddString(platform::kLanguageEnglishUs, kStringSucceeded, "%s sent");
    resources->AddString(platform::kLanguageEnglishUs, kStringFailed, "100%% failed: %ld");
    resources->AddString(platform::kLanguageEnglishUs, kStringSearching, "%*d");
    platform::ModuleDefinition definition;
    definition.resources = resources;
    device_.handheld().modules().Register("\\Windows\\badres.dll", std::move(definition));
    const std::string marker = "module";
    device_.handheld().files().InstallFile("\\Windows\\badres.dll",
                                           std::as_bytes(std::span(marker)));
    module_ = platform::LoadLibrary("badres.dll");
  }
  platform::testing::TempHandheld device_;
  platform::HMODULE module_ = nullptr;
};

TEST_F(BadTextsTest, ATextWithTheWrongConversionsIsShownAsItStands) {
  ASSERT_NE(module_, nullptr);
  EXPECT_EQ(FormatBeamString(module_, kStringConnected, "x"), "%s and %s");
  EXPECT_EQ(FormatBeamString(module_, kStringSucceeded, 1), "%s sent");
  EXPECT_EQ(FormatBeamString(module_, kStringFailed, 666), "100%% failed: %ld");
  EXPECT_EQ(FormatBeamString(module_, kStringSearching, 5), "%*d");
  EXPECT_EQ(FormatBeamString(module_, kStringLoading, 5), "");  // no such string
}

TEST(HiddenLogSwitchTest, TheThirdClickShowsTheLog) {
  dialog::HiddenLogSwitch log_switch;
  EXPECT_FALSE(log_switch.Click());
  EXPECT_FALSE(log_switch.Click());
  EXPECT_TRUE(log_switch.Click());
  EXPECT_FALSE(log_switch.Click());
}

}  // namespace
}  // namespace obex
