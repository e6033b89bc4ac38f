// One text of each language drawn with the handheld's text drawing and the
// face a camera dialog of that language would ask for.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "localization/get_str.h"
#include "localization/install.h"
#include "platform/gdi.h"
#include "platform/modules.h"
#include "platform/testing/temp_handheld.h"

namespace localization {
namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 24;

struct Face {
  const char* name;
  platform::BYTE charset;
};

Face FaceFor(int language) {
  switch (language) {
    case 1:
      return {"SimSun", platform::GB2312_CHARSET};
    case 2:
      return {"MingLiU", platform::CHINESEBIG5_CHARSET};
    case 8:
      return {"Gulim", platform::HANGUL_CHARSET};
    default:
      return {"Tahoma", platform::ANSI_CHARSET};
  }
}

struct DcDeleter {
  void operator()(platform::HDC dc) const { platform::DeleteDC(dc); }
};
template <typename Handle>
struct ObjectDeleter {
  void operator()(Handle object) const { platform::DeleteObject(object); }
};

class DrawTextsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InstallLocalizationModule(handheld_.handheld()));
    module_ = platform::LoadLibrary(kModulePath);
    get_str_ = platform::GetProcAddressAs<GetStrFunction>(module_, kGetStrExport);
    ASSERT_NE(get_str_, nullptr);
  }
  void TearDown() override { platform::FreeLibrary(module_); }

  platform::testing::TempHandheld handheld_;
  platform::HMODULE module_ = nullptr;
  GetStrFunction* get_str_ = nullptr;
};

TEST_F(DrawTextsTest, EachLanguageDrawsItsWholeText) {
  for (int language = 0; language < kLanguageCount; ++language) {
    std::string text;
    ASSERT_NE(get_str_(language, 50082, &text), 0);  // "SDIO Connect Error!"
    SCOPED_TRACE("language " + std::to_string(language) + ": " + text);

    std::unique_ptr<std::remove_pointer_t<platform::HDC>, DcDeleter> dc(
        platform::CreateCompatibleDC(nullptr));
    ASSERT_NE(dc, nullptr);
    platform::BITMAPINFO info;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    std::unique_ptr<std::remove_pointer_t<platform::HBITMAP>, ObjectDeleter<platform::HBITMAP>>
        bitmap(platform::CreateDIBSection(dc.get(), &info, platform::DIB_RGB_COLORS, &bits));
    ASSERT_NE(bitmap, nullptr);
    platform::LOGFONT logfont;
    logfont.lfHeight = -12;
    logfont.lfFaceName = FaceFor(language).name;
    logfont.lfCharSet = FaceFor(language).charset;
    std::unique_ptr<std::remove_pointer_t<platform::HFONT>, ObjectDeleter<platform::HFONT>> font(
        platform::CreateFontIndirect(&logfont));
    ASSERT_NE(font, nullptr);
    const platform::HGDIOBJ old_bitmap = platform::SelectObject(dc.get(), bitmap.get());
    const platform::HGDIOBJ old_font = platform::SelectObject(dc.get(), font.get());

    platform::SetTextColor(dc.get(), platform::RGB(255, 255, 255));
    platform::SetBkMode(dc.get(), platform::TRANSPARENT);
    platform::SIZE extent;
    ASSERT_TRUE(platform::GetTextExtentPoint32(dc.get(), text, &extent));
    ASSERT_GT(extent.cx, 0);
    ASSERT_LT(extent.cx, kWidth);  // the box the camera shows it in is the screen's width
    platform::RECT rect{0, 0, kWidth, kHeight};
    platform::DrawText(dc.get(), text, &rect, platform::DT_SINGLELINE | platform::DT_NOPREFIX);

    // Ink from the first character to the last: nothing was cut short.
    int leftmost = kWidth;
    int rightmost = -1;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        if (platform::GetPixel(dc.get(), x, y) != platform::RGB(0, 0, 0)) {
          leftmost = std::min(leftmost, x);
          rightmost = std::max(rightmost, x);
        }
      }
    }
    EXPECT_LE(leftmost, 3);
    EXPECT_GE(rightmost, extent.cx * 3 / 4);
    EXPECT_LE(rightmost, extent.cx + 2);
    platform::SelectObject(dc.get(), old_font);
    platform::SelectObject(dc.get(), old_bitmap);
  }
}

}  // namespace
}  // namespace localization
