// The system locale and its dates.
#include "platform/locale.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/last_error.h"
#include "platform/testing/temp_handheld.h"

namespace platform {
namespace {

struct LocaleDate {
  LCID locale;
  const char* short_date;  // 5 March 2004
};

class ShortDateTest : public ::testing::TestWithParam<LocaleDate> {};

TEST_P(ShortDateTest, EachSystemLocaleWritesItsShortDate) {
  HandheldConfig config;
  config.locale_id = GetParam().locale;
  testing::TempHandheld device(config);
  EXPECT_EQ(GetSystemDefaultLCID(), GetParam().locale);
  SYSTEMTIME date;
  date.wYear = 2004;
  date.wMonth = 3;
  date.wDay = 5;
  char buffer[32] = {};
  const int written =
      GetDateFormat(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &date, nullptr, buffer, sizeof buffer);
  EXPECT_STREQ(buffer, GetParam().short_date);
  EXPECT_EQ(written, static_cast<int>(std::strlen(GetParam().short_date)) + 1);
  // The user's locale is the system's, and asking by id gives the same.
  EXPECT_EQ(FormatDate(LOCALE_USER_DEFAULT, 0, &date), GetParam().short_date);
  EXPECT_EQ(FormatDate(GetParam().locale, 0, &date), GetParam().short_date);
}

INSTANTIATE_TEST_SUITE_P(
    NineLanguages, ShortDateTest,
    ::testing::Values(LocaleDate{0x0409, "3/5/04"}, LocaleDate{0x0804, "2004-3-5"},
                      LocaleDate{0x0404, "2004/3/5"}, LocaleDate{0x0407, "05.03.2004"},
                      LocaleDate{0x040C, "05/03/2004"}, LocaleDate{0x0410, "05/03/2004"},
                      LocaleDate{0x0416, "05/03/2004"}, LocaleDate{0x0C0A, "05/03/2004"},
                      LocaleDate{0x0412, "2004-03-05"}));

class DateFormatTest : public ::testing::Test {
 protected:
  DateFormatTest() {
    date_.wYear = 2026;
    date_.wMonth = 12;
    date_.wDay = 8;
  }
  testing::TempHandheld device_;
  SYSTEMTIME date_;
};

TEST_F(DateFormatTest, ABufferOfZeroAsksForTheSizeAndASmallOneFails) {
  EXPECT_EQ(GetDateFormat(LOCALE_SYSTEM_DEFAULT, 0, &date_, nullptr, nullptr, 0), 8);  // 12/8/26
  char small[7];
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(GetDateFormat(LOCALE_SYSTEM_DEFAULT, 0, &date_, nullptr, small, sizeof small), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST_F(DateFormatTest, APictureIsFilledInWithQuotedTextKept) {
  EXPECT_EQ(FormatDate(LOCALE_SYSTEM_DEFAULT, 0, &date_, "yyyy'y'MM'm'dd"), "2026y12m08");
  EXPECT_EQ(FormatDate(LOCALE_SYSTEM_DEFAULT, 0, &date_, "d.M.yy"), "8.12.26");
  // A picture with the short-date flag is a contradiction.
  EXPECT_EQ(FormatDate(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &date_, "d"), std::nullopt);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
}

TEST_F(DateFormatTest, AnImpossibleDateOrUnknownLocaleFails) {
  SYSTEMTIME february30 = date_;
  february30.wMonth = 2;
  february30.wDay = 30;
  EXPECT_EQ(FormatDate(LOCALE_SYSTEM_DEFAULT, 0, &february30), std::nullopt);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(FormatDate(0x0411, 0, &date_), std::nullopt);  // Japanese is not kept
}

TEST_F(DateFormatTest, NoDateMeansTodayOnTheHandheldsClock) {
  // The fixture's handheld booted on 1 June 2003.
  EXPECT_EQ(FormatDate(LOCALE_SYSTEM_DEFAULT, 0, nullptr), "6/1/03");
}

}  // namespace
}  // namespace platform
