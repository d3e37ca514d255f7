#include "platform/ScriptedDialogs.h"

#include <ostream>

void TScriptedDialogs::Record(const std::string& text, const std::string& caption, TMessageKind kind) {
    Messages.push_back({text, caption, kind});
    if (Echo) {
        *Echo << (caption.empty() ? std::string() : caption + ": ") << text << '\n';
    }
}

TAnswer TScriptedDialogs::NextAnswer(TAnswer whenEmpty) {
    if (Answers.empty()) {
        return whenEmpty;
    }
    TAnswer answer = Answers.front();
    Answers.pop_front();
    return answer;
}

void TScriptedDialogs::ShowMessage(const std::string& text, const std::string& caption, TMessageKind kind) {
    Record(text, caption, kind);
}

bool TScriptedDialogs::AskYesNo(const std::string& text, const std::string& caption) {
    Record(text, caption, TMessageKind::Question);
    return NextAnswer(TAnswer::No) == TAnswer::Yes;
}

TAnswer TScriptedDialogs::AskYesNoCancel(const std::string& text, const std::string& caption) {
    Record(text, caption, TMessageKind::Question);
    return NextAnswer(TAnswer::Cancel);
}

int TScriptedDialogs::AskWithButtons(const std::string& text, const std::string& caption, TMessageKind kind,
                                     const std::vector<std::string>&) {
    Record(text, caption, kind);
    if (ButtonAnswers.empty()) {
        return -1;
    }
    int answer = ButtonAnswers.front();
    ButtonAnswers.pop_front();
    return answer;
}

std::optional<std::string> TScriptedDialogs::AskSaveFileName(const TFileDialogRequest& request) {
    FileRequests.push_back(request);
    if (SaveFileNames.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> name = SaveFileNames.front();
    SaveFileNames.pop_front();
    return name;
}

std::vector<std::string> TScriptedDialogs::AskOpenFileNames(const TFileDialogRequest& request) {
    FileRequests.push_back(request);
    if (OpenFileNames.empty()) {
        return {};
    }
    std::vector<std::string> names = OpenFileNames.front();
    OpenFileNames.pop_front();
    return names;
}
