#include "settings/SettingsFiles.h"
#include "data/Tools.h"
#include "platform/ScriptedDialogs.h"
#include "settings/SettingsManager.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

namespace {

std::vector<unsigned char> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

TSettings SettingsOf(const std::string& text) {
    TSettings settings;
    EXPECT_TRUE(settings.LoadFromText(text)) << text;
    return settings;
}

} // namespace

TEST(SettingsFiles, StringHashIsMurmurHash2WithSeed0) {
    struct Case {
        std::string Bytes;
        std::uint32_t Hash;
    };
    // Every tail length, and bytes above 127 (which must not be sign-extended).
    const Case cases[] = {
        {"", 0x00000000},
        {"a", 0x92685F5E},
        {"ab", 0x1AA14063},
        {"abc", 0x13577C9B},
        {"abcd", 0x26873021},
        {"abcde", 0x5F09A8DE},
        {"The quick brown fox jumps over the lazy dog", 0x212729D0},
        {std::string("\xff\x80\x7f\x00\xfe", 5), 0x3E58D405},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StringHash(c.Bytes), c.Hash) << c.Bytes;
    }
}

TEST(SettingsFiles, ScrambleTextWithTheFixedKey) {
    EXPECT_EQ(ScrambleText("{}"), std::string("\x37\x30"));
    EXPECT_EQ(ScrambleText("LMRFLM"), std::string(6, '\0'));
    const std::string text = R"({"Charts":{},"ID":"AbC123xy"})";
    EXPECT_EQ(ScrambleText(ScrambleText(text)), text);
}

TEST(SettingsFiles, WrittenFileReadsBackAsTheSameText) {
    TTempFolder folder;
    const std::string path = folder.File("deep/er/default.cfg"); // missing folders are created
    const std::string text =
        R"({"Application":{"LastFolder":"\/home\/u\u00e9"},"ID":"AbC123xy","Charts":{}})";
    const TSettings settings = SettingsOf(text);
    TScopedScriptedDialogs dialogs;
    ASSERT_TRUE(WriteSettingsFile(path, settings));
    EXPECT_EQ(ReadSettingsFile(path, "default"), settings.ToText());

    // The layout: checksum of the scrambled text, little-endian, then the scrambled text.
    const std::vector<unsigned char> bytes = ReadBinaryFile(path);
    ASSERT_GT(bytes.size(), 4u);
    const std::string scrambled(bytes.begin() + 4, bytes.end());
    const std::uint32_t hash = StringHash(scrambled);
    EXPECT_EQ(bytes[0], hash & 0xFF);
    EXPECT_EQ(bytes[3], hash >> 24);
    EXPECT_EQ(ScrambleText(scrambled), settings.ToText());

    // Writing again replaces the file and leaves no temporary file beside it.
    ASSERT_TRUE(WriteSettingsFile(path, SettingsOf(R"({"ID":"x"})")));
    EXPECT_EQ(ReadSettingsFile(path, "default"), R"({"ID":"x"})");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.File("deep/er")),
                            std::filesystem::directory_iterator()),
              1);
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST(SettingsFiles, DamagedFilesReadAsNothing) {
    TTempFolder folder;
    const std::string path = folder.File("default.cfg");
    TScopedScriptedDialogs dialogs;
    ASSERT_TRUE(WriteSettingsFile(path, SettingsOf(R"({"A":1})")));
    const std::vector<unsigned char> good = ReadBinaryFile(path);

    std::vector<unsigned char> flipped = good;
    flipped[6] ^= 0x01;
    std::vector<unsigned char> badChecksum = good;
    badChecksum[0] ^= 0x80;
    // A correct checksum over text that is not a JSON object.
    const std::string notObject = ScrambleText("[1,2]");
    const std::uint32_t hash = StringHash(notObject);
    std::vector<unsigned char> listFile = {
        static_cast<unsigned char>(hash), static_cast<unsigned char>(hash >> 8),
        static_cast<unsigned char>(hash >> 16), static_cast<unsigned char>(hash >> 24)};
    listFile.insert(listFile.end(), notObject.begin(), notObject.end());

    const std::vector<std::vector<unsigned char>> damaged = {
        flipped, badChecksum,  listFile,
        {},      {1, 2, 3, 4}, std::vector<unsigned char>(good.begin(), good.end() - 1)};
    for (const std::vector<unsigned char>& bytes : damaged) {
        WriteBinaryFile(path, bytes);
        EXPECT_EQ(ReadSettingsFile(path, "default"), "") << bytes.size() << " bytes";
    }
    EXPECT_EQ(ReadSettingsFile(folder.File("missing.cfg"), "default"), "");
    EXPECT_EQ(ReadSettingsFile(folder.Path().string(), "default"), ""); // a folder
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST(SettingsFiles, ReadUnderAChartKind) {
    TTempFolder folder;
    const std::string path = folder.File("actogram.cfg");
    TScopedScriptedDialogs dialogs;
    const TSettings settings = SettingsOf(R"({"Actogram":{"Canvas":{"Width":800}}})");
    ASSERT_TRUE(WriteSettingsFile(path, settings));

    EXPECT_EQ(ReadSettingsFile(path, "Actogram"), settings.ToText());
    EXPECT_TRUE(dialogs.Messages.empty());

    EXPECT_EQ(ReadSettingsFile(path, "Cosinor"), "");
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.LastMessage(),
              "Error: No settings for the current chart type found in the selected file.");
    EXPECT_EQ(dialogs.Messages.back().Kind, TMessageKind::Error);
}

