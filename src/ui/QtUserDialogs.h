#pragma once
// The user-dialog interface on Qt widgets: message boxes, questions, file dialogs, busy cursor,
// clipboard and beep. main() installs one for the lifetime of the program.

#include "platform/UserDialogs.h"

#include <QString>

class TQtUserDialogs : public IUserDialogs {
public:
    void ShowMessage(const std::string& text, const std::string& caption, TMessageKind kind) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    TAnswer AskYesNoCancel(const std::string& text, const std::string& caption) override;
    int AskWithButtons(const std::string& text, const std::string& caption, TMessageKind kind,
                       const std::vector<std::string>& buttons) override;
    std::optional<std::string> AskSaveFileName(const TFileDialogRequest& request) override;
    std::vector<std::string> AskOpenFileNames(const TFileDialogRequest& request) override;
    void BeginBusy() override;
    void EndBusy() override;
    void SetClipboardText(const std::string& text) override;
    std::string ClipboardText() override;
    void Beep() override;
};

// "Name (*.a;*.b)|*.a;*.b|All files (*.*)|*.*" becomes "Name (*.a *.b);;All files (*.*)": Qt takes the
// patterns from the parentheses and separates them by spaces.
QString QtFileFilter(const std::string& filter);
