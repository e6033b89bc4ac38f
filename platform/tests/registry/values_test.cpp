// Values of registry keys: the types, reading into buffers of every size,
// deletion, enumeration and the typed helpers.
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "registry_test_fixture.h"

namespace platform::testing {
namespace {

class RegistryValuesTest : public RegistryTest {
 protected:
  RegistryValuesTest() : key_(Create(HKEY_CURRENT_USER, "Software\\QX\\orsagal")) {}
  ~RegistryValuesTest() override { registry().CloseKey(key_); }

  LONG Set(std::string_view name, DWORD type, std::string_view bytes) {
    return registry().SetValue(key_, name, type, bytes.data(), static_cast<DWORD>(bytes.size()));
  }

  // The value's type and bytes, read with a buffer of exactly its size.
  std::pair<DWORD, std::string> Query(std::string_view name) {
    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(registry().QueryValue(key_, name, &type, nullptr, &size), ERROR_SUCCESS) << name;
    std::string data(size, '\0');
    EXPECT_EQ(registry().QueryValue(key_, name, &type, data.data(), &size), ERROR_SUCCESS);
    EXPECT_EQ(size, data.size());
    return {type, data};
  }

  HKEY key_;
};

TEST_F(RegistryValuesTest, DwordRoundTrip) {
  const DWORD value = 0xA1B2C3D4;
  ASSERT_EQ(registry().SetValue(key_, "jpgno", REG_DWORD, &value, sizeof value), ERROR_SUCCESS);
  DWORD type = 0;
  DWORD read = 0;
  DWORD size = sizeof read;
  ASSERT_EQ(registry().QueryValue(key_, "JPGNO", &type, &read, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(read, value);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(registry().GetDword(HKEY_CURRENT_USER, "software\\qx\\orsagal", "jpgno"), value);
}

TEST_F(RegistryValuesTest, DwordOfAnotherSizeIsRefused) {
  EXPECT_EQ(Set("n", REG_DWORD, std::string_view("\1\0", 2)), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(Set("n", REG_DWORD, std::string_view("\1\0\0\0\0", 5)), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(registry().QueryValue(key_, "n", nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryValuesTest, StringsReadBackWithOneTerminatingZero) {
  // With or without the zero, and cut at an inner zero.
  ASSERT_EQ(Set("a", REG_SZ, "snap"), ERROR_SUCCESS);
  ASSERT_EQ(Set("b", REG_SZ, std::string_view("snap\0", 5)), ERROR_SUCCESS);
  ASSERT_EQ(Set("c", REG_SZ, std::string_view("snap\0tail", 9)), ERROR_SUCCESS);
  ASSERT_EQ(Set("empty", REG_SZ, ""), ERROR_SUCCESS);
  for (const char* name : {"a", "b", "c"}) {
    EXPECT_EQ(Query(name), std::pair(REG_SZ, std::string("snap\0", 5))) << name;
  }
  EXPECT_EQ(Query("empty"), std::pair(REG_SZ, std::string(1, '\0')));
  EXPECT_EQ(registry().GetString(key_, "", "c"), "snap");
}

TEST_F(RegistryValuesTest, SmallBufferGivesMoreDataAndTheSizeNeeded) {
  ASSERT_EQ(Set("App", REG_SZ, "\\windows\\pmail.exe"), ERROR_SUCCESS);
  std::array<char, 8> buffer;
  buffer.fill('#');
  DWORD size = buffer.size();
  DWORD type = 0;
  EXPECT_EQ(registry().QueryValue(key_, "App", &type, buffer.data(), &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 19u);
  EXPECT_EQ(type, REG_SZ);
  // A buffer of exactly the size needed is enough.
  std::vector<char> exact(size);
  EXPECT_EQ(registry().QueryValue(key_, "App", nullptr, exact.data(), &size), ERROR_SUCCESS);
  EXPECT_STREQ(exact.data(), "\\windows\\pmail.exe");
  // Asking with a buffer but no size is a fault of the caller.
  EXPECT_EQ(registry().QueryValue(key_, "App", nullptr, buffer.data(), nullptr),
            ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryValuesTest, MissingValueFailsWithFileNotFound) {
  DWORD size = 4;
  DWORD data = 0;
  EXPECT_EQ(registry().QueryValue(key_, "Missing", nullptr, &data, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(registry().DeleteValue(key_, "Missing"), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(registry().GetDword(HKEY_CURRENT_USER, "Software\\QX\\orsagal", "Missing"));
  EXPECT_FALSE(registry().GetDword(HKEY_CURRENT_USER, "Software\\Missing", "Missing"));
}

TEST_F(RegistryValuesTest, BinaryRoundTripKeepsEveryByte) {
  std::vector<BYTE> record(256);
  for (std::size_t i = 0; i < record.size(); ++i) record[i] = static_cast<BYTE>(255 - i);
  ASSERT_EQ(registry().SetValue(key_, "Options", REG_BINARY, record.data(),
                                static_cast<DWORD>(record.size())),
            ERROR_SUCCESS);
  const auto [type, data] = Query("Options");
  EXPECT_EQ(type, REG_BINARY);
  EXPECT_EQ(std::vector<BYTE>(data.begin(), data.end()), record);
  EXPECT_EQ(registry().GetBinary(key_, "", "Options"), record);

  // An empty binary value exists and has no bytes.
  ASSERT_EQ(registry().SetValue(key_, "Empty", REG_BINARY, nullptr, 0), ERROR_SUCCESS);
  EXPECT_EQ(Query("Empty"), std::pair(REG_BINARY, std::string()));
  EXPECT_EQ(registry().SetValue(key_, "Bad", REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryValuesTest, MultiStringsEndWithAnEmptyText) {
  ASSERT_EQ(Set("List", REG_MULTI_SZ, std::string_view("one\0two\0\0ignored\0", 18)),
            ERROR_SUCCESS);
  EXPECT_EQ(Query("List"), std::pair(REG_MULTI_SZ, std::string("one\0two\0\0", 9)));
  EXPECT_EQ(registry().GetMultiString(key_, "", "List"), (std::vector<std::string>{"one", "two"}));
  const std::vector<std::string> texts = {"a", "", "b"};
  ASSERT_EQ(registry().SetMultiString(key_, "", "Texts", texts), ERROR_SUCCESS);
  EXPECT_EQ(registry().GetMultiString(key_, "", "Texts"), (std::vector<std::string>{"a", "b"}));
}

TEST_F(RegistryValuesTest, SettingAValueReplacesItsTypeAndKeepsItsName) {
  ASSERT_EQ(Set("Version", REG_DWORD, std::string_view("\1\0\0\0", 4)), ERROR_SUCCESS);
  ASSERT_EQ(Set("VERSION", REG_SZ, "v1.15.002"), ERROR_SUCCESS);
  EXPECT_FALSE(registry().GetDword(key_, "", "version"));
  EXPECT_EQ(registry().GetString(key_, "", "version"), "v1.15.002");
  std::string name;
  ASSERT_EQ(registry().EnumValue(key_, 0, &name, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(name, "Version");
}

TEST_F(RegistryValuesTest, DefaultValueHasTheEmptyName) {
  ASSERT_EQ(Set("", REG_SZ, "orsagal.jpg"), ERROR_SUCCESS);
  EXPECT_EQ(registry().GetString(HKEY_CURRENT_USER, "Software\\QX\\orsagal", ""), "orsagal.jpg");
  EXPECT_EQ(registry().DeleteValue(key_, ""), ERROR_SUCCESS);
  EXPECT_FALSE(registry().GetString(HKEY_CURRENT_USER, "Software\\QX\\orsagal", ""));
}

TEST_F(RegistryValuesTest, DeleteValueLeavesTheOthers) {
  ASSERT_EQ(Set("a", REG_SZ, "1"), ERROR_SUCCESS);
  ASSERT_EQ(Set("b", REG_SZ, "2"), ERROR_SUCCESS);
  EXPECT_EQ(registry().DeleteValue(key_, "A"), ERROR_SUCCESS);
  EXPECT_EQ(registry().QueryValue(key_, "a", nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(registry().GetString(key_, "", "b"), "2");
}

TEST_F(RegistryValuesTest, ValuesEnumerateInNameOrderWithTheirData) {
  ASSERT_EQ(Set("Zoom", REG_SZ, "z"), ERROR_SUCCESS);
  ASSERT_EQ(Set("app", REG_SZ, "a"), ERROR_SUCCESS);
  ASSERT_EQ(Set("Mode", REG_BINARY, "\x07"), ERROR_SUCCESS);
  std::vector<std::string> names;
  std::string name;
  DWORD type = 0;
  char data[4];
  DWORD size = sizeof data;
  DWORD index = 0;
  for (; registry().EnumValue(key_, index, &name, &type, data, &size) == ERROR_SUCCESS; ++index) {
    names.push_back(name + "=" + std::string(data, size - (type == REG_SZ ? 1 : 0)));
    size = sizeof data;
  }
  EXPECT_EQ(names, (std::vector<std::string>{"app=a", "Mode=\x07", "Zoom=z"}));
  EXPECT_EQ(registry().EnumValue(key_, index, &name, &type, data, &size), ERROR_NO_MORE_ITEMS);

  // Too small a buffer: the name, type and size needed still come back.
  size = 1;
  EXPECT_EQ(registry().EnumValue(key_, 2, &name, &type, data, &size), ERROR_MORE_DATA);
  EXPECT_EQ(name, "Zoom");
  EXPECT_EQ(size, 2u);
}

TEST_F(RegistryValuesTest, TypedGettersIgnoreValuesOfAnotherType) {
  ASSERT_EQ(registry().SetString(key_, "Sub", "n", "12"), ERROR_SUCCESS);
  ASSERT_EQ(registry().SetDword(key_, "Sub", "s", 12), ERROR_SUCCESS);
  EXPECT_FALSE(registry().GetDword(key_, "Sub", "n"));
  EXPECT_FALSE(registry().GetString(key_, "Sub", "s"));
  EXPECT_FALSE(registry().GetBinary(key_, "Sub", "s"));
  EXPECT_FALSE(registry().GetMultiString(key_, "Sub", "n"));
  EXPECT_TRUE(registry().KeyExists(HKEY_CURRENT_USER, "Software\\QX\\orsagal\\Sub"));
}

}  // namespace
}  // namespace platform::testing
