#include "data/Tools.h"
#include "platform/FormatSettings.h"
#include "platform/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <set>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Sets an environment variable (or removes it, for nullopt) and restores it afterwards.
class TScopedVariable {
public:
    TScopedVariable(const char* name, std::optional<std::string> value) : Name(name) {
        if (const char* old = std::getenv(name)) {
            Previous = old;
        }
        Apply(value);
    }
    ~TScopedVariable() { Apply(Previous); }

private:
    void Apply(const std::optional<std::string>& value) {
        if (value) {
            setenv(Name, value->c_str(), 1);
        } else {
            unsetenv(Name);
        }
    }
    const char* Name;
    std::optional<std::string> Previous;
};

} // namespace

TEST(Tools, FormatFixed) {
    struct Case {
        double Value;
        int Decimals;
        const char* Expected;
    };
    const Case cases[] = {
        {2.5, 2, "2.5"},
        {3.0, 2, "3"},
        {0.05, 3, "0.05"},
        {-1.236, 2, "-1.24"},
        {0.004, 2, "0"},
        {0.006, 2, "0.01"},
        {-0.004, 2, "0"},
        {1234.5678, 2, "1234.57"},
        {100.0, 0, "100"},
        {100.0, 3, "100"},
        {0.123, 3, "0.123"},
        {0.1, 5, "0.1"},
        {2.5, 0, "2"},
        {3.5, 0, "4"},
        {1e20, 2, "100000000000000000000"},
        // Values that round to zero are "0", never "0.0" or "-0".
        {NaN, 2, "0"},
        {0.005, 2, "0"},
        {-0.5, 0, "0"},
        {0.5, 0, "0"},
        {-0.0, 2, "0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatFixed(c.Value, c.Decimals), c.Expected) << c.Value << " with " << c.Decimals;
    }
}

TEST(Tools, FormatFixedOfHugeValuesIsAllDigits) {
    const std::string text = FormatFixed(1e300, 30);
    EXPECT_EQ(text.size(), 301u);
    EXPECT_EQ(text.substr(0, 4), "1000");
    EXPECT_EQ(text.find_first_not_of("0123456789"), std::string::npos);
}

TEST(Tools, FormatFixedIgnoresTheUserDecimalSeparator) {
    const TFormatSettings previous = FormatSettings();
    SetFormatSettings({"dd.MM.yyyy", "HH:mm:ss", ','});
    EXPECT_EQ(FormatFixed(-12.75, 1), "-12.8");
    SetFormatSettings(previous);
}

TEST(Tools, IsNumber) {
    struct Case {
        const char* Text;
        bool IntegerOnly;
        double Min;
        double Max;
        bool Expected;
    };
    const Case cases[] = {
        {"-5", false, 0, NaN, false},    {"-45", false, -90, 90, true},     {"90", true, -90, 90, true},
        {"90.5", false, -90, 90, false}, {"1.2.3", false, NaN, NaN, false}, {"1,2.3", false, NaN, NaN, false},
        {"1,5", true, NaN, NaN, false},  {"1,5", false, NaN, NaN, true},    {"15", true, NaN, NaN, true},
        {"", false, NaN, NaN, false},    {".5", false, NaN, NaN, false},    {"+5", true, NaN, NaN, true},
        {"5.", false, NaN, NaN, true},   {"-", false, NaN, NaN, false},     {"+", false, NaN, NaN, false},
        {"1e5", false, NaN, NaN, false}, {" 1", false, NaN, NaN, false},    {"1 ", false, NaN, NaN, false},
        {"--1", false, NaN, NaN, false}, {"abc", false, NaN, NaN, false},   {"-0,5", false, -1, 0, true},
        {"2,5", false, 2.6, NaN, false}, {"2,5", false, NaN, 2.4, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsNumber(c.Text, c.IntegerOnly, c.Min, c.Max), c.Expected) << '"' << c.Text << '"';
    }
}

TEST(Tools, StrToFloatToleratesBothSeparatorsInEveryLocale) {
    struct Case {
        const char* Text;
        double Expected;
    };
    const Case cases[] = {{"2.5", 2.5}, {"2,5", 2.5},   {"-3,25", -3.25}, {"+4", 4.0}, {"7", 7.0},
                          {"abc", 0.0}, {"1.2.3", 0.0}, {"", 0.0},        {"5.", 5.0}, {"2,5x", 0.0}};
    const TFormatSettings previous = FormatSettings();
    for (const char separator : {'.', ','}) {
        SetFormatSettings({"dd.MM.yyyy", "HH:mm:ss", separator});
        for (const Case& c : cases) {
            EXPECT_EQ(StrToFloatTolerant(c.Text), c.Expected) << c.Text << " with separator " << separator;
        }
    }
    SetFormatSettings(previous);
}

TEST(Tools, MinAndMaxOfValidIgnoreNaN) {
    struct Case {
        double A;
        double B;
        double Min;
        double Max;
    };
    const Case cases[] = {{1, 2, 1, 2}, {2, 1, 1, 2}, {NaN, 2, 2, 2}, {1, NaN, 1, 1}, {-3, -3, -3, -3}};
    for (const Case& c : cases) {
        EXPECT_EQ(MinOfValid(c.A, c.B), c.Min) << c.A << ", " << c.B;
        EXPECT_EQ(MaxOfValid(c.A, c.B), c.Max) << c.A << ", " << c.B;
    }
    EXPECT_TRUE(std::isnan(MinOfValid(NaN, NaN)));
    EXPECT_TRUE(std::isnan(MaxOfValid(NaN, NaN)));
}

TEST(Tools, PositiveMod) {
    struct Case {
        double Modulus;
        double Value;
        double Expected;
    };
    const Case cases[] = {{24, 25, 1},    {24, -1, 23},      {24, 24, 0},      {24, -24, 0},
                          {24, 0, 0},     {360, 725, 5},     {360, -725, 355}, {1, 0.25, 0.25},
                          {1, -1e-20, 0}, {24, 1e12 + 5, 21}};
    for (const Case& c : cases) {
        const double result = PositiveMod(c.Modulus, c.Value);
        EXPECT_DOUBLE_EQ(result, c.Expected) << c.Value << " mod " << c.Modulus;
        EXPECT_TRUE(result >= 0 && result < c.Modulus) << c.Value << " mod " << c.Modulus;
    }
}

TEST(Tools, ReplaceAndCountText) {
    struct Case {
        const char* Text;
        const char* Old;
        const char* New;
        bool All;
        const char* Expected;
    };
    const Case cases[] = {
        {"a-b-c", "-", "+", false, "a+b-c"},
        {"a-b-c", "-", "+", true, "a+b+c"},
        {"aaa", "aa", "b", true, "ba"},
        {"abc", "x", "y", true, "abc"},
        {"abc", "", "y", true, "abc"},
        {"aa", "a", "aa", true, "aaaa"},
        {"", "a", "b", true, ""},
        {"abab", "ab", "", true, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReplaceText(c.Text, c.Old, c.New, c.All), c.Expected) << c.Text << " " << c.Old;
    }
    EXPECT_EQ(CountText("aaaa", "aa"), 2);
    EXPECT_EQ(CountText("a.b.c", "."), 2);
    EXPECT_EQ(CountText("abc", "x"), 0);
    EXPECT_EQ(CountText("abc", ""), 0);
}

TEST(Tools, RandomIDDrawsEveryCharacterOfItsAlphabet) {
    std::string printable;
    for (char c = '!'; c <= '~'; ++c) {
        printable += c;
    }
    struct Case {
        int Alphabet;
        std::string Characters;
    };
    const Case cases[] = {
        {1, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"},
        {2, "0123456789abcdefghijklmnopqrstuvwxyz"},
        {3, printable},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RandomID(8, c.Alphabet).size(), 8u);
        // Long enough that a character missing from the draw (an off-by-one range) shows.
        const std::string id = RandomID(20000, c.Alphabet);
        ASSERT_EQ(id.size(), 20000u);
        EXPECT_EQ(std::set<char>(id.begin(), id.end()),
                  std::set<char>(c.Characters.begin(), c.Characters.end()))
            << "alphabet " << c.Alphabet;
    }
    EXPECT_EQ(RandomID(0), "");
    EXPECT_NE(RandomID(32), RandomID(32));
}

TEST(Tools, HSLToColor) {
    struct Case {
        double Lightness;
        double Saturation;
        double Hue;
        TColor Expected;
    };
    const Case cases[] = {
        {0.5, 1, 0, 0x0000FF},    {0.5, 1, 120, 0x00FF00}, {0.5, 1, 240, 0xFF0000}, {0.5, 1, 360, 0x0000FF},
        {0.5, 1, -120, 0xFF0000}, {0.5, 1, 60, 0x00FFFF},  {1, 0.3, 77, 0xFFFFFF},  {1, 1, 200, 0xFFFFFF},
        {0, 1, 10, 0x000000},     {0.5, 0, 99, 0x808080},  {0.25, 1, 0, 0x000080},  {0.75, 1, 0, 0x8080FF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HSLToColor(c.Lightness, c.Saturation, c.Hue), c.Expected)
            << c.Lightness << ", " << c.Saturation << ", " << c.Hue;
    }
}

TEST(Tools, SeriesColorsStartAtTheOffsetAndDoNotRepeat) {
    EXPECT_EQ(SeriesColor(0, SeriesHueOffset, 0.5, 1), HSLToColor(0.5, 1, 250));
    EXPECT_EQ(SeriesColor(1, SeriesHueOffset, 0.5, 1), HSLToColor(0.5, 1, 250 + 210.5865));
    EXPECT_EQ(SeriesColor(2, SeriesHueOffset, 0.5, 1), HSLToColor(0.5, 1, 250 + 115.8941));
    std::set<TColor> colours;
    for (int index = 0; index < 8; ++index) {
        colours.insert(SeriesColor(index, SeriesHueOffset, 0.5, 1));
    }
    EXPECT_EQ(colours.size(), 8u);
}

TEST(Tools, LuminanceWeighsRedGreenBlueFromTheLowByte) {
    EXPECT_DOUBLE_EQ(Luminance(0xFFFFFF), 1.0);
    EXPECT_DOUBLE_EQ(Luminance(0x000000), 0.0);
    EXPECT_DOUBLE_EQ(Luminance(0x0000FF), 0.299);
    EXPECT_DOUBLE_EQ(Luminance(0x00FF00), 0.587);
    EXPECT_DOUBLE_EQ(Luminance(0xFF0000), 0.114);
    EXPECT_DOUBLE_EQ(Luminance(0xFF000000), 0.0); // the highest byte is ignored
}

TEST(Tools, CopyToClipboardGoesThroughTheUserDialogs) {
    TScopedScriptedDialogs dialogs;
    CopyToClipboard("Time\tValue\n1\t2");
    EXPECT_EQ(dialogs.Clipboard, "Time\tValue\n1\t2");
}

TEST(Tools, AppDataFolder) {
    {
        TScopedVariable data("XDG_DATA_HOME", "/tmp/data");
        TScopedVariable home("HOME", "/home/user");
        EXPECT_EQ(AppDataFolder(), "/tmp/data/BRH/Lumeroc");
    }
    {
        TScopedVariable data("XDG_DATA_HOME", std::nullopt);
        TScopedVariable home("HOME", "/home/user");
        EXPECT_EQ(AppDataFolder(), "/home/user/.local/share/BRH/Lumeroc");
    }
    {
        TScopedVariable data("XDG_DATA_HOME", "");
        TScopedVariable home("HOME", std::nullopt);
        EXPECT_EQ(AppDataFolder(), ProgramFolder());
        EXPECT_FALSE(ProgramFolder().empty());
    }
}