TEST(SettingsFiles, SectionLosesTheDatasetKeys) {
    TTempFolder folder;
    const std::string path = folder.File("export.cfg");
    TScopedScriptedDialogs dialogs;
    const std::string text = R"({"Actogram":{"StopAt":"Axes","Data":{"UTCDelta":1,"Longitude":13.4,)"
                             R"("Latitude":52.5,"StartDate":4000,"EndDate":4100,"Dataset":"AbC123xy",)"
                             R"("Filename":"a.adf","RangeIndex":2,"Channel":1},"Canvas":{"Width":800}},)"
                             R"("StopAt":"Legend"})";
    ASSERT_TRUE(WriteSettingsSection(path, "Actogram", text));
    // Only inside the kind's object: the top-level "StopAt" is not a key of the section.
    EXPECT_EQ(ReadSettingsFile(path, "Actogram"),
              R"({"Actogram":{"Data":{"Channel":1},"Canvas":{"Width":800}},"StopAt":"Legend"})");

    // A kind the text lacks strips nothing; dotted member names are names, not paths.
    ASSERT_TRUE(WriteSettingsSection(path, "Cosinor", R"({"Actogram":{"StopAt":"None","Canvas.Width":5}})"));
    EXPECT_EQ(ReadSettingsFile(path, "default"), R"({"Actogram":{"StopAt":"None","Canvas.Width":5}})");
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST(SettingsFiles, SectionThatIsEmptyOrNotAnObjectWritesNothing) {
    TTempFolder folder;
    TScopedScriptedDialogs dialogs;
    for (const char* text : {"", "[1]", "{"}) {
        EXPECT_FALSE(WriteSettingsSection(folder.File("x.cfg"), "Actogram", text)) << text;
        EXPECT_FALSE(std::filesystem::exists(folder.File("x.cfg"))) << text;
    }
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST(SettingsFiles, FolderThatCannotBeCreated) {
    TTempFolder folder;
    WriteBinaryFile(folder.File("plain"), Bytes("a file"));
    TScopedScriptedDialogs dialogs;
    EXPECT_FALSE(WriteSettingsFile(folder.File("plain/sub/default.cfg"), TSettings()));
    EXPECT_EQ(dialogs.LastMessage(), "Error: Cannot create settings directory.");
    EXPECT_FALSE(WriteSettingsSection(folder.File("plain/x.cfg"), "Actogram", R"({"Actogram":{}})"));
    EXPECT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.LastMessage(), "Error: Cannot create settings directory.");
}

TEST(SettingsFiles, FileThatCannotBeCreated) {
    TTempFolder folder;
    std::filesystem::create_directories(folder.File("taken/inner"));
    TScopedScriptedDialogs dialogs;
    EXPECT_FALSE(WriteSettingsFile(folder.File("taken"), TSettings()));
    EXPECT_EQ(dialogs.LastMessage(), "Error: Cannot create settings file.");
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("taken/inner")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              1); // no temporary file left behind
}

TEST(SettingsFiles, FailedWriteKeepsTheOldFile) {
    TTempFolder folder;
    const std::string path = folder.File("default.cfg");
    TScopedScriptedDialogs dialogs;
    ASSERT_TRUE(WriteSettingsFile(path, SettingsOf(R"({"Old":1})")));
    const std::vector<unsigned char> old = ReadBinaryFile(path);

    // A file size limit makes the write fail half-way, as a full disk would.
    const std::string big = R"({"Big":")" + std::string(100000, 'x') + "\"}";
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool written = WriteSettingsFile(path, SettingsOf(big));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(dialogs.LastMessage(), "Error: Cannot create settings file.");
    EXPECT_EQ(ReadBinaryFile(path), old);
    EXPECT_EQ(ReadSettingsFile(path, "default"), R"({"Old":1})");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(SettingsFiles, BareFileNameGoesIntoTheProgramFolder) {
    const std::string name = "settings-test-" + std::to_string(::getpid()) + ".cfg";
    const std::filesystem::path expected = std::filesystem::path(ProgramFolder()) / name;
    TScopedScriptedDialogs dialogs;
    ASSERT_TRUE(WriteSettingsFile(name, SettingsOf(R"({"A":1})")));
    EXPECT_EQ(ReadSettingsFile(expected.string(), "default"), R"({"A":1})");
    std::filesystem::remove(expected);
}
