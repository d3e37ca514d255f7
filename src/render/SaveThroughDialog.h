#pragma once
// The file targets save when they are finished: they ask the user for a file name and write the file
// through a temporary file, reporting any failure with one message.

#include "platform/UserDialogs.h"

#include <functional>
#include <string>

// Asks with `request`; a cancelled dialog writes nothing. Never throws: it runs in destructors.
void SaveThroughDialog(const TFileDialogRequest& request, const std::function<std::string()>& contents);
