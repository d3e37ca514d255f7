#include "data/DateTimeFormats.h"
#include "platform/FormatSettings.h"

#include <gtest/gtest.h>

TEST(DateTimeFormats, EncodeDecodeRoundTrip) {
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(2200, 1, 1), 109575.0);
    EXPECT_EQ(EncodeDate(2030, 1, 1), 47484.0);

    const TDateTimeParts parts = DecodeDateTime(EncodeDate(2011, 5, 3) + EncodeTime(14, 7, 9));
    EXPECT_EQ(parts.Year, 2011);
    EXPECT_EQ(parts.Month, 5);
    EXPECT_EQ(parts.Day, 3);
    EXPECT_EQ(parts.Hour, 14);
    EXPECT_EQ(parts.Minute, 7);
    EXPECT_EQ(parts.Second, 9);
    EXPECT_EQ(parts.DayOfWeek, 2); // a Tuesday
}

TEST(DateTimeFormats, DecodeRoundsToMilliseconds) {
    // 14:07:09 a hair below its exact value must not read as 14:07:08.
    const double value = EncodeDate(2011, 5, 3) + EncodeTime(14, 7, 9) - 1e-10;
    EXPECT_EQ(DecodeDateTime(value).Second, 9);
    // Just before midnight rounds up into the next day.
    EXPECT_EQ(DecodeDateTime(EncodeDate(2011, 5, 4) - 1e-10).Day, 4);
}

TEST(DateTimeFormats, LocaleFormats) {
    struct Case {
        const char* Format;
        const char* Expected;
    };
    const double value = EncodeDate(2011, 5, 3) + EncodeTime(14, 7, 9, 45);
    const Case cases[] = {
        {"dd.MM.yyyy", "03.05.2011"}, {"d/M/yy", "3/5/11"},       {"MMM d, yyyy", "May 3, 2011"},
        {"dddd", "Tuesday"},          {"HH:mm:ss", "14:07:09"},   {"h:mm AP", "2:07 PM"},
        {"hh:mm:ss.zzz", "14:07:09.045"}, {"'at' HH'h'", "at 14h"}, {"MMMM", "May"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatLocaleDateTime(c.Format, value), c.Expected) << c.Format;
    }
}

TEST(DateTimeFormats, ShortDateFollowsFormatSettings) {
    const TFormatSettings previous = FormatSettings();
    SetFormatSettings({"yyyy-MM-dd", "HH:mm", '.'});
    EXPECT_EQ(FormatShortDate(EncodeDate(2011, 5, 3)), "2011-05-03");
    EXPECT_EQ(FormatLongTime(EncodeTime(6, 30, 0)), "06:30");
    SetFormatSettings(previous);
}
