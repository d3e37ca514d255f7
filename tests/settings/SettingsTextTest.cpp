#include "platform/FormatSettings.h"
#include "settings/SettingsManager.h"

#include <gtest/gtest.h>

namespace {

std::string Normalised(const std::string& text) {
    TSettings settings;
    EXPECT_TRUE(settings.LoadFromText(text)) << text;
    return settings.ToText();
}

} // namespace

TEST(SettingsText, CompactFormKeepsMemberOrderAndKinds) {
    struct Case {
        const char* Input;
        const char* Expected;
    };
    const Case cases[] = {
        {" { \"b\" : 1 ,\n\t\"a\" : [ true , false , null ] } ", R"({"b":1,"a":[true,false,null]})"},
        {R"({"z":{},"y":[],"x":{"w":[{}]}})", R"({"z":{},"y":[],"x":{"w":[{}]}})"},
        // A repeated member keeps its last value, at the end, as setting it twice would.
        {R"({"a":1,"b":2,"a":3})", R"({"b":2,"a":3})"},
        {R"({"":1})", R"({"":1})"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Normalised(c.Input), c.Expected) << c.Input;
    }
}

TEST(SettingsText, NumbersHaveUpTo15SignificantDigitsAndAPoint) {
    struct Case {
        const char* Input;
        const char* Expected;
    };
    const Case cases[] = {
        {"3", "3"},
        {"2.50", "2.5"},
        {"-0.125", "-0.125"},
        {"0.1", "0.1"},
        {"0.3333333333333333", "0.333333333333333"},
        {"123456789012345", "123456789012345"},
        {"1234567890123456789", "1.23456789012346E18"},
        {"1e20", "1E20"},
        {"1.5e-7", "1.5E-7"},
        {"16777215", "16777215"},
    };
    const TFormatSettings previous = FormatSettings();
    SetFormatSettings({"dd.MM.yyyy", "HH:mm:ss", ','});
    for (const Case& c : cases) {
        EXPECT_EQ(Normalised(std::string(R"({"n":)") + c.Input + "}"),
                  std::string(R"({"n":)") + c.Expected + "}")
            << c.Input;
    }
    SetFormatSettings(previous);
}

TEST(SettingsText, StringEscapes) {
    struct Case {
        std::string Text;
        std::string Quoted;
    };
    const Case cases[] = {
        {"plain", R"("plain")"},
        {"a\"b/c\\d", R"("a\"b\/c\\d")"},
        {"\b\t\n\f\r", R"("\b\t\n\f\r")"},
        {std::string("\x01\x1f", 2), R"("\u0001\u001F")"},
        {std::string(1, '\0'), R"("\u0000")"},
        {"\xC3\xA9\xE2\x80\x93", "\"\xC3\xA9\xE2\x80\x93\""}, // UTF-8 stays as it is
        {"\x7f", "\"\x7f\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QuoteJSON(c.Text), c.Quoted);
        // Reading the literal back gives the text again.
        TSettingsHandle handle(R"({"s":)" + c.Quoted + "}");
        EXPECT_EQ(handle.Get("s").AsString(), c.Text) << c.Quoted;
        EXPECT_EQ(handle.ToText(), R"({"s":)" + c.Quoted + "}");
    }
    // \u escapes in the input arrive as UTF-8.
    EXPECT_EQ(Normalised(R"({"s":"\u00e9\u2013"})"), "{\"s\":\"\xC3\xA9\xE2\x80\x93\"}");
}

TEST(SettingsText, LoadFromTextAcceptsOnlyObjects) {
    TSettings settings;
    ASSERT_TRUE(settings.LoadFromText(R"({"Keep":1})"));
    for (const char* text : {"[1,2]", "3", "\"text\"", "null", "", "{", R"({"a":1} x)", "{'a':1}",
                             "{\"a\":1,}", "{\"a\":\"\xff\"}", "{\"a\":1e999}"}) {
        EXPECT_FALSE(settings.LoadFromText(text)) << text;
        EXPECT_EQ(settings.ToText(), R"({"Keep":1})") << text;
    }
    EXPECT_EQ(TSettings().ToText(), "{}");
}

TEST(SettingsText, DeepNestingIsRefusedNotACrash) {
    const std::string deep = "{\"a\":" + std::string(100000, '[') + std::string(100000, ']') + "}";
    TSettings settings;
    EXPECT_FALSE(settings.LoadFromText(deep));
    const std::string moderate = "{\"a\":" + std::string(200, '[') + std::string(200, ']') + "}";
    EXPECT_TRUE(settings.LoadFromText(moderate));
    EXPECT_EQ(settings.ToText(), moderate);
}

TEST(SettingsText, TextThatIsNotUtf8PrintsAsReplacementCharacters) {
    struct Case {
        std::string Text;
        std::string Quoted;
    };
    const std::string replacement = "\xEF\xBF\xBD";
    const Case cases[] = {
        {"caf\xE9", "\"caf" + replacement + "\""},                               // a Latin-1 byte
        {"\xC3", "\"" + replacement + "\""},                                     // cut-off sequence
        {"\xC0\xAF", "\"" + replacement + replacement + "\""},                   // overlong "/"
        {"\xED\xA0\x80", "\"" + replacement + replacement + replacement + "\""}, // a surrogate
        {"\xF0\x9F\x98\x80", "\"\xF0\x9F\x98\x80\""},                            // a valid 4-byte sequence
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QuoteJSON(c.Text), c.Quoted);
        // A name or value of such text must still give settings text that reads back.
        TSettingsHandle handle;
        handle.LoadFromText("{}");
        handle.Set(c.Text, QuoteJSON(c.Text));
        TSettings again;
        EXPECT_TRUE(again.LoadFromText(handle.ToText())) << handle.ToText();
    }
}

TEST(SettingsText, PathsTooDeepForTheTreeAreIgnored) {
    std::string path = "a";
    for (int i = 0; i < 100000; ++i) {
        path += ".a";
    }
    TSettingsHandle handle("{}");
    handle.Set(path, "1");
    handle.Merge("{" + QuoteJSON(path) + ":1}");
    EXPECT_EQ(handle.ToText(), "{}");
    handle.Set("a.b.c", "1");
    EXPECT_EQ(handle.ToText(), R"({"a":{"b":{"c":1}}})");
}
