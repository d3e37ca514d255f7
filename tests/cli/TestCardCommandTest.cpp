#include "support/CliRunner.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Width and height from the PNG header (the IHDR chunk follows the 8-byte signature).
std::pair<int, int> PngSize(const std::string& path) {
    const std::vector<unsigned char> bytes = ReadBinaryFile(path);
    if (bytes.size() < 24 || bytes[1] != 'P' || bytes[12] != 'I') {
        return {0, 0};
    }
    const auto big32 = [&](std::size_t at) {
        return int(bytes[at]) << 24 | int(bytes[at + 1]) << 16 | int(bytes[at + 2]) << 8 | int(bytes[at + 3]);
    };
    return {big32(16), big32(20)};
}

TEST(TestCardCommand, WritesThePngAtTheAskedSize) {
    TTempFolder folder;
    struct TCase {
        std::string Size;
        int Width, Height;
    };
    for (const TCase& c : {TCase{"", 800, 600}, TCase{" --size 1200x450", 1200, 450}}) {
        const std::string path = folder.File("card.png");
        const TCliResult result = RunCli(LUMEROC_CLI, "testcard --out '" + path + "'" + c.Size);
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_EQ(PngSize(path), std::make_pair(c.Width, c.Height));
    }
}

TEST(TestCardCommand, RejectsWhatItCannotWrite) {
    TTempFolder folder;
    struct TCase {
        std::string Arguments;
        int ExitCode;
    };
    const std::vector<TCase> cases = {
        {"testcard --out '" + folder.File("card.txt") + "'", 2},
        {"testcard --out '" + folder.File("card.png") + "' --size 800", 2},
        {"testcard --out '" + folder.File("card.png") + "' --size 0x600", 2},
        {"testcard", 2},
        {"testcard --out '" + folder.File("missing/card.png") + "'", 1},
    };
    for (const TCase& c : cases) {
        const TCliResult result = RunCli(LUMEROC_CLI, c.Arguments);
        EXPECT_EQ(result.ExitCode, c.ExitCode) << c.Arguments << "\n" << result.Err;
        EXPECT_NE(result.Err, "") << c.Arguments;
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

} // namespace
