#include "ADFTestImages.h"

#include "platform/ScriptedDialogs.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::unique_ptr<TActivityData> Dataset(const std::string& title,
                                       TDatasetState state = TDatasetState::Loaded) {
    auto dataset = std::make_unique<TActivityData>();
    dataset->SetTitle(title);
    dataset->State = state;
    return dataset;
}

std::vector<std::string> Titles(const TActivityDataList& list) {
    std::vector<std::string> titles;
    for (int i = 0; i < list.Count(); ++i) {
        titles.push_back(list[i].Title());
    }
    return titles;
}

} // namespace

TEST(DatasetList, AddKeepsTitleOrderCaseInsensitively) {
    struct Case {
        std::vector<std::string> Added;
        std::vector<std::string> Order;
    };
    const Case cases[] = {
        // Lower-cased, "B" is not greater than "b", so it goes after it.
        {{"b", "a", "B"}, {"a", "b", "B"}},
        // A longer title that starts with the new one counts as equal and stays before it.
        {{"Foxes", "Fox"}, {"Foxes", "Fox"}},
        {{"Fox", "Foxes"}, {"Fox", "Foxes"}},
        {{"delta", "Alpha", "charlie", "Bravo"}, {"Alpha", "Bravo", "charlie", "delta"}},
    };
    for (const Case& c : cases) {
        TActivityDataList list;
        for (const std::string& title : c.Added) {
            list.Add(Dataset(title), "");
        }
        EXPECT_EQ(Titles(list), c.Order);
    }
}

TEST(DatasetList, HigherStateGoesFirstAndAddReturnsIndex) {
    TActivityDataList list;
    EXPECT_EQ(list.Add(Dataset("b", TDatasetState::Loading), "link b"), 0);
    EXPECT_EQ(list.Add(Dataset("a", TDatasetState::Loading), "link a"), 0);
    EXPECT_EQ(list.Add(Dataset("z", TDatasetState::Loaded), "link z"), 0);
    EXPECT_EQ(list.Add(Dataset("c", TDatasetState::Failed), "link c"), 0);
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"c", "z", "a", "b"}));
    EXPECT_EQ(list[1].Link, "link z");
}

TEST(DatasetList, RetitleNumbersAndMoves) {
    TActivityDataList list;
    for (const char* title : {"a", "c", "e"}) {
        list.Add(Dataset(title), "");
    }
    list.Retitle(0, "d", false);
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"c", "d", "e"}));
    list.Retitle(2, "b", false);
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"b", "c", "d"}));
    list.Retitle(0, "z", false);
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"c", "d", "z"}));

    list.Retitle(1, "Fox", true);
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"c", "Fox (1)", "z"}));
    list.Retitle(2, "Fox", true);
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"c", "Fox (1)", "Fox (2)"}));
    // Counters only grow, also after the datasets that carried the numbers were unloaded.
    list.Delete(2);
    list.Delete(1);
    list.Retitle(0, "Fox", true);
    EXPECT_EQ(Titles(list), std::vector<std::string>{"Fox (3)"});
}

class DatasetListLoading : public ::testing::Test {
protected:
    TScopedScriptedDialogs Dialogs;
    TTempFolder Folder;
    TActivityDataList List;
    const std::vector<std::uint8_t> Image = MakeADFImage({{1, 1, 1, 110}, {2, 2, 2, 110}});
};

TEST_F(DatasetListLoading, LoadFileTitlesAndLinksTheFile) {
    const std::string path = Folder.File("badger.adf");
    WriteBinaryFile(path, Image);
    const int index = List.LoadFile(path, "");
    ASSERT_EQ(index, 0);
    EXPECT_EQ(List[0].Title(), "badger.adf");
    EXPECT_EQ(List[0].SampleCount(), 2);
    EXPECT_EQ(List[0].Link, "{\"ADF\":{\"ID\":\"" + List.ListID + "\",\"Filename\":\"" + path + "\"}}");
    EXPECT_EQ(List.IndexOfFile(path), 0);
    EXPECT_EQ(List.IndexOfFile(Folder.File("badger")), -1);
    EXPECT_EQ(List.IndexOfFile(Folder.File("BADGER.adf")), -1);
    EXPECT_EQ(List.IndexOfID(List[0].ID()), 0);
    EXPECT_EQ(List.IndexOfID("nothing"), -1);
    EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(DatasetListLoading, LoadStreamNameForms) {
    // An existing file's name becomes its full path.
    WriteBinaryFile(Folder.File("lynx.adf"), Image);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(Folder.Path());
    TByteStream stream{Image};
    const int fromFile = List.LoadStream(stream, "lynx.adf", "", Image.size());
    std::filesystem::current_path(previous);
    ASSERT_GE(fromFile, 0);
    EXPECT_EQ(List[fromFile].Title(), "lynx.adf");
    EXPECT_EQ(List.IndexOfFile(Folder.File("lynx.adf")), fromFile);

    // A name of no file is used as given; a given link is kept.
    const int named = List.LoadStream(stream, "/nowhere/wolf.adf", "{\"Custom\":1}", Image.size());
    EXPECT_EQ(List[named].Title(), "wolf.adf");
    EXPECT_EQ(List[named].Link, "{\"Custom\":1}");

    // Four lines restore the strings, the ID among them.
    const int restored = List.LoadStream(stream,
                                         "Ab3dEf7h\r\nRestored\r\n01.01.2011\xE2\x80\x93"
                                         "02.01.2011\r\nMode text",
                                         "", Image.size());
    ASSERT_GE(restored, 0);
    EXPECT_EQ(List[restored].ID(), "Ab3dEf7h");
    EXPECT_EQ(List[restored].Title(), "Restored");
    EXPECT_EQ(List[restored].DateText(), "01.01.2011\xE2\x80\x93"
                                         "02.01.2011");
    EXPECT_EQ(List[restored].ModeText(), "Mode text");
    EXPECT_EQ(List.IndexOfID("Ab3dEf7h"), restored);
    EXPECT_EQ(List.IndexOfID("ab3def7h"), -1);
    EXPECT_EQ(List.Count(), 3);
}

TEST_F(DatasetListLoading, RejectedImagesLeaveTheListUnchanged) {
    List.Add(Dataset("kept"), "");
    std::vector<std::uint8_t> broken = Image;
    broken[25] = 1;
    TByteStream stream{broken};
    EXPECT_EQ(List.LoadStream(stream, "broken.adf", "", broken.size()), -1);
    EXPECT_EQ(Dialogs.LastMessage(), "Collar type of data is not valid.");
    EXPECT_EQ(List.LoadFile(Folder.File("missing.adf"), ""), -1);
    EXPECT_EQ(Titles(List), std::vector<std::string>{"kept"});
}

TEST(DatasetList, GlobalListHasAnID) {
    EXPECT_EQ(DatasetList.ListID.size(), 8u);
}
