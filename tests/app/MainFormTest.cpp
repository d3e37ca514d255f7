#include "app/MainForm.h"
#include "app/DatasetListEntry.h"
#include "settings/SettingsFiles.h"

#include "AppTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

namespace {

using ::testing::ElementsAre;

const std::string Layout =
    "{\"Actogram\":{\"Canvas\":{\"Values\":[\"Canvas.Width\"],\r\n\t\"StyleOnly\":true}}}";

class TRecordingView : public IMainFormView {
public:
    void CaptionChanged(const std::string& caption) override { Caption = caption; }
    void DatasetListChanged() override { ++DatasetListChanges; }
    void ValueListChanged() override { ++ValueListChanges; }

    std::string Caption;
    int DatasetListChanges = 0;
    int ValueListChanges = 0;
};

std::vector<std::string> Titles() {
    std::vector<std::string> titles;
    for (int i = 0; i < DatasetList.Count(); ++i) {
        titles.push_back(DatasetList[i].Title());
    }
    return titles;
}

class MainFormTest : public ::testing::Test {
protected:
    TAppEnvironment Environment;
    TRecordingView View;
};

TEST_F(MainFormTest, FirstStartCreatesTheGuaranteedKeysAndWritesThemAtExit) {
    TMainForm form(&View);
    form.StartUp(Layout, {});

    TSettingsHandle settings(form.Settings());
    EXPECT_TRUE(settings.IsObject("Application"));
    EXPECT_TRUE(settings.IsObject("Dialogs"));
    EXPECT_TRUE(settings.IsList("Connections"));
    EXPECT_TRUE(settings.IsList("DataCache"));
    EXPECT_THAT(form.InstallationID(), ::testing::MatchesRegex("[0-9A-Za-z]{8}"));
    EXPECT_EQ(settings.Get("ID").AsString(), form.InstallationID());
    EXPECT_EQ(DatasetList.ListID, form.InstallationID());
    EXPECT_EQ(settings.Get("Sections.Actogram.Canvas.StyleOnly").AsBoolean(), true);
    EXPECT_FALSE(settings.Exists("Charts"));
    EXPECT_EQ(View.Caption, "New workspace \u2013 Lumeroc");
    EXPECT_TRUE(Environment.Dialogs.Messages.empty());

    form.ShutDown();
    TSettings written;
    ASSERT_TRUE(written.LoadFromText(ReadSettingsFile(Environment.SettingsFile(), "default")));
    EXPECT_EQ(written.ToText(), form.Settings().ToText());
}

TEST_F(MainFormTest, SecondStartKeepsTheInstallationIDAndTheRememberedSettings) {
    std::string firstID;
    {
        TMainForm form;
        form.StartUp(Layout, {});
        TSettingsHandle(form.Settings()).Set("Application.LoadADFPath", "\"/data/collars\"");
        firstID = form.InstallationID();
        form.ShutDown();
    }
    DatasetList.ListID = "other";
    TMainForm form;
    form.StartUp(Layout, {});
    EXPECT_EQ(form.InstallationID(), firstID);
    EXPECT_EQ(DatasetList.ListID, firstID);
    EXPECT_EQ(TSettingsHandle(form.Settings()).Get("Application.LoadADFPath").AsString(), "/data/collars");
}

TEST_F(MainFormTest, CorruptedSettingsFileIsDeletedSilently) {
    {
        TMainForm form;
        form.StartUp(Layout, {});
        form.ShutDown();
    }
    std::vector<unsigned char> bytes = ReadBinaryFile(Environment.SettingsFile());
    ASSERT_GT(bytes.size(), 10u);
    bytes[8] ^= 0x01;
    WriteBinaryFile(Environment.SettingsFile(), bytes);

    TMainForm form;
    form.StartUp(Layout, {});
    EXPECT_FALSE(std::filesystem::exists(Environment.SettingsFile()));
    EXPECT_TRUE(Environment.Dialogs.Messages.empty());
    EXPECT_TRUE(TSettingsHandle(form.Settings()).IsObject("Application"));
}

TEST_F(MainFormTest, KeysOfTheWrongKindAreCreatedAgain) {
    TSettings stored;
    ASSERT_TRUE(
        stored.LoadFromText(R"({"Application":3,"Connections":{},"ID":12,"Charts":{"Actogram":{}}})"));
    ASSERT_TRUE(WriteSettingsFile(Environment.SettingsFile(), stored));

    TMainForm form;
    form.StartUp(Layout, {});
    TSettingsHandle settings(form.Settings());
    EXPECT_TRUE(settings.IsObject("Application"));
    EXPECT_TRUE(settings.IsList("Connections"));
    EXPECT_THAT(form.InstallationID(), ::testing::MatchesRegex("[0-9A-Za-z]{8}"));
    EXPECT_TRUE(settings.IsObject("Charts.Actogram"));
}

TEST_F(MainFormTest, EmptySectionLayoutStopsStartUp) {
    TMainForm form;
    EXPECT_THROW(
        {
            try {
                form.StartUp("\t\r\n", {});
            } catch (const std::runtime_error& error) {
                EXPECT_STREQ(error.what(), "No section data found. (1)");
                throw;
            }
        },
        std::runtime_error);
}

TEST_F(MainFormTest, CaptionShowsWorkspaceFileAndModifiedMark) {
    struct TCase {
        std::string File;
        bool Modified;
        std::string Caption;
    };
    const TCase cases[] = {
        {"", false, "New workspace \u2013 Lumeroc"},
        {"", true, "New workspace* \u2013 Lumeroc"},
        {"C:\\data\\a.lmr", true, "C:\\data\\a.lmr* \u2013 Lumeroc"},
        {"/home/fox/a.lmr", false, "/home/fox/a.lmr \u2013 Lumeroc"},
    };
    TMainForm form(&View);
    for (const TCase& c : cases) {
        form.SetWorkspaceFile(c.File);
        form.SetModified(c.Modified);
        EXPECT_EQ(View.Caption, c.Caption);
        EXPECT_EQ(form.Caption(), c.Caption);
    }
}

TEST_F(MainFormTest, CloseAsksOnlyForAModifiedWorkspace) {
    TMainForm form;
    form.StartUp(Layout, {});
    EXPECT_TRUE(form.CloseQuery());
    EXPECT_TRUE(Environment.Dialogs.Messages.empty());

    form.SetModified(true);
    Environment.Dialogs.Answers = {TAnswer::Cancel, TAnswer::No};
    EXPECT_FALSE(form.CloseQuery());
    EXPECT_EQ(Environment.Dialogs.LastMessage(), "Do you want to save current workspace?");
    EXPECT_TRUE(form.CloseQuery());
    EXPECT_EQ(Environment.Dialogs.Messages.size(), 2u);
}

TEST_F(MainFormTest, LoadADFRemembersTheFolderAndReportsDuplicates) {
    const std::string badger = Environment.WriteADF("badger.adf", 10);
    const std::string fox = Environment.WriteADF("fox.adf", 20);
    TMainForm form(&View);
    form.StartUp(Layout, {});
    Environment.Dialogs.OpenFileNames = {{fox, badger, fox}, {}};

    form.LoadADF();
    ASSERT_EQ(Environment.Dialogs.FileRequests.size(), 1u);
    const TFileDialogRequest& request = Environment.Dialogs.FileRequests[0];
    EXPECT_EQ(request.Filter, "Activity Data File (*.adf)|*.adf");
    EXPECT_TRUE(request.MultiSelect);
    EXPECT_EQ(request.InitialFolder, "");
    EXPECT_THAT(Titles(), ElementsAre("badger.adf", "fox.adf"));
    EXPECT_EQ(Environment.Dialogs.LastMessage(), "Dataset \"" + fox + "\" already loaded as \"fox.adf\"");
    EXPECT_EQ(DatasetList[1].Link,
              "{\"ADF\":{\"ID\":\"" + form.InstallationID() + "\",\"Filename\":\"" + fox + "\"}}");
    EXPECT_TRUE(form.IsModified());
    EXPECT_EQ(View.Caption, "New workspace* \u2013 Lumeroc");
    EXPECT_GT(View.DatasetListChanges, 0);

    form.LoadADF();
    EXPECT_EQ(Environment.Dialogs.FileRequests[1].InitialFolder, Environment.Files.Path().string());
}

TEST_F(MainFormTest, CancelledLoadChangesNothing) {
    TMainForm form;
    form.StartUp(Layout, {});
    form.LoadADF();
    EXPECT_FALSE(form.IsModified());
    EXPECT_FALSE(TSettingsHandle(form.Settings()).Exists("Application.LoadADFPath"));
    EXPECT_EQ(DatasetList.Count(), 0);
}

TEST_F(MainFormTest, RejectedFileIsReportedAndTheOthersStillLoad) {
    const std::string good = Environment.WriteADF("good.adf", 5);
    const std::string bad = Environment.Files.File("bad.adf");
    WriteBinaryFile(bad, std::vector<unsigned char>(84, 0));
    TMainForm form;
    form.StartUp(Layout, {});
    Environment.Dialogs.OpenFileNames = {{bad, good}};
    form.LoadADF();
    EXPECT_THAT(Titles(), ElementsAre("good.adf"));
    EXPECT_EQ(Environment.Dialogs.LastMessage(), "Not a Orbicol data file.");
}

TEST_F(MainFormTest, OpenFilesLoadsADFFilesByExtension) {
    struct TCase {
        std::vector<std::string> Names;
        std::vector<std::string> Titles;
    };
    const TCase cases[] = {
        {{"b.adf", "a.adf"}, {"a.adf", "b.adf"}},
        {{"w.lmr", "a.adf"}, {"a.adf"}},
        {{"C.ADF", "notes.txt"}, {"C.ADF"}},
        {{"notes.txt"}, {}},
    };
    for (const char* name : {"a.adf", "b.adf", "C.ADF", "notes.txt", "w.lmr"}) {
        Environment.WriteADF(name, 3);
    }
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Names.front());
        TAppEnvironment::ClearDatasets();
        TMainForm form;
        form.StartUp(Layout, {});
        std::vector<std::string> paths;
        for (const std::string& name : c.Names) {
            paths.push_back(Environment.Files.File(name));
        }
        form.OpenFiles(paths);
        EXPECT_EQ(Titles(), c.Titles);
        EXPECT_TRUE(form.IsModified());
    }
}

