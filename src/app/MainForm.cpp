#include "app/MainForm.h"

#include "charts/Palette.h"
#include "data/ActivityData.h"
#include "data/Tools.h"
#include "platform/UserDialogs.h"
#include "settings/SettingsFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace {

const char* const ProductName = "Lumeroc";
const char* const ADFFilter = "Activity Data File (*.adf)|*.adf";

std::string LowerExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

std::string WithoutLineBreaks(std::string text) {
    std::erase_if(text, [](char c) { return c == '\t' || c == '\r' || c == '\n'; });
    return text;
}

// Creates a top-level key that is missing or of another kind than the program relies on.
void Guarantee(TSettingsHandle& settings, const std::string& key, int kind, const std::string& initial) {
    if (settings.TypeOf(key) != kind) {
        settings.Set(key, initial);
    }
}

} // namespace

std::string TMainForm::SettingsFilePath() {
    return (std::filesystem::path(AppDataFolder()) / "default.cfg").string();
}

void TMainForm::StartUp(const std::string& sectionLayout, const std::vector<std::string>& arguments) {
    const std::string layout = WithoutLineBreaks(sectionLayout);

    const std::string path = SettingsFilePath();
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        const std::string text = ReadSettingsFile(path, "default");
        if (text.empty() || !ApplicationSettings.LoadFromText(text)) {
            std::filesystem::remove(path, error);
        }
    }

    PaletteList().ResetToBuiltIn();

    TSettingsHandle settings(ApplicationSettings);
    Guarantee(settings, "Application", SettingsObject, "{}");
    Guarantee(settings, "Dialogs", SettingsObject, "{}");
    Guarantee(settings, "Connections", SettingsList, "[]");
    Guarantee(settings, "DataCache", SettingsList, "[]");
    if (!settings.IsString("ID") || settings.Get("ID").AsString().empty()) {
        settings.Set("ID", QuoteJSON(RandomID(8)));
    }
    ID = settings.Get("ID").AsString();
    DatasetList.ListID = ID;

    if (layout.empty()) {
        throw std::runtime_error("No section data found. (1)");
    }
    settings.Set("Sections", layout);

    Workspace.clear();
    SetModified(false);
    ResetValueList();

    if (!arguments.empty()) {
        OpenFiles(arguments);
    }
}

bool TMainForm::CloseQuery() {
    if (!Modified) {
        return true;
    }
    switch (UserDialogs().AskYesNoCancel("Do you want to save current workspace?", ProductName)) {
    case TAnswer::Yes:
        return SaveWorkspace();
    case TAnswer::No:
        return true;
    case TAnswer::Cancel:
        break;
    }
    return false;
}

void TMainForm::ShutDown() {
    WriteSettingsFile(SettingsFilePath(), ApplicationSettings);
}

void TMainForm::SetModified(bool modified) {
    Modified = modified;
    UpdateCaption();
}

void TMainForm::SetWorkspaceFile(const std::string& path) {
    Workspace = path;
    UpdateCaption();
}

std::string TMainForm::Caption() const {
    return (Workspace.empty() ? std::string("New workspace") : Workspace) + (Modified ? "*" : "") +
           " \u2013 " + ProductName;
}

void TMainForm::UpdateCaption() {
    if (View) {
        View->CaptionChanged(Caption());
    }
}

void TMainForm::LoadADF() {
    TSettingsHandle settings(ApplicationSettings);
    TFileDialogRequest request;
    request.Title = "Load ADF file";
    request.Filter = ADFFilter;
    request.DefaultExtension = "adf";
    request.MultiSelect = true;
    if (settings.Exists("Application.LoadADFPath")) {
        request.InitialFolder = settings.Get("Application.LoadADFPath").AsString();
    }
    const std::vector<std::string> files = UserDialogs().AskOpenFileNames(request);
    if (files.empty()) {
        return;
    }
    settings.Set("Application.LoadADFPath",
                 QuoteJSON(std::filesystem::path(files.front()).parent_path().string()));
    for (const std::string& file : files) {
        LoadOne(file);
    }
    RefreshDatasetList();
    SetModified(true);
}

void TMainForm::LoadOne(const std::string& path) {
    const std::string link = DatasetList.ADFLink(path);
    for (int i = 0; i < DatasetList.Count(); ++i) {
        if (DatasetList[i].Link == link) {
            UserDialogs().ShowMessage("Dataset \"" + path + "\" already loaded as \"" +
                                          DatasetList[i].Title() + "\"",
                                      ProductName, TMessageKind::Information);
            return;
        }
    }
    DatasetList.LoadFile(path, link);
}

void TMainForm::OpenFiles(const std::vector<std::string>& paths) {
    if (paths.size() == 1 && LowerExtension(paths.front()) == ".lmr") {
        OpenWorkspace(paths.front());
        return;
    }
    for (const std::string& path : paths) {
        if (LowerExtension(path) == ".adf") {
            LoadOne(path);
        }
    }
    SetModified(true);
    RefreshDatasetList();
}

void TMainForm::DropFiles(const std::vector<std::string>& paths) {
    std::vector<std::string> files;
    for (const std::string& path : paths) {
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) {
            files.push_back(path);
        }
    }
    if (!files.empty()) {
        OpenFiles(files);
    }
}

void TMainForm::UnloadDataset(int index) {
    if (index < 0 || index >= DatasetList.Count()) {
        return;
    }
    const TActivityData& dataset = DatasetList[index];
    if (dataset.LinkedChartCount() > 0) {
        UserDialogs().ShowMessage("There are charts using \"" +
                                      std::filesystem::path(dataset.Title()).filename().string() +
                                      "\" as their data basis. Please delete them first.",
                                  ProductName, TMessageKind::Information);
        return;
    }
    DatasetList.Delete(index);
    RefreshDatasetList();
    ResetValueList();
}

void TMainForm::SelectDataset(int index) {
    if (index >= 0 && index < DatasetList.Count() && DatasetList[index].State == TDatasetState::Loaded) {
        Values.Show(&DatasetList[index]);
        if (View) {
            View->ValueListChanged();
        }
    } else {
        ResetValueList();
    }
}

void TMainForm::RefreshDatasetList() {
    if (View) {
        View->DatasetListChanged();
    }
}

void TMainForm::ResetValueList() {
    Values.Reset();
    if (View) {
        View->ValueListChanged();
    }
}
