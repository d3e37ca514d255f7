// The info, extract and generate subcommands, run as a program.

#include "support/CliRunner.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

namespace {

TCliResult Cli(const std::string& arguments) {
    return RunCli(LUMEROC_CLI, arguments);
}

// A mode-1 ADF image (300 s) with records of (sample index, channel 1, channel 2, temperature).
std::vector<unsigned char> SmallImage(const std::vector<std::array<int, 4>>& records) {
    std::vector<unsigned char> image(78, 0);
    for (int k = 4; k < 8; ++k) {
        image[k] = 0x5A;
    }
    image[24] = 7;
    image[25] = 3;
    image[27] = 1;
    image[29] = 1;
    for (const auto& [index, channel1, channel2, temperature] : records) {
        image.push_back(static_cast<unsigned char>(index >> 16));
        image.push_back(static_cast<unsigned char>(index >> 8));
        image.push_back(static_cast<unsigned char>(index));
        image.push_back(static_cast<unsigned char>(channel1));
        image.push_back(static_cast<unsigned char>(channel2));
        image.push_back(static_cast<unsigned char>(temperature + 103));
    }
    return image;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

class ActivityCommands : public ::testing::Test {
protected:
    TTempFolder Folder;
};

} // namespace

TEST_F(ActivityCommands, InfoPrintsOneJsonLinePerFileAndGoesOnAfterARejection) {
    const std::string good = Folder.File("a.adf");
    const std::string bad = Folder.File("b.adf");
    // 2011-05-03 00:05 and 00:10 UTC: sample indices 1192321 and 1192322 at 300 s.
    WriteBinaryFile(good, SmallImage({{1192322, 5, 6, -2}, {1192321, 1, 2, 20}}));
    WriteBinaryFile(bad, std::vector<unsigned char>(77, 0x5A));

    const TCliResult result = Cli("info '" + bad + "' '" + good + "' '" + Folder.File("missing.adf") + "'");
    EXPECT_EQ(result.ExitCode, 1);
    const std::vector<std::string> lines = Lines(result.Out);
    ASSERT_EQ(lines.size(), 1u) << result.Out;
    const std::regex pattern(R"re(\{"File":"(.*)","ID":"[0-9A-Za-z]{8}","Title":"a\.adf",)re"
                             R"re("DateText":"03\.05\.2011)re"
                             "\xE2\x80\x93"
                             R"re(03\.05\.2011","ModeText":"Activity measurement, 300s","Mode":1,)re"
                             R"re("Interval":300,"SampleCount":2,"FirstTime":40666\.0000115741,)re"
                             R"re("LastTime":40666\.0069444444,"SegmentCount":1\})re");
    std::smatch match;
    ASSERT_TRUE(std::regex_match(lines[0], match, pattern)) << lines[0];
    EXPECT_EQ(std::regex_replace(match[1].str(), std::regex(R"(\\/)"), "/"), good);
    EXPECT_NE(result.Err.find("File size is to small for a valid Orbicol data file."), std::string::npos)
        << result.Err;
    EXPECT_NE(result.Err.find("missing.adf"), std::string::npos) << result.Err;
}

TEST_F(ActivityCommands, ExtractPrintsLocalRowsWithFilledGaps) {
    const std::string file = Folder.File("a.adf");
    // 2011-05-03 00:05, 00:10 and 00:25 UTC; two samples missing before the last.
    WriteBinaryFile(file, SmallImage({{1192321, 1, 2, 20}, {1192322, 5, 6, -2}, {1192325, 7, 8, 9}}));
    const TCliResult result =
        Cli("extract '" + file + "' --from 2011-05-03T02:00 --to 40666.1 --utc 2 --max-gap 2");
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out, "Time\tLocal\tChannel1\tChannel2\tTemperature\n"
                          "357703500\t2011-05-03 02:05:00\t1\t2\t20\n"
                          "357703800\t2011-05-03 02:10:00\t5\t6\t-2\n"
                          "357704100\t2011-05-03 02:15:00\t7\t8\t9\n"
                          "357704400\t2011-05-03 02:20:00\t7\t8\t9\n"
                          "357704700\t2011-05-03 02:25:00\t7\t8\t9\n"
                          // The tail is filled up to the end of the last sample's interval.
                          "357705000\t2011-05-03 02:30:00\t7\t8\t9\n");

    const TCliResult none = Cli("extract '" + file + "' --from 2012-01-01 --to 2012-01-02");
    EXPECT_EQ(none.ExitCode, 0);
    EXPECT_EQ(none.Out, "Time\tLocal\tChannel1\tChannel2\tTemperature\n");
}

