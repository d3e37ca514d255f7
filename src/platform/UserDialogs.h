#pragma once
// How the core talks to the user: message boxes, questions, file dialogs, busy cursor, clipboard.
// The Qt program installs a widget-based implementation; tests and lumeroc-cli use TScriptedDialogs.

#include <optional>
#include <string>
#include <vector>

enum class TMessageKind { Information, Warning, Error, Question };

enum class TAnswer { Yes, No, Cancel };

struct TFileDialogRequest {
    std::string Title;
    // "Name (*.ext)|*.ext" pairs separated by "|", as the program's texts give them.
    std::string Filter;
    std::string DefaultExtension;
    std::string FileName;
    std::string InitialFolder;
    bool MultiSelect = false;
};

class IUserDialogs {
public:
    virtual ~IUserDialogs() = default;

    virtual void ShowMessage(const std::string& text, const std::string& caption, TMessageKind kind) = 0;
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
    virtual TAnswer AskYesNoCancel(const std::string& text, const std::string& caption) = 0;
    // Returns the index of the chosen button, or -1 when the question was dismissed.
    virtual int AskWithButtons(const std::string& text, const std::string& caption, TMessageKind kind,
                               const std::vector<std::string>& buttons) = 0;
    // Empty when the user cancelled.
    virtual std::optional<std::string> AskSaveFileName(const TFileDialogRequest& request) = 0;
    virtual std::vector<std::string> AskOpenFileNames(const TFileDialogRequest& request) = 0;

    // Nested: the cursor is busy while the count is above zero.
    virtual void BeginBusy() = 0;
    virtual void EndBusy() = 0;

    virtual void SetClipboardText(const std::string& text) = 0;
    virtual std::string ClipboardText() = 0;
    virtual void Beep() = 0;
};

// The implementation in use; never null. Until one is installed, a TScriptedDialogs that
// writes messages to standard error answers.
IUserDialogs& UserDialogs();
// Installs `dialogs` (not owned) and returns the previous one; nullptr restores the default.
IUserDialogs* SetUserDialogs(IUserDialogs* dialogs);

// Shows the busy cursor for the lifetime of the object, restoring the previous cursor on every path.
class TBusyCursor {
public:
    TBusyCursor() { UserDialogs().BeginBusy(); }
    ~TBusyCursor() { UserDialogs().EndBusy(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};
