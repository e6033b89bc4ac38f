// Keys and handles of the registry: creation, opening, deletion and
// enumeration, with the error numbers of each failure.
#include <string>
#include <vector>

#include "registry_test_fixture.h"

namespace platform::testing {
namespace {

using RegistryKeysTest = RegistryTest;

std::vector<std::string> SubkeyNames(Registry& registry, HKEY key) {
  std::vector<std::string> names;
  std::string name;
  DWORD index = 0;
  while (registry.EnumKey(key, index, &name) == ERROR_SUCCESS) {
    names.push_back(name);
    ++index;
  }
  EXPECT_EQ(registry.EnumKey(key, index, &name), ERROR_NO_MORE_ITEMS);
  return names;
}

TEST_F(RegistryKeysTest, CreateReportsWhetherTheKeyIsNew) {
  HKEY first;
  DWORD disposition = 0;
  ASSERT_EQ(registry().CreateKey(HKEY_CURRENT_USER, "Software\\QX\\orsagal", &first, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  EXPECT_TRUE(first);

  HKEY second;
  ASSERT_EQ(registry().CreateKey(HKEY_CURRENT_USER, "SOFTWARE\\qx\\OrsaGal", &second, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  EXPECT_NE(first, second);

  // Both handles name the same key.
  ASSERT_EQ(registry().SetValue(first, "Path", REG_SZ, "x", 1), ERROR_SUCCESS);
  EXPECT_EQ(registry().QueryValue(second, "path", nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(registry().CloseKey(first), ERROR_SUCCESS);
  EXPECT_EQ(registry().CloseKey(second), ERROR_SUCCESS);
}

TEST_F(RegistryKeysTest, NamesKeepTheCaseTheyWereCreatedWith) {
  registry().CloseKey(Create(HKEY_LOCAL_MACHINE, "Drivers\\Display\\Active"));
  registry().CloseKey(Create(HKEY_LOCAL_MACHINE, "DRIVERS\\DISPLAY\\ACTIVE\\Second"));
  EXPECT_EQ(SubkeyNames(registry(), HKEY_LOCAL_MACHINE), std::vector<std::string>{"Drivers"});

  HKEY active;
  ASSERT_EQ(registry().OpenKey(HKEY_LOCAL_MACHINE, "drivers\\display\\active", &active),
            ERROR_SUCCESS);
  EXPECT_EQ(SubkeyNames(registry(), active), std::vector<std::string>{"Second"});
  registry().CloseKey(active);
}

TEST_F(RegistryKeysTest, PathsSkipEmptyNames) {
  registry().CloseKey(Create(HKEY_CURRENT_USER, "\\Software\\\\Kav\\"));
  EXPECT_TRUE(registry().KeyExists(HKEY_CURRENT_USER, "Software\\Kav"));
  HKEY same;
  ASSERT_EQ(registry().OpenKey(HKEY_CURRENT_USER, "Software\\Kav\\", &same), ERROR_SUCCESS);
  EXPECT_EQ(SubkeyNames(registry(), same), std::vector<std::string>{});
  registry().CloseKey(same);
}

TEST_F(RegistryKeysTest, KeysBelowAnOpenKeyAndTheKeyItself) {
  const HKEY software = Create(HKEY_CURRENT_USER, "Software");
  registry().CloseKey(Create(software, "Kav\\orsacap"));
  EXPECT_TRUE(registry().KeyExists(HKEY_CURRENT_USER, "Software\\Kav\\orsacap"));

  // An empty path opens the key again, under a handle of its own.
  HKEY again;
  ASSERT_EQ(registry().OpenKey(software, "", &again), ERROR_SUCCESS);
  EXPECT_NE(again, software);
  registry().CloseKey(software);
  EXPECT_EQ(SubkeyNames(registry(), again), std::vector<std::string>{"Kav"});
  registry().CloseKey(again);
}

TEST_F(RegistryKeysTest, OpeningAMissingKeyFailsWithFileNotFound) {
  HKEY key = HKEY(0x1234);
  EXPECT_EQ(registry().OpenKey(HKEY_LOCAL_MACHINE, "Ident", &key), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(key);
  registry().CloseKey(Create(HKEY_LOCAL_MACHINE, "Ident"));
  EXPECT_EQ(registry().OpenKey(HKEY_LOCAL_MACHINE, "Ident\\Missing", &key), ERROR_FILE_NOT_FOUND);
  // Each root is a tree of its own.
  EXPECT_EQ(registry().OpenKey(HKEY_CURRENT_USER, "Ident", &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryKeysTest, UnknownAndClosedHandlesAreInvalid) {
  HKEY key = Create(HKEY_CURRENT_USER, "Software");
  ASSERT_EQ(registry().CloseKey(key), ERROR_SUCCESS);
  HKEY result;
  std::string name;
  DWORD size = 0;
  EXPECT_EQ(registry().CloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(registry().OpenKey(key, "", &result), ERROR_INVALID_HANDLE);
  EXPECT_EQ(registry().CreateKey(key, "Sub", &result), ERROR_INVALID_HANDLE);
  EXPECT_EQ(registry().QueryValue(key, "", nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
  EXPECT_EQ(registry().SetValue(key, "", REG_SZ, "", 0), ERROR_INVALID_HANDLE);
  EXPECT_EQ(registry().EnumKey(key, 0, &name), ERROR_INVALID_HANDLE);
  EXPECT_EQ(registry().EnumKey(HKEY(), 0, &name), ERROR_INVALID_HANDLE);
  // Handles of another registry name nothing here.
  Registry other(folder_ / "other.txt");
  HKEY foreign;
  ASSERT_EQ(other.CreateKey(HKEY_CURRENT_USER, "Software", &foreign), ERROR_SUCCESS);
  EXPECT_EQ(registry().CloseKey(foreign), ERROR_INVALID_HANDLE);
  EXPECT_EQ(other.CloseKey(foreign), ERROR_SUCCESS);
  // Closing a root is allowed and changes nothing.
  EXPECT_EQ(registry().CloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
  EXPECT_TRUE(registry().KeyExists(HKEY_CURRENT_USER, "Software"));
}

TEST_F(RegistryKeysTest, MissingResultAndControlCharactersAreInvalidParameters) {
  EXPECT_EQ(registry().CreateKey(HKEY_CURRENT_USER, "Software", nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(registry().OpenKey(HKEY_CURRENT_USER, "", nullptr), ERROR_INVALID_PARAMETER);
  HKEY key;
  EXPECT_EQ(registry().CreateKey(HKEY_CURRENT_USER, "Line\nBreak", &key), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(key);
  EXPECT_FALSE(registry().KeyExists(HKEY_CURRENT_USER, "Line"));
}

TEST_F(RegistryKeysTest, DeleteKeyRemovesItsSubkeysAndValues) {
  const HKEY settings = Create(HKEY_CURRENT_USER, "Software\\QX\\orsagal\\Settings");
  ASSERT_EQ(registry().SetDword(settings, "Deep\\Deeper", "n", 1), ERROR_SUCCESS);
  ASSERT_EQ(registry().SetString(HKEY_CURRENT_USER, "Software\\QX\\orsagal", "Path", "\\"),
            ERROR_SUCCESS);

  EXPECT_EQ(registry().DeleteKey(HKEY_CURRENT_USER, "software\\qx\\orsagal\\settings"),
            ERROR_SUCCESS);
  EXPECT_FALSE(registry().KeyExists(HKEY_CURRENT_USER, "Software\\QX\\orsagal\\Settings"));
  EXPECT_FALSE(
      registry().GetDword(HKEY_CURRENT_USER, "Software\\QX\\orsagal\\Settings\\Deep\\Deeper", "n"));
  // The parent keeps its other contents.
  EXPECT_EQ(registry().GetString(HKEY_CURRENT_USER, "Software\\QX\\orsagal", "Path"), "\\");

  // Recreating the key gives an empty one, not the old contents.
  const HKEY fresh = Create(HKEY_CURRENT_USER, "Software\\QX\\orsagal\\Settings");
  EXPECT_EQ(SubkeyNames(registry(), fresh), std::vector<std::string>{});
  registry().CloseKey(fresh);
  registry().CloseKey(settings);
}

TEST_F(RegistryKeysTest, HandlesOnADeletedKeyFailWithKeyDeleted) {
  const HKEY parent = Create(HKEY_CURRENT_USER, "Gone");
  const HKEY child = Create(parent, "Child");
  ASSERT_EQ(registry().DeleteKey(HKEY_CURRENT_USER, "Gone"), ERROR_SUCCESS);
  HKEY result;
  std::string name;
  EXPECT_EQ(registry().SetValue(child, "v", REG_DWORD, "\1\0\0\0", 4), ERROR_KEY_DELETED);
  EXPECT_EQ(registry().CreateKey(parent, "Again", &result), ERROR_KEY_DELETED);
  EXPECT_EQ(registry().EnumKey(parent, 0, &name), ERROR_KEY_DELETED);
  // Nothing written through a stale handle reappears.
  EXPECT_FALSE(registry().KeyExists(HKEY_CURRENT_USER, "Gone"));
  EXPECT_EQ(registry().CloseKey(child), ERROR_SUCCESS);
  EXPECT_EQ(registry().CloseKey(parent), ERROR_SUCCESS);
}

TEST_F(RegistryKeysTest, DeleteKeyFailures) {
  EXPECT_EQ(registry().DeleteKey(HKEY_CURRENT_USER, "Missing"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(registry().DeleteKey(HKEY_CURRENT_USER, "Missing\\Child"), ERROR_FILE_NOT_FOUND);
  // A root cannot be deleted through an empty path.
  registry().CloseKey(Create(HKEY_CURRENT_USER, "Software"));
  EXPECT_EQ(registry().DeleteKey(HKEY_CURRENT_USER, ""), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(registry().DeleteKey(HKEY_CURRENT_USER, "\\"), ERROR_INVALID_PARAMETER);
  EXPECT_TRUE(registry().KeyExists(HKEY_CURRENT_USER, "Software"));
  EXPECT_EQ(registry().DeleteKey(HKEY(0x4242), "Software"), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryKeysTest, SubkeysEnumerateInNameOrderWithoutRegardToCase) {
  for (const char* name : {"Send Menu", "beam", "Zeta", "alpha", "Mail"}) {
    registry().CloseKey(Create(HKEY_CURRENT_USER, std::string("Software\\QX\\") + name));
  }
  HKEY qx;
  ASSERT_EQ(registry().OpenKey(HKEY_CURRENT_USER, "Software\\QX", &qx), ERROR_SUCCESS);
  EXPECT_EQ(SubkeyNames(registry(), qx),
            (std::vector<std::string>{"alpha", "beam", "Mail", "Send Menu", "Zeta"}));
  EXPECT_EQ(registry().EnumKey(qx, 100, nullptr), ERROR_NO_MORE_ITEMS);

  // Deleting one moves the later ones up.
  ASSERT_EQ(registry().DeleteKey(qx, "BEAM"), ERROR_SUCCESS);
  std::string name;
  ASSERT_EQ(registry().EnumKey(qx, 1, &name), ERROR_SUCCESS);
  EXPECT_EQ(name, "Mail");
  EXPECT_EQ(registry().EnumKey(qx, 4, &name), ERROR_NO_MORE_ITEMS);
  registry().CloseKey(qx);
}

}  // namespace
}  // namespace platform::testing