TEST_F(MainFormTest, OneWorkspaceFileIsNotLoadedAsData) {
    const std::string workspace = Environment.WriteADF("W.LMR", 3);
    TMainForm form;
    form.StartUp(Layout, {workspace});
    EXPECT_EQ(DatasetList.Count(), 0);
    EXPECT_FALSE(form.IsModified());
}

TEST_F(MainFormTest, CommandLineArgumentsAreLoadedAtStart) {
    const std::string a = Environment.WriteADF("a.adf", 3);
    const std::string b = Environment.WriteADF("b.adf", 3);
    TMainForm form(&View);
    form.StartUp(Layout, {b, a});
    EXPECT_THAT(Titles(), ElementsAre("a.adf", "b.adf"));
    EXPECT_EQ(View.Caption, "New workspace* \u2013 Lumeroc");
}

TEST_F(MainFormTest, TwoSpellingsOfOnePathLoadTwice) {
    const std::string path = Environment.WriteADF("a.adf", 3);
    const std::string otherSpelling = (Environment.Files.Path() / "." / "a.adf").string();
    TMainForm form;
    form.StartUp(Layout, {path, otherSpelling});
    EXPECT_EQ(DatasetList.Count(), 2);
    EXPECT_TRUE(Environment.Dialogs.Messages.empty());
}

