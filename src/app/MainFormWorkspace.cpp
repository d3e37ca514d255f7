// Opening and saving workspace files belong to the workspace commands, which are not part of the program
// yet: nothing is opened or saved, and callers treat that as not done (closing stays possible with "No").
#include "app/MainForm.h"

bool TMainForm::OpenWorkspace(const std::string&) {
    return false;
}

bool TMainForm::SaveWorkspace() {
    return false;
}