TEST_F(ActivityCommands, ExtractRejections) {
    const std::string file = Folder.File("a.adf");
    WriteBinaryFile(file, SmallImage({{1192321, 1, 2, 20}}));
    std::vector<unsigned char> broken = SmallImage({});
    broken[24] = 1;
    WriteBinaryFile(Folder.File("broken.adf"), broken);
    struct Case {
        std::string Arguments;
        int ExitCode;
        std::string Message;
    };
    const Case cases[] = {
        {"'" + Folder.File("broken.adf") + "' --from 2011-05-03 --to 2011-05-04", 1,
         "File does not contain activity data."},
        {"'" + file + "' --from 03.05.2011 --to 2011-05-04", 2, "is not a date"},
        {"'" + file + "' --from 2011-02-30 --to 2011-05-04", 2, "is not a date"},
        {"'" + file + "' --from 2011-05-03", 2, "--to"},
        {"'" + file + "' --from 2011-05-03 --to 2011-05-04 --max-gap -1", 2, "max-gap"},
    };
    for (const Case& c : cases) {
        const TCliResult result = Cli("extract " + c.Arguments);
        EXPECT_EQ(result.ExitCode, c.ExitCode) << c.Arguments;
        EXPECT_EQ(result.Out, "") << c.Arguments;
        EXPECT_NE(result.Err.find(c.Message), std::string::npos) << c.Arguments << "\n" << result.Err;
    }
}

TEST_F(ActivityCommands, GenerateIsDeterministicForASeed) {
    const std::string common = " --start 2012-03-01 --days 20 --mode 2 --lat -33.9 --lon 18.4 --collar 77";
    const std::string first = Folder.File("first.adf");
    const std::string again = Folder.File("again.adf");
    const std::string other = Folder.File("other.adf");
    ASSERT_EQ(Cli("generate --out '" + first + "' --seed 5" + common).ExitCode, 0);
    ASSERT_EQ(Cli("generate --out '" + again + "' --seed 5" + common).ExitCode, 0);
    ASSERT_EQ(Cli("generate --out '" + other + "' --seed 6" + common).ExitCode, 0);
    const std::vector<unsigned char> bytes = ReadBinaryFile(first);
    EXPECT_EQ(bytes, ReadBinaryFile(again));
    EXPECT_NE(bytes, ReadBinaryFile(other));
    ASSERT_GT(bytes.size(), 78u);
    EXPECT_EQ(bytes[0], 77);
    // 20 days at 152 s are 11368 samples, a few of them lost or in gaps.
    const std::size_t records = (bytes.size() - 78) / 6;
    EXPECT_GT(records, 9000u);
    EXPECT_LE(records, 11368u);

    const TCliResult info = Cli("info '" + first + "'");
    ASSERT_EQ(info.ExitCode, 0) << info.Err;
    EXPECT_NE(info.Out.find("\"ModeText\":\"Activity measurement, 152s\",\"Mode\":2,\"Interval\":152"),
              std::string::npos)
        << info.Out;
    EXPECT_NE(info.Out.find("\"DateText\":\"29.02.2012\xE2\x80\x93"
                            "20.03.2012\""),
              std::string::npos)
        << info.Out;
}

TEST_F(ActivityCommands, GenerateRejectsOptionsAnADFFileCannotHold) {
    struct Case {
        std::string Arguments;
        int ExitCode;
    };
    const Case cases[] = {
        {"--mode 8", 2},
        {"--mode 1 --interval 152", 2},
        {"--mode 5 --interval 81", 2},
        {"--days 0", 2},
        {"--lat 51", 2},
        {"--start 2011-13-01", 2},
        {"--start 1999-12-31", 2},
        {"--start 2070-01-01", 2},
        {"--mode 3 --start 2033-01-01 --days 400", 2},
        {"--lat 91 --lon 0", 2},
    };
    const std::string out = Folder.File("out.adf");
    for (const Case& c : cases) {
        const TCliResult result = Cli("generate --out '" + out + "' " + c.Arguments);
        EXPECT_EQ(result.ExitCode, c.ExitCode) << c.Arguments;
        EXPECT_NE(result.Err, "") << c.Arguments;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.Arguments;
    }
    const TCliResult unwritable =
        Cli("generate --days 1 --out '" + Folder.File("no/such/folder/x.adf") + "'");
    EXPECT_EQ(unwritable.ExitCode, 1);
    EXPECT_NE(unwritable.Err.find("Cannot write file"), std::string::npos) << unwritable.Err;
    EXPECT_TRUE(std::filesystem::is_empty(Folder.Path()));
}
