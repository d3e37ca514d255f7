#include "charts/Palette.h"
#include "platform/ScriptedDialogs.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr TColor White = 0xFFFFFF, Black = 0, PureRed = 0x0000FF, PureBlue = 0xFF0000;

TEST(Palette, TextOfKnownEntries) {
    struct TCase {
        std::vector<TColor> Colors;
        std::string Text;
    };
    const std::vector<TCase> cases = {
        {{0x123456}, "EjRW"}, // blue 18, green 52, red 86
        {{White}, "////"},    {{Black}, "AAAA"},
        {{PureRed}, "AAD/"},  {{White, Black, PureRed}, "////AAAAAAD/"},
    };
    for (const auto& c : cases) {
        TPalette palette(static_cast<int>(c.Colors.size()));
        for (int i = 0; i < palette.Count(); ++i) {
            palette.SetColor(i, c.Colors[i]);
        }
        EXPECT_EQ(palette.ToText(), c.Text);
        const TPalette decoded = TPalette::FromPaletteText(c.Text);
        ASSERT_EQ(decoded.Count(), palette.Count()) << c.Text;
        for (int i = 0; i < decoded.Count(); ++i) {
            EXPECT_EQ(decoded.GetColor(i), c.Colors[i]) << c.Text << " entry " << i;
        }
    }
}

TEST(Palette, FromTextCountsWholeGroups) {
    EXPECT_EQ(TPalette::FromPaletteText("////AA").Count(), 1);
    EXPECT_EQ(TPalette::FromPaletteText("///").Count(), 0);
    EXPECT_EQ(TPalette::FromPaletteText("").Count(), 0);
    const TPalette palette = TPalette::FromPaletteText(TPalette(256).ToText());
    EXPECT_EQ(palette.Count(), 256);
    EXPECT_EQ(palette.ToText().size(), 1024u);
}

TEST(Palette, ReadsAndWritesOutsideTheEntries) {
    TPalette palette(2);
    EXPECT_EQ(palette.GetColor(2), 0u);
    EXPECT_EQ(palette.GetColor(-1), 0u);
    palette.SetColor(2, PureRed);
    palette.SetColor(-1, PureRed);
    EXPECT_EQ(palette.GetColor(0), Black);
    EXPECT_EQ(palette.GetColor(1), White);
}

TEST(Palette, RgbFillFromWhiteToBlack) {
    TPalette palette(256);
    palette.Fill(0, -1, TPaletteFillMode::RGB, Black, White);
    EXPECT_EQ(palette.GetColor(0), White);
    EXPECT_EQ(palette.GetColor(255), Black);
    for (int i = 1; i < 256; ++i) {
        const int step = ColorRed(palette.GetColor(i - 1)) - ColorRed(palette.GetColor(i));
        EXPECT_TRUE(step == 0 || step == 1 || step == 2) << i;
        EXPECT_EQ(ColorRed(palette.GetColor(i)), ColorBlue(palette.GetColor(i)));
    }
}

TEST(Palette, FillRangeOrderAndClamping) {
    TPalette palette(10);
    palette.Fill(7, 3, TPaletteFillMode::Solid, White, PureRed);
    for (int i = 0; i < 10; ++i) {
        const bool inside = i >= 3 && i <= 7;
        EXPECT_EQ(palette.GetColor(i) == PureRed, inside) << i;
    }
    palette.Fill(-5, 20, TPaletteFillMode::RGB, White, Black);
    EXPECT_EQ(palette.GetColor(0), Black);
    EXPECT_EQ(palette.GetColor(9), White);
    palette.Fill(4, 4, TPaletteFillMode::RGB, White, PureBlue);
    EXPECT_EQ(palette.GetColor(4), PureBlue);
}

TEST(Palette, HslFillsTurnTheHueTheChosenWay) {
    // From red (hue 0) to blue (240): clockwise in 20-degree steps through yellow and green,
    // counter-clockwise in 20-degree steps through magenta.
    const TPalette clockwise(13, TPaletteFillMode::HSLClockwise, PureBlue, PureRed);
    const TPalette counter(7, TPaletteFillMode::HSLCounterClockwise, PureBlue, PureRed);
    struct TCase {
        const TPalette& Palette;
        int Index;
        TColor Expected;
    };
    const std::vector<TCase> cases = {
        {clockwise, 0, PureRed},   {clockwise, 3, 0x00FFFF}, {clockwise, 6, 0x00FF00},
        {clockwise, 12, PureBlue}, {counter, 0, PureRed},    {counter, 3, 0xFF00FF},
        {counter, 6, PureBlue},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.Palette.GetColor(c.Index), c.Expected) << c.Index;
    }
}

TEST(Palette, HslFillFromWhiteKeepsTheOtherHue) {
    TPalette palette(16, TPaletteFillMode::HSLClockwise, PureBlue, White);
    for (int i = 1; i < 15; ++i) {
        const TColor c = palette.GetColor(i);
        EXPECT_EQ(ColorRed(c), ColorGreen(c)) << i;
        EXPECT_GT(ColorBlue(c), ColorRed(c)) << i;
    }
}

class PaletteFile : public ::testing::Test {
protected:
    TTempFolder Folder;
    TScopedScriptedDialogs Dialogs;
};

