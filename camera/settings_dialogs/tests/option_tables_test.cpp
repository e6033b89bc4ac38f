// The option tables against the settings they edit and the artwork of their
// rows, and the About box's time line.
#include "option_tables.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "about_time_line.h"
#include "artwork_ids.h"
#include "platform/gdi_png.h"

namespace camera {
namespace {

std::optional<platform::gdi::Surface> Bitmap(platform::UINT id) {
  return platform::gdi::ReadPng(std::filesystem::path(ORSA_CAMERA_RESOURCES) / "bitmaps" /
                                (std::to_string(id) + ".png"));
}

void CheckEntries(std::span<const EntryDefinition> entries, platform::UINT icons) {
  for (const EntryDefinition& entry : entries) {
    SCOPED_TRACE(entry.setting->name);
    // The position of an option is the value stored: one option per value.
    EXPECT_EQ(entry.setting->min, 0);
    EXPECT_EQ(static_cast<int>(entry.options.size()), entry.setting->max + 1);
    EXPECT_TRUE(entry.setting->Accepts(entry.reset_value));
    EXPECT_EQ(entry.reset_value, entry.setting->default_value);
    // Each option row has its own image.
    const std::optional<platform::gdi::Surface> rows = Bitmap(entry.row_bitmap);
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->width(), artwork_ids::kRowImageWidth * static_cast<int>(entry.options.size()));
    EXPECT_EQ(rows->height(), artwork_ids::kRowImageHeight);
  }
  const std::optional<platform::gdi::Surface> strip = Bitmap(icons);
  ASSERT_TRUE(strip);
  EXPECT_EQ(strip->width(), artwork_ids::kEntryIconSize * static_cast<int>(entries.size()));
  EXPECT_EQ(strip->height(), artwork_ids::kEntryIconSize);
}

TEST(OptionTablesTest, EveryValueHasAnOptionAndEveryOptionAnImage) {
  CheckEntries(SettingsPageEntries(), artwork_ids::kSettingsEntryIcons);
  CheckEntries(SetupPageEntries(), artwork_ids::kSetupEntryIcons);
  EXPECT_EQ(SettingsPageEntries()[kResolutionEntry].setting, &setting::kResolution);
  const std::optional<platform::gdi::Surface> folder = Bitmap(artwork_ids::kFolderImage);
  ASSERT_TRUE(folder);
  EXPECT_EQ(folder->width(), 16);
  EXPECT_EQ(folder->height(), 15);
}

TEST(AboutTimeLineTest, FourSpacesThenDayMonthDateTimeAndYear) {
  platform::SYSTEMTIME time;
  time.wYear = 2003;
  time.wMonth = 9;
  time.wDayOfWeek = 2;
  time.wDay = 6;
  time.wHour = 2;
  time.wMinute = 59;
  time.wSecond = 7;
  EXPECT_EQ(AboutTimeLine(time), "    Tue Sep 06 02:59:07 2003");
  time.wMonth = 12;
  time.wDayOfWeek = 0;
  time.wDay = 31;
  time.wHour = 23;
  EXPECT_EQ(AboutTimeLine(time), "    Sun Dec 31 23:59:07 2003");
}

}  // namespace
}  // namespace camera
