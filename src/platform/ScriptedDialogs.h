#pragma once
// A user-dialog implementation without a window: records everything shown and answers from queues.
// Used by the tests and by lumeroc-cli (which echoes messages to standard error).

#include "platform/UserDialogs.h"

#include <deque>
#include <iosfwd>

struct TShownMessage {
    std::string Text;
    std::string Caption;
    TMessageKind Kind;
};

class TScriptedDialogs : public IUserDialogs {
public:
    // Messages and questions are also written to `echo` when it is given.
    explicit TScriptedDialogs(std::ostream* echo = nullptr) : Echo(echo) {}

    void ShowMessage(const std::string& text, const std::string& caption, TMessageKind kind) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    TAnswer AskYesNoCancel(const std::string& text, const std::string& caption) override;
    int AskWithButtons(const std::string& text, const std::string& caption, TMessageKind kind,
                       const std::vector<std::string>& buttons) override;
    std::optional<std::string> AskSaveFileName(const TFileDialogRequest& request) override;
    std::vector<std::string> AskOpenFileNames(const TFileDialogRequest& request) override;
    void BeginBusy() override { ++BusyDepth; }
    void EndBusy() override { --BusyDepth; }
    void SetClipboardText(const std::string& text) override { Clipboard = text; }
    std::string ClipboardText() override { return Clipboard; }
    void Beep() override { ++BeepCount; }

    // What was shown or asked, in order (questions are recorded with kind Question).
    std::vector<TShownMessage> Messages;
    std::vector<TFileDialogRequest> FileRequests;

    // Answers, taken from the front. An empty queue answers No, Cancel, -1 or "cancelled".
    std::deque<TAnswer> Answers;
    std::deque<int> ButtonAnswers;
    std::deque<std::optional<std::string>> SaveFileNames;
    std::deque<std::vector<std::string>> OpenFileNames;

    int BusyDepth = 0;
    int BeepCount = 0;
    std::string Clipboard;

    // The text of the last message shown, or "" when none was.
    std::string LastMessage() const { return Messages.empty() ? std::string() : Messages.back().Text; }

private:
    void Record(const std::string& text, const std::string& caption, TMessageKind kind);
    TAnswer NextAnswer(TAnswer whenEmpty);

    std::ostream* Echo;
};

// Installs a TScriptedDialogs for the lifetime of the object and restores the previous implementation.
class TScopedScriptedDialogs : public TScriptedDialogs {
public:
    explicit TScopedScriptedDialogs(std::ostream* echo = nullptr)
        : TScriptedDialogs(echo), Previous(SetUserDialogs(this)) {}
    ~TScopedScriptedDialogs() override { SetUserDialogs(Previous); }
    TScopedScriptedDialogs(const TScopedScriptedDialogs&) = delete;
    TScopedScriptedDialogs& operator=(const TScopedScriptedDialogs&) = delete;

private:
    IUserDialogs* Previous;
};
