#include "support/CliRunner.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const std::string Sample = std::string(LUMEROC_SOURCE_DIR) + "/samples/fox-2011.adf";
// A fortnight of the sample keeps the runs short.
const std::string Fortnight = R"('{"Data.StartDate":4138,"Data.EndDate":4151,"Data.DaysPerLine":2}')";

int BigEndian32(const std::vector<unsigned char>& bytes, std::size_t offset) {
    return bytes[offset] << 24 | bytes[offset + 1] << 16 | bytes[offset + 2] << 8 | bytes[offset + 3];
}

TEST(RenderCommand, WritesPngAtCanvasOrGivenSize) {
    TTempFolder folder;
    struct TCase {
        std::string Options;
        int Width, Height;
    };
    const std::vector<TCase> cases = {
        {"", 600, 500},
        {"--size 300x250", 300, 250},
        {"--channel 1 --size 1200x1000", 1200, 1000},
    };
    for (const auto& c : cases) {
        const std::string out = folder.File("chart.png");
        const TCliResult result = RunCli(LUMEROC_CLI, "render --adf '" + Sample + "' --settings " +
                                                          Fortnight + " --out '" + out + "' " + c.Options);
        ASSERT_EQ(result.ExitCode, 0) << c.Options << "\n" << result.Err;
        const std::vector<unsigned char> png = ReadBinaryFile(out);
        ASSERT_GT(png.size(), 24u);
        EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
        EXPECT_EQ(BigEndian32(png, 16), c.Width) << c.Options;
        EXPECT_EQ(BigEndian32(png, 20), c.Height) << c.Options;
    }
}

TEST(RenderCommand, WritesEpsFromASettingsFile) {
    TTempFolder folder;
    const std::string settings = folder.File("settings.json");
    const std::string text =
        R"({"Data.StartDate":4138,"Data.EndDate":4145,"Overlay.SunLinesVisible":true,)"
        R"("Data.Latitude":51.3,"Data.Longitude":9.9,"Canvas.Width":400,"Canvas.Height":300})";
    WriteBinaryFile(settings, std::vector<unsigned char>(text.begin(), text.end()));
    const std::string out = folder.File("chart.eps");
    const TCliResult result = RunCli(LUMEROC_CLI, "render --kind actogram --adf '" + Sample +
                                                      "' --settings '@" + settings + "' --out '" + out + "'");
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const std::string eps = ReadTextFile(out);
    EXPECT_EQ(eps.rfind("%!PS-Adobe", 0), 0u);
    EXPECT_NE(eps.find("%%BoundingBox: 0 0 400 300"), std::string::npos);
}

TEST(RenderCommand, RejectsBadInput) {
    TTempFolder folder;
    const std::string damaged = folder.File("damaged.adf");
    WriteBinaryFile(damaged, std::vector<unsigned char>(40, 7));
    struct TCase {
        std::string Arguments;
        int ExitCode;
    };
    const std::string out = " --out '" + folder.File("x.png") + "'";
    const std::vector<TCase> cases = {
        {"--adf '" + Sample + "' --out '" + folder.File("x.gif") + "'", 2},
        {"--adf '" + Sample + "'" + out + " --size 300", 2},
        {"--adf '" + Sample + "'" + out + " --kind cosinor", 2},
        {"--adf '" + Sample + "'" + out + " --channel 3", 2},
        {"--adf '" + folder.File("missing.adf") + "'" + out, 2},
        {"--adf '" + damaged + "'" + out, 1},
        {"--adf '" + Sample + "'" + out + " --settings '{\"Data\":'", 1},
        {"--adf '" + Sample + "'" + out + " --settings '@" + folder.File("missing.json") + "'", 1},
    };
    for (const auto& c : cases) {
        const TCliResult result = RunCli(LUMEROC_CLI, "render " + c.Arguments);
        EXPECT_EQ(result.ExitCode, c.ExitCode) << c.Arguments << "\n" << result.Err;
        EXPECT_NE(result.Err, "") << c.Arguments;
    }
    EXPECT_TRUE(ReadBinaryFile(folder.File("x.png")).empty()) << "nothing written for rejected input";
}

} // namespace
