// The registry file: what a later run reads back, the text it holds, and
// loading a damaged file.
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "registry_test_fixture.h"

namespace platform::testing {
namespace {

using RegistryFileTest = RegistryTest;

constexpr std::string_view kSetting = "Software\\Kav\\orsacap\\Setting";

TEST_F(RegistryFileTest, ALaterRunReadsEveryKindOfValue) {
  const std::vector<BYTE> record = {0x00, 0x01, 0x7F, 0x80, 0xFF};
  const std::vector<std::string> texts = {"one", "two"};
  ASSERT_EQ(registry().SetDword(HKEY_CURRENT_USER, kSetting, "jpgno", 9999), ERROR_SUCCESS);
  ASSERT_EQ(registry().SetString(HKEY_CURRENT_USER, kSetting, "filename prefix", "snap"),
            ERROR_SUCCESS);
  ASSERT_EQ(
      registry().SetBinary(HKEY_CURRENT_USER, "Software\\QX\\orsagal\\Settings", "General", record),
      ERROR_SUCCESS);
  ASSERT_EQ(registry().SetMultiString(HKEY_LOCAL_MACHINE, "Lists", "Names", texts), ERROR_SUCCESS);
  ASSERT_EQ(registry().SetString(HKEY_CLASSES_ROOT, ".jpg", "", "orsagal.jpg"), ERROR_SUCCESS);
  HKEY other;
  ASSERT_EQ(registry().CreateKey(HKEY_LOCAL_MACHINE, "Drivers\\Empty", &other), ERROR_SUCCESS);
  const DWORD expand_data = 0x0025;  // another type, kept as bytes
  ASSERT_EQ(registry().SetValue(other, "Expand", 0x42, &expand_data, 2), ERROR_SUCCESS);
  registry().CloseKey(other);
  registry().CloseKey(Create(HKEY_LOCAL_MACHINE, "Drivers\\Empty\\Leaf"));

  Registry& later = Restart();
  EXPECT_EQ(later.skipped_lines(), 0u);
  EXPECT_EQ(later.GetDword(HKEY_CURRENT_USER, kSetting, "JPGNO"), 9999u);
  EXPECT_EQ(later.GetString(HKEY_CURRENT_USER, kSetting, "filename prefix"), "snap");
  EXPECT_EQ(later.GetBinary(HKEY_CURRENT_USER, "Software\\QX\\orsagal\\Settings", "General"),
            record);
  EXPECT_EQ(later.GetMultiString(HKEY_LOCAL_MACHINE, "Lists", "Names"), texts);
  EXPECT_EQ(later.GetString(HKEY_CLASSES_ROOT, ".jpg", ""), "orsagal.jpg");
  EXPECT_TRUE(later.KeyExists(HKEY_LOCAL_MACHINE, "Drivers\\Empty\\Leaf"));
  HKEY key;
  ASSERT_EQ(later.OpenKey(HKEY_LOCAL_MACHINE, "Drivers\\Empty", &key), ERROR_SUCCESS);
  DWORD type = 0;
  char data[2];
  DWORD size = sizeof data;
  ASSERT_EQ(later.QueryValue(key, "Expand", &type, data, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, 0x42u);
  EXPECT_EQ(std::string(data, size), std::string("\x25\x00", 2));
  later.CloseKey(key);
}

TEST_F(RegistryFileTest, ChangesReachTheFileWithoutSave) {
  // The first run never saves nor ends, as when it crashes.
  Registry crashed(file());
  ASSERT_EQ(crashed.SetDword(HKEY_CURRENT_USER, kSetting, "avino", 7), ERROR_SUCCESS);
  ASSERT_EQ(crashed.SetDword(HKEY_CURRENT_USER, kSetting, "jpgno", 3), ERROR_SUCCESS);
  HKEY setting;
  ASSERT_EQ(crashed.OpenKey(HKEY_CURRENT_USER, kSetting, &setting), ERROR_SUCCESS);
  ASSERT_EQ(crashed.DeleteValue(setting, "avino"), ERROR_SUCCESS);
  crashed.CloseKey(setting);
  Registry later(file());
  EXPECT_EQ(later.GetDword(HKEY_CURRENT_USER, kSetting, "jpgno"), 3u);
  EXPECT_FALSE(later.GetDword(HKEY_CURRENT_USER, kSetting, "avino"));

  ASSERT_EQ(crashed.DeleteKey(HKEY_CURRENT_USER, "Software\\Kav"), ERROR_SUCCESS);
  EXPECT_FALSE(Registry(file()).KeyExists(HKEY_CURRENT_USER, "Software\\Kav"));
  EXPECT_FALSE(std::filesystem::exists(file().string() + ".tmp"));
}

TEST_F(RegistryFileTest, TheFileIsReadableText) {
  ASSERT_EQ(registry().SetDword(HKEY_CURRENT_USER, kSetting, "jpgno", 10), ERROR_SUCCESS);
  ASSERT_EQ(registry().SetString(HKEY_CURRENT_USER, kSetting, "filename prefix", "snap"),
            ERROR_SUCCESS);
  ASSERT_EQ(registry().SetBinary(HKEY_LOCAL_MACHINE, "Ident", "Raw", std::vector<BYTE>{1, 0xAB}),
            ERROR_SUCCESS);
  ASSERT_EQ(registry().SetString(HKEY_CLASSES_ROOT, ".jpg", "", "orsagal.jpg"), ERROR_SUCCESS);
  const std::string text = FileText();
  EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Kav\\orsacap\\Setting]\n"
                      "\"filename prefix\"=\"snap\"\n"
                      "\"jpgno\"=dword:0000000a\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\Ident]\n\"Raw\"=hex:01,ab\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("[HKEY_CLASSES_ROOT\\.jpg]\n@=\"orsagal.jpg\"\n"), std::string::npos) << text;
  // Keys that only lead to others get no section of their own.
  EXPECT_EQ(text.find("[HKEY_CURRENT_USER\\Software]"), std::string::npos) << text;
}

