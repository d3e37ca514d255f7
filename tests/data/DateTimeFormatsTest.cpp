#include "data/DateTimeFormats.h"
#include "platform/FormatSettings.h"

#include <gtest/gtest.h>

#include <cstdio>

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
        {"dd.MM.yyyy", "03.05.2011"},
        {"d/M/yy", "3/5/11"},
        {"MMM d, yyyy", "May 3, 2011"},
        {"dddd", "Tuesday"},
        {"HH:mm:ss", "14:07:09"},
        {"h:mm AP", "2:07 PM"},
        {"hh:mm:ss.zzz", "14:07:09.045"},
        {"'at' HH'h'", "at 14h"},
        {"MMMM", "May"},
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

TEST(DateTimeFormats, FormatPatternRuns) {
    struct Case {
        const char* Pattern;
        const char* Expected;
    };
    const double value = EncodeDate(2011, 5, 3) + EncodeTime(14, 7, 9);
    const Case cases[] = {
        {"DD.MM.YY", "03.05.11"},
        {"D. MMM YYYY", "3. May 2011"},
        {"hh:mm t", "02:07 PM"},
        {"HH:mm", "14:07"},
        {"MMMM, D", "May, 3"},
        {"M", "5"},
        {"MMMMM", "5"},
        {"Y", "2011"},
        {"YYY", "2011"},
        {"H:m:s", "14:7:9"},
        {"h", "2"},
        {"tt", "PM"},
        {"DDD", "3"},
        {"d y S N", "d y S N"},
        {"[HH]", "[14]"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatPattern(c.Pattern, 0, value), c.Expected) << c.Pattern;
    }
}

TEST(DateTimeFormats, FormatPatternYearsAndHalfDays) {
    struct Case {
        double Value;
        const char* Pattern;
        const char* Expected;
    };
    const Case cases[] = {
        {EncodeDate(2009, 1, 1), "YY Y", "09 2009"},
        {EncodeDate(999, 2, 1), "YYYY", "0999"},
        {EncodeDate(2011, 5, 3) + EncodeTime(12, 0, 0), "t", "PM"},
        {EncodeDate(2011, 5, 3) + EncodeTime(11, 59, 59), "t", "AM"},
        {EncodeDate(2011, 5, 3) + EncodeTime(0, 30, 0), "hh:mm t", "12:30 AM"},
        {EncodeDate(2011, 5, 3) + EncodeTime(12, 30, 0), "h:mm t", "12:30 PM"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatPattern(c.Pattern, 0, c.Value), c.Expected) << c.Pattern;
    }
}

TEST(DateTimeFormats, FormatPatternNeverLosesASecond) {
    // Splitting an unrounded value turns many whole seconds into the second before.
    const double day = EncodeDate(2011, 5, 3);
    for (int second = 0; second < 86400; ++second) {
        const double value = day + second / SecondsPerDay;
        char expected[16];
        std::snprintf(expected, sizeof expected, "%02d:%02d:%02d", second / 3600, second / 60 % 60,
                      second % 60);
        ASSERT_EQ(FormatPattern("HH:mm:ss", 0, value), expected) << second;
    }
}

TEST(DateTimeFormats, FormatPatternDurations) {
    struct Case {
        double Value;
        const char* Pattern;
        const char* Expected;
    };
    const Case cases[] = {
        {1.5, "nn:mm:ss", "36:00:00"},
        {0.25, "nn", "06"},
        {0.25, "n", "6"},
        {10 + 0.5 / 24, "n:mm", "240:30"},
        {2.0 / 24, "nn:mm:ss", "02:00:00"},
        // A hair below a whole hour must not show the hour before with minutes 00.
        {1.5 - 1e-12, "nn:mm:ss", "36:00:00"},
        {1.5 - 0.0004 / SecondsPerDay, "nn:mm:ss", "36:00:00"},
        {1.5 - 1.0 / SecondsPerDay, "nn:mm:ss", "35:59:59"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatPattern(c.Pattern, 0, c.Value), c.Expected) << c.Value;
    }
}

TEST(DateTimeFormats, FormatPatternNumbers) {
    struct Case {
        const char* Pattern;
        int MinDecimals;
        double Value;
        const char* Expected;
    };
    const Case cases[] = {
        {"ffff", -1, 0.123456, "0.123"}, {"f", -1, 0.123456, "0"}, {"f", 2, 0.123456, "0.12"},
        {"ff", 0, 2.26, "2.3"},          {"fff", 0, 0.5, "0.50"},  {"f", 0, -0.1, "0"},
        {"f h", 1, 0.76, "0.8 6"},       {"f", 0, -2.6, "-3"},
    };
    const TFormatSettings previous = FormatSettings();
    SetFormatSettings({"dd.MM.yyyy", "HH:mm:ss", ','});
    for (const Case& c : cases) {
        EXPECT_EQ(FormatPattern(c.Pattern, c.MinDecimals, c.Value), c.Expected)
            << c.Pattern << " " << c.Value;
    }
    SetFormatSettings(previous);
}
