#include "render/SaveThroughDialog.h"

#include "platform/SafeFile.h"

namespace {

void ShowSaveError() {
    try {
        UserDialogs().ShowMessage("An error occured, could not save the file.", "Lumeroc",
                                  TMessageKind::Error);
    } catch (...) {
    }
}

} // namespace

void SaveThroughDialog(const TFileDialogRequest& request, const std::function<std::string()>& contents) {
    try {
        const std::optional<std::string> fileName = UserDialogs().AskSaveFileName(request);
        if (fileName && !ReplaceFileContents(*fileName, contents())) {
            ShowSaveError();
        }
    } catch (...) {
        ShowSaveError();
    }
}
