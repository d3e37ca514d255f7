#pragma once
// The main window's state and commands without widgets: start-up and shut-down, the settings, the
// workspace caption, and the dataset commands (loading ADF files, dropping files, unloading, the value
// list). The Qt window forwards its actions here and redraws when the view interface tells it to.

#include "app/ValueList.h"
#include "settings/SettingsManager.h"

#include <string>
#include <vector>

// What the window must redraw after a command; the Qt window implements it, tests record it.
class IMainFormView {
public:
    virtual ~IMainFormView() = default;
    virtual void CaptionChanged(const std::string& caption) = 0;
    // The number of datasets or their order changed: the list box and the value list are redrawn.
    virtual void DatasetListChanged() = 0;
    // The value list shows another dataset, or none.
    virtual void ValueListChanged() = 0;
};

class TMainForm {
public:
    explicit TMainForm(IMainFormView* view = nullptr) : View(view) {}
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    // Reads "default.cfg" (deleting it silently when corrupted), completes the settings with the
    // section layout and the installation ID, starts a new workspace and opens the command-line
    // arguments. Throws std::runtime_error("No section data found. (1)") for an empty layout.
    void StartUp(const std::string& sectionLayout, const std::vector<std::string>& arguments);
    // Whether the window may close: a modified workspace is saved first when the user wants it.
    bool CloseQuery();
    // Writes the settings back to "default.cfg"; a failure is reported by the writer.
    void ShutDown();

    // Path of "default.cfg" in AppDataFolder.
    static std::string SettingsFilePath();

    TSettings& Settings() { return ApplicationSettings; }
    const std::string& InstallationID() const { return ID; }
    bool IsModified() const { return Modified; }
    const std::string& WorkspaceFile() const { return Workspace; }
    void SetModified(bool modified);
    void SetWorkspaceFile(const std::string& path);
    // The workspace file or "New workspace", "*" when modified, then " – Lumeroc".
    std::string Caption() const;

    // "Load ADF file…": the open dialog in the remembered folder, several files at once.
    void LoadADF();
    // Loads one ADF file unless a dataset with the same link is loaded already.
    void LoadOne(const std::string& path);
    // One workspace file opens that workspace; otherwise every ".adf" file among the paths is loaded.
    void OpenFiles(const std::vector<std::string>& paths);
    // Files dropped on the window: paths that do not name an existing file are ignored.
    void DropFiles(const std::vector<std::string>& paths);
    // "Unload dataset" for the dataset at `index` (-1: no selection); refused while charts use it.
    void UnloadDataset(int index);
    // The dataset list box's selection changed (-1: none).
    void SelectDataset(int index);

    TValueList& ValueList() { return Values; }
    void RefreshDatasetList();
    void ResetValueList();

private:
    // Workspace files are read and written by the workspace commands; false when that did not happen.
    bool OpenWorkspace(const std::string& path);
    bool SaveWorkspace();
    void UpdateCaption();

    IMainFormView* View;
    TSettings ApplicationSettings;
    std::string ID;
    bool Modified = false;
    std::string Workspace;
    TValueList Values;
};