TEST_F(MainFormTest, DroppingFoldersAndMissingPathsHasNoEffect) {
    TMainForm form;
    form.StartUp(Layout, {});
    form.DropFiles({Environment.Files.Path().string(), Environment.Files.File("missing.adf")});
    EXPECT_EQ(DatasetList.Count(), 0);
    EXPECT_FALSE(form.IsModified());

    const std::string file = Environment.WriteADF("a.adf", 3);
    form.DropFiles({Environment.Files.File("missing.adf"), file});
    EXPECT_THAT(Titles(), ElementsAre("a.adf"));
    EXPECT_TRUE(form.IsModified());
}

TEST_F(MainFormTest, UnloadIsRefusedWhileChartsUseTheDataset) {
    TMainForm form(&View);
    form.StartUp(Layout, {Environment.WriteADF("fox.adf", 3)});
    form.SelectDataset(0);
    // Only the pointer is kept, never followed.
    auto* chart = reinterpret_cast<TActivityChart*>(&View);
    DatasetList[0].LinkChart(chart);

    form.UnloadDataset(0);
    EXPECT_EQ(DatasetList.Count(), 1);
    EXPECT_EQ(Environment.Dialogs.LastMessage(),
              "There are charts using \"fox.adf\" as their data basis. Please delete them first.");
    EXPECT_EQ(form.ValueList().Dataset(), &DatasetList[0]);

    DatasetList[0].UnlinkChart(chart);
    form.SetModified(false);
    form.UnloadDataset(-1);
    EXPECT_EQ(DatasetList.Count(), 1);
    form.UnloadDataset(0);
    EXPECT_EQ(DatasetList.Count(), 0);
    EXPECT_EQ(form.ValueList().Dataset(), nullptr);
    EXPECT_FALSE(form.IsModified());
}

