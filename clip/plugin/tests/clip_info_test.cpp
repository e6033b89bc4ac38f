// Clip information and the server exports: sizes and a 64-bit-safe length
// from the main header, and damaged files that give what their header
// holds, never a crash.
#include "avi_builder.h"
#include "platform/files.h"
#include "plugin_fixture.h"

namespace clip::testing {
namespace {

class ClipInfoTest : public PluginTest {
 protected:
  static void WriteHandheldFile(const std::string& path, const Bytes& bytes) {
    platform::Handheld::Current().files().InstallFile(path, std::as_bytes(std::span(bytes)));
  }
};

TEST_F(ClipInfoTest,
       ThirtyFramesAtTwoSecondsLastOneMillionNineHundredNinetyNineThousandMicroseconds) {
  Record("\\m0001.avi", FramesPlan(160, 120, 30, 2));
  ClipInfo info;
  ASSERT_TRUE(get_info_("\\m0001.avi", &info));
  EXPECT_EQ(info.width, 160u);
  EXPECT_EQ(info.height, 120u);
  EXPECT_EQ(info.duration_us, 1'999'980u);  // 30 x 66,666
}

TEST_F(ClipInfoTest, ALengthBeyondThirtyTwoBitsReadsAsTheLargestInsteadOfWrappingAround) {
  const Bytes file = List("AVI ", {List("hdrl", {MainHeader(100'000, 100'000, 320, 240)})}, "RIFF");
  WriteHandheldFile("\\long.avi", file);
  ClipInfo info;
  ASSERT_TRUE(get_info_("\\long.avi", &info));
  EXPECT_EQ(info.duration_us, 0xFFFFFFFFu);
  EXPECT_EQ(info.width, 320u);
}

TEST_F(ClipInfoTest, DamagedClipsGiveNoThumbnailAndTheHeaderFieldsFound) {
  const Bytes header = MainHeader(125'000, 2, 320, 240);
  const Bytes video = List("strl", {StreamHeader("vids")});
  const Bytes frame = Chunk("00dc", CameraFrame(320, 240, 0));
  const Bytes movi = List("movi", {frame});
  const Bytes index = Index({{"00dc", 0x10, 4, static_cast<std::uint32_t>(frame.size() - 8)}});
  const Bytes whole = List("AVI ", {List("hdrl", {header, video}), movi, index}, "RIFF");
  struct Case {
    const char* name;
    Bytes bytes;
    DWORD width;  // 0: the parse never reaches the main header
  };
  const Case cases[] = {
      {"truncated", Bytes(whole.begin(), whole.begin() + whole.size() / 2), 320},
      {"no index", List("AVI ", {List("hdrl", {header, video}), movi}, "RIFF"), 320},
      {"unknown stream",
       List("AVI ", {List("hdrl", {header, List("strl", {StreamHeader("txts")})}), movi, index},
            "RIFF"),
       320},
      {"rate 0",
       List("AVI ",
            {List("hdrl", {header, List("strl", {StreamHeader("vids", 1'000'000, 0)})}), movi,
             Index({{"00dc", 0x10, 4, 5}})},
            "RIFF"),
       320},
      {"no RIFF", Filled(300, 0x41), 0},
      {"empty", {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = std::string("\\") + c.name + ".avi";
    WriteHandheldFile(path, c.bytes);
    platform::HBITMAP bitmap = nullptr;
    EXPECT_FALSE(get_thumbnail_(path.c_str(), &bitmap, 40, 30));
    EXPECT_EQ(bitmap, nullptr);
    ClipInfo info;
    EXPECT_TRUE(get_info_(path.c_str(), &info));
    EXPECT_EQ(info.width, c.width);
  }
  // The whole file makes a thumbnail: the cases fail for their damage.
  WriteHandheldFile("\\whole.avi", whole);
  platform::HBITMAP bitmap = nullptr;
  EXPECT_TRUE(get_thumbnail_("\\whole.avi", &bitmap, 40, 30));
  platform::DeleteObject(bitmap);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ClipInfoTest, TheServerExportsAnswerForAModuleWithoutClasses) {
  auto* get_class =
      platform::GetProcAddressAs<DllGetClassObjectFunction>(module_, kDllGetClassObjectExport);
  auto* can_unload =
      platform::GetProcAddressAs<DllCanUnloadNowFunction>(module_, kDllCanUnloadNowExport);
  auto* register_server =
      platform::GetProcAddressAs<DllRegisterServerFunction>(module_, kDllRegisterServerExport);
  ASSERT_TRUE(get_class && can_unload && register_server);
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(get_class(GUID{1}, GUID{2}, &object), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(get_class(GUID{}, GUID{}, nullptr), E_POINTER);
  EXPECT_EQ(can_unload(), S_OK);
  EXPECT_EQ(register_server(), S_OK);
}

}  // namespace
}  // namespace clip::testing
