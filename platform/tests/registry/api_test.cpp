// The platform's registry calls on a whole handheld, and its registry across
// two runs of the handheld.
#include <string>

#include "platform/handheld.h"
#include "platform/profile.h"
#include "registry_test_fixture.h"

namespace platform::testing {
namespace {

class RegistryApiTest : public ::testing::Test {
 protected:
  ~RegistryApiTest() override {
    std::error_code error;
    std::filesystem::remove_all(root_, error);
  }

  HandheldConfig Config() const {
    HandheldConfig config;
    config.root = root_;
    return config;
  }

  std::filesystem::path root_ = MakeTemporaryFolder();
};

TEST_F(RegistryApiTest, CallsActOnTheCurrentHandheld) {
  Handheld handheld(Config());
  HKEY key;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "Ident", &key, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  ASSERT_EQ(RegSetValueEx(key, "Name", REG_SZ, "Pocket PC", 10), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(handheld.registry().GetString(HKEY_LOCAL_MACHINE, "Ident", "Name"), "Pocket PC");

  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "IDENT", &key), ERROR_SUCCESS);
  char name[4];
  DWORD size = sizeof name;
  DWORD type = 0;
  EXPECT_EQ(RegQueryValueEx(key, "name", &type, name, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 10u);
  EXPECT_EQ(RegQueryValueEx(key, "Missing", &type, name, &size), ERROR_FILE_NOT_FOUND);
  std::string text;
  EXPECT_EQ(RegEnumValue(key, 0, &text, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(text, "Name");
  EXPECT_EQ(RegEnumValue(key, 1, &text, &type, nullptr, &size), ERROR_NO_MORE_ITEMS);
  EXPECT_EQ(RegEnumKeyEx(key, 0, &text), ERROR_NO_MORE_ITEMS);
  EXPECT_EQ(RegDeleteValue(key, "Name"), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKey(HKEY_LOCAL_MACHINE, "Ident"), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Ident", &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryApiTest, RegKeyClosesItsKey) {
  Handheld handheld(Config());
  HKEY seen;
  {
    RegKey key;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\QX", key.put()), ERROR_SUCCESS);
    seen = key.get();
    EXPECT_EQ(RegSetValueEx(key.get(), "n", REG_DWORD, "\1\0\0\0", 4), ERROR_SUCCESS);
    // Storing a new key closes the old one.
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software", key.put()), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(seen), ERROR_INVALID_HANDLE);
    seen = key.get();
    RegKey moved = std::move(key);
    EXPECT_FALSE(key);
    EXPECT_EQ(moved.get(), seen);
  }
  EXPECT_EQ(RegCloseKey(seen), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryApiTest, ASecondRunOfTheHandheldReadsTheFirstRunsValues) {
  {
    Handheld first(Config());
    RegKey key;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\QX\\orsagal", key.put()), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(key.get(), "Path", REG_SZ, "\\My Documents", 14), ERROR_SUCCESS);
    ASSERT_TRUE(Profile("\\Kav", "orsacap").WriteProfileInt("Setting", "jpgno", 42));
    first.Shutdown();
  }
  EXPECT_TRUE(std::filesystem::exists(root_ / "registry.txt"));
  Handheld second(Config());
  EXPECT_EQ(Profile("\\Kav", "orsacap").GetProfileInt("Setting", "jpgno", 1), 42u);
  RegKey key;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\QX\\orsagal", key.put()), ERROR_SUCCESS);
  char path[32];
  DWORD size = sizeof path;
  ASSERT_EQ(RegQueryValueEx(key.get(), "Path", nullptr, path, &size), ERROR_SUCCESS);
  EXPECT_STREQ(path, "\\My Documents");
}

}  // namespace
}  // namespace platform::testing