TEST_F(RegistryFileTest, TextsWithEscapesSurviveTheFile) {
  const std::vector<std::string> texts = {
      "say \"cheese\"",
      "\\My Documents\\My Pictures\\",
      "two\nlines\r\n\ttabbed",
      "Grüße, 写真, Фото, 사진",
      std::string("bell\x07 del\x7F bad\xFF\xC3 end"),
      "[not a section]",
      "; not a comment",
  };
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::string name = texts[i] + "=" + std::to_string(i);
    ASSERT_EQ(registry().SetString(HKEY_CURRENT_USER, "Texts", name, texts[i]), ERROR_SUCCESS);
  }
  ASSERT_EQ(registry().SetMultiString(HKEY_CURRENT_USER, "Texts", "list", texts), ERROR_SUCCESS);
  ASSERT_EQ(registry().SetString(HKEY_CURRENT_USER, "Ключ \"x\" [1]", "v", "1"), ERROR_SUCCESS);

  Registry& later = Restart();
  EXPECT_EQ(later.skipped_lines(), 0u) << FileText();
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::string name = texts[i] + "=" + std::to_string(i);
    EXPECT_EQ(later.GetString(HKEY_CURRENT_USER, "Texts", name), texts[i]) << name;
  }
  EXPECT_EQ(later.GetMultiString(HKEY_CURRENT_USER, "Texts", "list"), texts);
  EXPECT_EQ(later.GetString(HKEY_CURRENT_USER, "ключ \"X\" [1]", "v"), "1");
  // Every value stays on one line.
  const std::string text = FileText();
  EXPECT_EQ(text.find("two\nlines"), std::string::npos);
}

