#include "analysis/SunTimes.h"
#include "data/DateTimeFormats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr double OneMinute = 1.0 / 1440.0;

double Sun(const std::string& code, double date, double latitude = 51.3, double longitude = 9.9,
           double utcOffset = 0) {
    return SunPositionTime(code, utcOffset, latitude, longitude, date);
}

TEST(SunTimes, AlmanacExampleSunrise) {
    // The worked example of the almanac: Wayne, NJ, 25 June 1990, sunrise 05:26 local daylight time.
    const double result = Sun("R", EncodeDate(1990, 6, 25), 40.9, -74.3, -4);
    EXPECT_NEAR(result, EncodeTime(5, 26, 0), 1.5 * OneMinute);
}

TEST(SunTimes, TwilightCodesAreOrdered) {
    const double date = EncodeDate(2011, 5, 3);
    const std::vector<std::vector<std::string>> sequences = {{"R+18d", "R+12d", "R+6d", "R", "R-6d"},
                                                             {"S-6d", "S", "S+6d", "S+12d", "S+18d"}};
    for (const auto& codes : sequences) {
        for (std::size_t i = 1; i < codes.size(); ++i) {
            EXPECT_LT(Sun(codes[i - 1], date), Sun(codes[i], date)) << codes[i - 1] << " before " << codes[i];
        }
    }
}

TEST(SunTimes, EquivalentCodes) {
    const double date = EncodeDate(2011, 5, 3);
    struct TCase {
        std::string Code;
        std::string Same;
    };
    const std::vector<TCase> cases = {
        {"R30m", "R+30m"}, {"D+6d", "D"},        {"N-12d", "N"},         {"X", "R"},
        {"", "R"},         {"R+6,5d", "R+6.5d"}, {"S-30,5m", "S-30.5m"}, {"D++1m", "D+1m"},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(Sun(c.Code, date), Sun(c.Same, date)) << c.Code;
    }
    EXPECT_NEAR(Sun("R+30m", date) - Sun("R", date), 30 * OneMinute, 1e-12);
    EXPECT_LT(Sun("R+6,5d", date), Sun("R+6d", date)) << "a decimal comma must not truncate the offset";
}

TEST(SunTimes, MalformedCodeGivesNoTime) {
    const double date = EncodeDate(2011, 5, 3);
    for (const std::string code : {"Rm", "R+m", "Rx", "S+xd", "R+6.5.1d", "R5", "R+.5d"}) {
        EXPECT_THROW(Sun(code, date), TSunCodeError) << code;
        EXPECT_THROW(SunPositionTimeResolved(code, 0, 51, 10, date), TSunCodeError) << code;
    }
}

TEST(SunTimes, ZenithOffsetThreshold) {
    const double date = EncodeDate(2011, 5, 3);
    const double standard = SunEventTime(TSunEvent::Sunrise, date, 51.3, 9.9, 0, 0);
    EXPECT_DOUBLE_EQ(SunEventTime(TSunEvent::Sunrise, date, 51.3, 9.9, 0.0005, 0), standard);
    // 0.001 selects 90.001 degrees, the geometric horizon without refraction: a later sunrise.
    EXPECT_GT(SunEventTime(TSunEvent::Sunrise, date, 51.3, 9.9, 0.001, 0), standard + OneMinute);
}

TEST(SunTimes, TimeOfDayOfTheDateIsIgnored) {
    const double day = EncodeDate(2011, 12, 31);
    for (const std::string code : {"R", "S", "D", "N"}) {
        EXPECT_DOUBLE_EQ(Sun(code, day), Sun(code, day + EncodeTime(23, 59, 0))) << code;
    }
}

TEST(SunTimes, PolarDaysAndNights) {
    struct TCase {
        std::string Code;
        double Date;
        double Marker;
        std::string ResolvedAs;
        double ResolvedShift;
    };
    const double june = EncodeDate(2011, 6, 25);
    const double december = EncodeDate(2011, 12, 20);
    const std::vector<TCase> cases = {
        {"R", june, -2, "N", 0},
        {"S", june, -2, "N", 1},
        {"R", december, 2, "D", 0},
        {"S", december, 2, "D", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Sun(c.Code, c.Date, 70, 20, 1), c.Marker) << c.Code;
        EXPECT_DOUBLE_EQ(SunPositionTimeResolved(c.Code, 1, 70, 20, c.Date),
                         Sun(c.ResolvedAs, c.Date, 70, 20, 1) + c.ResolvedShift)
            << c.Code;
    }
    // Minutes still move a marker; it stays a marker.
    EXPECT_TRUE(IsSunMarker(Sun("R-30m", june, 70, 20, 1)));
}

TEST(SunTimes, EventsWrapIntoTheRequestedDay) {
    const double date = EncodeDate(2011, 3, 21);
    // At the equator on Greenwich sunrise is near 06:00 UTC; at UTC+13 that is 19:00 of the previous day.
    const double sunriseUtc = Sun("R", date, 0, 0, 0);
    EXPECT_NEAR(Sun("R", date, 0, 0, 13), sunriseUtc + 13.0 / 24 - 1, 1e-12);
    // Sunset near 18:00 UTC is 05:00 of the next day at UTC-13.
    const double sunsetUtc = Sun("S", date, 0, 0, 0);
    EXPECT_NEAR(Sun("S", date, 0, 0, -13), sunsetUtc - 13.0 / 24 + 1, 1e-12);
}

TEST(SunTimes, MiddayStaysOnTheLocalDayFarFromUniversalTime) {
    struct TCase {
        double Longitude;
        double UtcOffset;
    };
    const std::vector<TCase> cases = {{172, 13}, {-172, 14}, {180, 12}, {-180, -12}, {179.9, 12}, {0, 0}};
    for (double date = EncodeDate(2011, 1, 1); date < EncodeDate(2012, 1, 1); date += 7) {
        for (const auto& c : cases) {
            const double midday = Sun("D", date, -40, c.Longitude, c.UtcOffset);
            const double midnight = Sun("N", date, -40, c.Longitude, c.UtcOffset);
            EXPECT_GE(midday, 0) << c.Longitude << " " << c.UtcOffset;
            EXPECT_LT(midday, 1) << c.Longitude << " " << c.UtcOffset;
            // Solar noon is near local noon (within the equation of time and the zone's width) ...
            const double localNoon = 0.5 + (c.UtcOffset - c.Longitude / 15) / 24;
            EXPECT_NEAR(midday, localNoon - std::floor(localNoon), 0.015);
            // ... and solar midnight twelve hours before it (the transit is computed for 00:00, so it
            // may differ by a few seconds).
            EXPECT_NEAR(midnight, midday - 0.5, 30.0 / 86400) << c.Longitude << " " << c.UtcOffset;
        }
    }
}

TEST(SunTimes, MidnightEastOfGreenwichFallsBeforeTheUniversalDay) {
    EXPECT_LT(Sun("N", EncodeDate(2011, 5, 3), 51, 30, 0), 0);
}

} // namespace