TEST_F(PaletteFile, SaveAndLoadRoundTrip) {
    const std::string path = Folder.File("ramp.pal");
    TPalette saved(300, TPaletteFillMode::HSLClockwise, PureBlue, PureRed);
    ASSERT_TRUE(saved.SaveToFile(path));
    const std::vector<unsigned char> bytes = ReadBinaryFile(path);
    ASSERT_EQ(bytes.size(), 24u + 4 * 300);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
    EXPECT_EQ(bytes[4] | bytes[5] << 8, 4 * 300 + 16);
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 16), "PAL data");
    EXPECT_EQ(bytes[20] | bytes[21] << 8, 768);
    EXPECT_EQ(bytes[22] | bytes[23] << 8, 300);
    EXPECT_EQ(bytes[24], 255); // red first
    EXPECT_EQ(bytes[27], 0);   // flags
    TPalette loaded(3);
    ASSERT_TRUE(loaded.LoadFromFile(path));
    EXPECT_EQ(loaded.ToText(), saved.ToText());
    EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(PaletteFile, FlagsByteDoesNotAlterTheColour) {
    const std::string path = Folder.File("flags.pal");
    TPalette(1).SaveToFile(path);
    std::vector<unsigned char> bytes = ReadBinaryFile(path);
    bytes[24] = 10;
    bytes[27] = 0xFF;
    WriteBinaryFile(path, bytes);
    TPalette loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path));
    EXPECT_EQ(loaded.GetColor(0), 10u);
}

TEST_F(PaletteFile, DamagedFilesAreRefusedAndChangeNothing) {
    const std::string good = Folder.File("good.pal");
    ASSERT_TRUE(TPalette(4).SaveToFile(good));
    const std::vector<unsigned char> original = ReadBinaryFile(good);
    struct TCase {
        const char* Name;
        std::vector<unsigned char> Bytes;
    };
    std::vector<TCase> cases;
    const auto changed = [&](std::size_t offset, unsigned char value) {
        std::vector<unsigned char> bytes = original;
        bytes[offset] = value;
        return bytes;
    };
    cases.push_back({"too short", std::vector<unsigned char>(original.begin(), original.begin() + 23)});
    cases.push_back({"truncated entries", std::vector<unsigned char>(original.begin(), original.end() - 2)});
    cases.push_back({"not RIFF", changed(0, 'X')});
    cases.push_back({"wrong RIFF size", changed(4, original[4] + 4)});
    cases.push_back({"not PAL", changed(8, 'X')});
    cases.push_back({"not data", changed(12, 'X')});
    cases.push_back({"wrong chunk size", changed(16, original[16] + 4)});
    cases.push_back({"wrong version", changed(21, 2)});
    cases.push_back({"count disagrees with size", changed(22, 5)});
    for (const auto& c : cases) {
        const std::string path = Folder.File("damaged.pal");
        WriteBinaryFile(path, c.Bytes);
        TPalette palette(2, TPaletteFillMode::Solid, PureRed, PureRed);
        Dialogs.Messages.clear();
        EXPECT_FALSE(palette.LoadFromFile(path)) << c.Name;
        EXPECT_EQ(Dialogs.LastMessage(), "Failed to open file!") << c.Name;
        EXPECT_EQ(palette.ToText(), "AAD/AAD/") << c.Name;
    }
    TPalette palette(1);
    EXPECT_FALSE(palette.LoadFromFile(Folder.File("missing.pal")));
    EXPECT_EQ(Dialogs.LastMessage(), "Failed to open file!");
}

TEST_F(PaletteFile, FailedSaveKeepsThePreviousFile) {
    const std::string path = Folder.File("kept.pal");
    ASSERT_TRUE(TPalette(4).SaveToFile(path));
    const std::vector<unsigned char> before = ReadBinaryFile(path);
    EXPECT_FALSE(TPalette(8).SaveToFile(Folder.File("no-such-folder/x.pal")));
    EXPECT_EQ(Dialogs.LastMessage(), "Failed to open file!");
    EXPECT_EQ(ReadBinaryFile(path), before);
}

TEST(PaletteList, BuiltInPalettesAndNoDuplicates) {
    TPaletteList list;
    list.ResetToBuiltIn();
    ASSERT_EQ(list.Count(), 3);
    struct TCase {
        int Palette;
        int Index;
        TColor Expected;
    };
    const std::vector<TCase> cases = {
        {0, 0, White}, {0, 63, 0x00FFFF}, {0, 127, 0xFF00FF}, {0, 191, PureBlue}, {0, 255, Black},
        {1, 0, White}, {1, 255, Black},   {2, 0, PureBlue},   {2, 127, 0x00FF00}, {2, 255, PureRed},
    };
    for (const auto& c : cases) {
        const TPalette palette = TPalette::FromPaletteText(list.Text(c.Palette));
        EXPECT_EQ(palette.Count(), 256);
        EXPECT_EQ(palette.GetColor(c.Index), c.Expected) << c.Palette << ":" << c.Index;
    }
    EXPECT_FALSE(list.Add(list.Text(1)));
    EXPECT_TRUE(list.Add("AAAA"));
    EXPECT_EQ(list.Count(), 4);
    list.ResetToBuiltIn();
    EXPECT_EQ(list.Count(), 3);
}

} // namespace
