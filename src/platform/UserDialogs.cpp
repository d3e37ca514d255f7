#include "platform/UserDialogs.h"

#include "platform/ScriptedDialogs.h"

#include <iostream>

namespace {

IUserDialogs& DefaultDialogs() {
    static TScriptedDialogs dialogs(&std::cerr);
    return dialogs;
}

IUserDialogs* Installed = nullptr;

} // namespace

IUserDialogs& UserDialogs() { return Installed ? *Installed : DefaultDialogs(); }

IUserDialogs* SetUserDialogs(IUserDialogs* dialogs) {
    IUserDialogs* previous = Installed;
    Installed = dialogs;
    return previous;
}