TEST_F(RegistryFileTest, ADamagedFileLoadsWhatItCan) {
  const std::string damaged =
      "; a comment\n"
      "\"orphan\"=dword:00000001\n"
      "[HKEY_CURRENT_USER\\Software\\Kav\\orsacap\\Setting]\r\n"
      "\"awb\"=dword:00000002\r\n"
      "\"color\"=dword:xyz\n"
      "\"resolution\"=dword:123456789\n"
      "\"prefix\"=\"unterminated\n"
      "\"escape\"=\"bad \\q escape\"\n"
      "\"bytes\"=hex:01,,02\n"
      "\"multi\"=multi:\"a\",\n"
      "garbage line\n"
      "  \"imagequality\" = dword:2 \n"
      "[HKEY_NOWHERE\\Key]\n"
      "\"lost\"=dword:00000001\n"
      "[HKEY_LOCAL_MACHINE\\Ident\n"
      "\"more\"=dword:00000001\n"
      "[HKEY_LOCAL_MACHINE\\Ident]\n"
      "@=\"Pocket PC\"\n"
      "\"half\"=hex(3):0";
  WriteFileText(damaged);
  Registry& later = Restart();
  EXPECT_EQ(later.skipped_lines(), 12u);
  EXPECT_EQ(later.GetDword(HKEY_CURRENT_USER, kSetting, "awb"), 2u);
  EXPECT_EQ(later.GetDword(HKEY_CURRENT_USER, kSetting, "imagequality"), 2u);
  EXPECT_FALSE(later.GetDword(HKEY_CURRENT_USER, kSetting, "color"));
  EXPECT_FALSE(later.GetDword(HKEY_CURRENT_USER, kSetting, "resolution"));
  EXPECT_FALSE(later.GetString(HKEY_CURRENT_USER, kSetting, "prefix"));
  EXPECT_EQ(later.GetString(HKEY_LOCAL_MACHINE, "Ident", ""), "Pocket PC");
  EXPECT_EQ(later.GetBinary(HKEY_LOCAL_MACHINE, "Ident", "half"), std::vector<BYTE>{0});

  // The damaged file is kept aside when the next change rewrites it.
  ASSERT_EQ(later.SetDword(HKEY_CURRENT_USER, kSetting, "awb", 3), ERROR_SUCCESS);
  std::ifstream kept(file().string() + ".damaged", std::ios::binary);
  std::ostringstream kept_text;
  kept_text << kept.rdbuf();
  EXPECT_EQ(kept_text.str(), damaged);
  EXPECT_EQ(Restart().skipped_lines(), 0u);
}

TEST_F(RegistryFileTest, BinaryJunkAndEmptyFilesLoadWithoutHarm) {
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk.push_back(static_cast<char>((i * 7919) % 256));
  WriteFileText(junk);
  EXPECT_GT(Restart().skipped_lines(), 0u);
  EXPECT_EQ(registry().SetDword(HKEY_CURRENT_USER, "After", "n", 1), ERROR_SUCCESS);

  WriteFileText("");
  EXPECT_EQ(Restart().skipped_lines(), 0u);
  EXPECT_EQ(registry().EnumKey(HKEY_CURRENT_USER, 0, nullptr), ERROR_NO_MORE_ITEMS);
}

TEST_F(RegistryFileTest, AFailedWriteIsRetriedBySave) {
  // A folder where the file should be makes every write fail.
  std::filesystem::create_directory(file());
  ASSERT_EQ(registry().SetDword(HKEY_CURRENT_USER, kSetting, "jpgno", 5), ERROR_SUCCESS);
  std::filesystem::remove(file());
  registry().Save();
  EXPECT_EQ(Registry(file()).GetDword(HKEY_CURRENT_USER, kSetting, "jpgno"), 5u);
}

TEST_F(RegistryFileTest, ConcurrentWritersLoseNothing) {
  std::vector<std::thread> writers;
  for (int thread = 0; thread < 4; ++thread) {
    writers.emplace_back([this, thread] {
      for (DWORD i = 0; i < 25; ++i) {
        const std::string key = "Thread" + std::to_string(thread);
        registry().SetDword(HKEY_CURRENT_USER, key, "n" + std::to_string(i), i);
        HKEY handle;
        if (registry().OpenKey(HKEY_CURRENT_USER, key, &handle) == ERROR_SUCCESS) {
          registry().EnumValue(handle, i / 2, nullptr, nullptr, nullptr, nullptr);
          registry().CloseKey(handle);
        }
      }
    });
  }
  for (std::thread& writer : writers) writer.join();
  Registry& later = Restart();
  for (int thread = 0; thread < 4; ++thread) {
    for (DWORD i = 0; i < 25; ++i) {
      EXPECT_EQ(later.GetDword(HKEY_CURRENT_USER, "Thread" + std::to_string(thread),
                               "n" + std::to_string(i)),
                i);
    }
  }
}

}  // namespace
}  // namespace platform::testing
