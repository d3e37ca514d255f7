#include "support/CliRunner.h"

#include <gtest/gtest.h>

#include <regex>
#include <vector>

namespace {

TCliResult Sun(const std::string& arguments) {
    return RunCli(LUMEROC_CLI, "sun " + arguments);
}

TEST(SunCommand, PrintsDaysAndLocalTime) {
    const TCliResult result = Sun("--code R --date 1990-06-25 --lat 40.9 --lon -74.3 --utc -4");
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    std::smatch match;
    ASSERT_TRUE(std::regex_match(result.Out, match, std::regex(R"((0\.\d{9,})\t(\d\d:\d\d:\d\d)\n)")))
        << result.Out;
    // The almanac's worked example: sunrise 05:26 local time.
    EXPECT_EQ(match[2].str().substr(0, 5), "05:26");
    EXPECT_NEAR(std::stod(match[1]), (5 * 60 + 26) / 1440.0, 1.5 / 1440);
}

TEST(SunCommand, MarkersAndResolvedMarkers) {
    struct TCase {
        std::string Arguments;
        std::string Expected; // a regular expression for the whole output
    };
    const std::vector<TCase> cases = {
        {"--code R --date 2011-06-25 --lat 70 --lon 20 --utc 1", "-2\t\n"},
        {"--code S --date 2011-12-20 --lat 70 --lon 20 --utc 1", "2\t\n"},
        // Resolved: the polar day's sunrise collapses onto solar midnight (about 23:40 of the day before).
        {"--code R --date 2011-06-25 --lat 70 --lon 20 --utc 1 --resolved", R"(-0\.0\d+\t23:\d\d:\d\d\n)"},
        {"--code S --date 2011-12-20 --lat 70 --lon 20 --utc 1 --resolved", R"(0\.4\d+\t11:\d\d:\d\d\n)"},
    };
    for (const auto& c : cases) {
        const TCliResult result = Sun(c.Arguments);
        EXPECT_EQ(result.ExitCode, 0) << c.Arguments << "\n" << result.Err;
        EXPECT_TRUE(std::regex_match(result.Out, std::regex(c.Expected))) << c.Arguments << "\n"
                                                                          << result.Out;
    }
}

TEST(SunCommand, RejectsBadInput) {
    struct TCase {
        std::string Arguments;
        int ExitCode;
    };
    const std::vector<TCase> cases = {
        {"--code Rm --date 2011-05-03 --lat 51 --lon 10", 1},
        {"--code R --date 03.05.2011 --lat 51 --lon 10", 2},
        {"--code R --date 2011-02-30 --lat 51 --lon 10", 2},
        {"--code R --date 2011-05-03 --lat 51", 2},
    };
    for (const auto& c : cases) {
        const TCliResult result = Sun(c.Arguments);
        EXPECT_EQ(result.ExitCode, c.ExitCode) << c.Arguments;
        EXPECT_EQ(result.Out, "") << c.Arguments;
        EXPECT_NE(result.Err, "") << c.Arguments;
    }
}

} // namespace