TEST_F(MainFormTest, ValueListShowsTheSelectedLoadedDataset) {
    TMainForm form(&View);
    form.StartUp(Layout, {Environment.WriteADF("fox.adf", 300)});
    auto loading = std::make_unique<TActivityData>();
    loading->SetTitle("download");
    loading->State = TDatasetState::Loading;
    DatasetList.Add(std::move(loading), "{}");
    ASSERT_EQ(DatasetList[0].Title(), "download");

    const TValueList& values = form.ValueList();
    form.SelectDataset(1);
    EXPECT_EQ(values.RowCount(), 300);
    std::vector<std::string> headings, row;
    for (int column = 0; column < TValueList::ColumnCount; ++column) {
        headings.push_back(values.Heading(column));
        row.push_back(values.CellText(289, column));
    }
    EXPECT_THAT(headings, ElementsAre("#", "UTC Date", "UTC Time", "X", "Y", "Temp."));
    EXPECT_THAT(row, ElementsAre("290", "04.05.2011", "00:05:00", "33", "222", "20"));

    form.ValueList().SetScrollPosition(120);
    form.SelectDataset(0);
    EXPECT_EQ(values.RowCount(), 0);
    EXPECT_EQ(values.Heading(3), "Channel 1");
    EXPECT_EQ(values.ScrollPosition(), 0);
    form.SelectDataset(1);
    EXPECT_EQ(values.ScrollPosition(), 120);
    form.SelectDataset(-1);
    EXPECT_EQ(values.Dataset(), nullptr);
}

TEST(DatasetListEntryTest, LinesDependOnTheState) {
    struct TCase {
        TDatasetState State;
        std::vector<std::pair<int, std::string>> Lines;
    };
    const TCase cases[] = {
        {TDatasetState::Loaded, {{3, "fox"}, {18, "dates"}, {33, "mode"}}},
        {TDatasetState::Loading, {{3, "fox"}, {25, "Loading\u2026"}}},
        {TDatasetState::Failed, {{3, "fox"}, {25, "Failed"}}},
        {TDatasetState::New, {{3, "fox"}, {25, "?"}}},
    };
    for (const TCase& c : cases) {
        TActivityData dataset;
        dataset.SetTitle("fox");
        dataset.SetDateText("dates");
        dataset.SetModeText("mode");
        dataset.State = c.State;
        std::vector<std::pair<int, std::string>> lines;
        for (const TDatasetListLine& line : DatasetListLines(dataset)) {
            lines.emplace_back(line.Top, line.Text);
            EXPECT_EQ(line.Bold, line.Top == 3);
        }
        EXPECT_EQ(lines, c.Lines);
    }
}

} // namespace
