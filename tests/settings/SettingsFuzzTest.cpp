// Damaged settings texts and files, truncated and bit-flipped: nothing may crash, and every failure must be
// reported the documented way (false, the fixed exception text, or an empty read) with the tree unchanged.

#include "platform/ScriptedDialogs.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsManager.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const char* const Original =
    R"({"Application":{"LastFolder":"\/data\/coll\u00e9ge","Width":1024.5},)"
    R"("Connections":[{"Name":"db","Port":5432,"Ssl":true,"Note":null}],)"
    R"("Charts":{"Actogram":{"Data":{"DaysPerLine":2,"Intervals":[{"Position":3600}]},)"
    R"("Axes":{"FontName":"Arial","FontSize":8},"Title":"A \"quoted\" title\n"}},)"
    R"("ID":"AbC123xy","Scale":-1.5E-7,"List":[[],{},[1,[2,[3]]]]})";

std::vector<std::string> DamagedVariants(const std::string& text, int flipped) {
    std::vector<std::string> variants;
    for (std::size_t length = 0; length < text.size(); ++length) {
        variants.push_back(text.substr(0, length));
    }
    std::mt19937 random(20111503);
    for (int i = 0; i < flipped; ++i) {
        std::string flipped = text;
        const int flips = 1 + i % 3;
        for (int f = 0; f < flips; ++f) {
            flipped[random() % flipped.size()] ^= static_cast<char>(1 << (random() % 8));
        }
        variants.push_back(flipped);
    }
    return variants;
}

// A tree that loaded must print text that loads to the same tree again.
void ExpectStablePrint(const std::string& printed) {
    TSettings again;
    ASSERT_TRUE(again.LoadFromText(printed)) << ::testing::PrintToString(printed);
    EXPECT_EQ(again.ToText(), printed);
}

} // namespace

TEST(SettingsFuzz, DamagedTextsLoadOrFailCleanly) {
    int accepted = 0;
    for (const std::string& text : DamagedVariants(Original, 1500)) {
        TSettings settings;
        ASSERT_TRUE(settings.LoadFromText(R"({"Before":1})"));
        if (settings.LoadFromText(text)) {
            ++accepted;
            ExpectStablePrint(settings.ToText());
        } else {
            EXPECT_EQ(settings.ToText(), R"({"Before":1})");
        }

        TSettingsHandle handle(R"({"Before":1})");
        try {
            handle.Merge(text);
            ExpectStablePrint(handle.ToText());
        } catch (const TSettingsError& error) {
            EXPECT_STREQ(error.what(), "Failed to parse JSON string as Object.");
            EXPECT_EQ(handle.ToText(), R"({"Before":1})");
        }
        // Damaged text used as a value or a path must leave a valid tree behind.
        handle.Set(text, "1");
        handle.Set("Value", text);
        EXPECT_EQ(handle.Depth(), 1);
        ExpectStablePrint(handle.ToText());
    }
    // Flips inside strings and digits keep the text valid: both outcomes were exercised.
    EXPECT_GT(accepted, 0);
}

TEST(SettingsFuzz, DamagedFilesReadAsNothing) {
    TTempFolder folder;
    const std::string path = folder.File("default.cfg");
    TScopedScriptedDialogs dialogs;
    TSettings settings;
    ASSERT_TRUE(settings.LoadFromText(Original));
    ASSERT_TRUE(WriteSettingsFile(path, settings));
    const std::vector<unsigned char> good = ReadBinaryFile(path);
    const std::string goodText(good.begin(), good.end());

    for (const std::string& bytes : DamagedVariants(goodText, 400)) {
        WriteBinaryFile(path, {bytes.begin(), bytes.end()});
        const std::string read = ReadSettingsFile(path, "default");
        if (bytes != goodText) {
            EXPECT_EQ(read, "");
        }
    }
    EXPECT_TRUE(dialogs.Messages.empty()); // a damaged "default.cfg" is dropped silently
}
