// The application-profile facility: where entries live, their defaults and
// their persistence across runs.
#include "platform/profile.h"

#include "registry_test_fixture.h"

namespace platform::testing {
namespace {

using ProfileTest = RegistryTest;

TEST_F(ProfileTest, SectionsLiveBelowTheCompanyAndApplicationKeys) {
  const Profile profile(registry(), "\\Kav", "orsacap");
  EXPECT_EQ(profile.SectionPath("Setting"), "Software\\Kav\\orsacap\\Setting");
  EXPECT_EQ(Profile(registry(), "Kav\\", "orsacap").SectionPath("Setting"),
            "Software\\Kav\\orsacap\\Setting");
  EXPECT_EQ(Profile(registry(), "", "orsacap").SectionPath("Setting"),
            "Software\\orsacap\\Setting");

  ASSERT_TRUE(profile.WriteProfileInt("Setting", "jpgno", 12));
  ASSERT_TRUE(profile.WriteProfileString("Setting", "filename prefix", "img"));
  EXPECT_EQ(registry().GetDword(HKEY_CURRENT_USER, "Software\\Kav\\orsacap\\Setting", "jpgno"),
            12u);
  EXPECT_EQ(
      registry().GetString(HKEY_CURRENT_USER, "Software\\Kav\\orsacap\\Setting", "filename prefix"),
      "img");
}

TEST_F(ProfileTest, MissingEntriesReadAsTheirDefaults) {
  const Profile profile(registry(), "\\Kav", "orsacap");
  EXPECT_EQ(profile.GetProfileInt("Setting", "brightness", 50), 50u);
  EXPECT_EQ(profile.GetProfileString("Setting", "defaultfolder", "\\My Documents\\My Pictures\\"),
            "\\My Documents\\My Pictures\\");
  EXPECT_EQ(profile.GetProfileString("Setting", "nothing"), "");
  // Reading creates nothing.
  EXPECT_FALSE(registry().KeyExists(HKEY_CURRENT_USER, "Software\\Kav"));
}

TEST_F(ProfileTest, EntriesOfTheOtherKindReadAsTheirDefaults) {
  const Profile profile(registry(), "\\Kav", "orsacap");
  ASSERT_TRUE(profile.WriteProfileString("Setting", "awb", "3"));
  ASSERT_TRUE(profile.WriteProfileInt("Setting", "filename prefix", 7));
  EXPECT_EQ(profile.GetProfileInt("Setting", "awb", 0), 0u);
  EXPECT_EQ(profile.GetProfileString("Setting", "filename prefix", "snap"), "snap");
}

TEST_F(ProfileTest, EntriesPersistAndStayApartPerApplicationAndSection) {
  {
    const Profile camera(registry(), "\\Kav", "orsacap");
    ASSERT_TRUE(camera.WriteProfileInt("Setting", "jpgno", 9999));
    ASSERT_TRUE(camera.WriteProfileInt("Setting", "selftime", -1));
    ASSERT_TRUE(camera.WriteProfileString("Setting", "defaultfolder", "\\Storage Card\\Fotos\\"));
    ASSERT_TRUE(camera.WriteProfileInt("Other", "jpgno", 5));
  }
  Registry& later = Restart();
  const Profile camera(later, "\\Kav", "orsacap");
  EXPECT_EQ(camera.GetProfileInt("Setting", "JPGNO", 1), 9999u);
  EXPECT_EQ(static_cast<int>(camera.GetProfileInt("Setting", "selftime", 0)), -1);
  EXPECT_EQ(camera.GetProfileString("setting", "defaultfolder", ""), "\\Storage Card\\Fotos\\");
  EXPECT_EQ(camera.GetProfileInt("Other", "jpgno", 1), 5u);
  EXPECT_EQ(Profile(later, "\\Kav", "orsagal").GetProfileInt("Setting", "jpgno", 1), 1u);
  EXPECT_EQ(Profile(later, "\\Other", "orsacap").GetProfileInt("Setting", "jpgno", 1), 1u);
}

}  // namespace
}  // namespace platform::testing
