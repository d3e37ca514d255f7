// lumeroc-cli: the program's core without a window, for batch work, scripts and checks.

#include "cli/Command.h"
#include "platform/FormatSettings.h"
#include "platform/ScriptedDialogs.h"

#include <iostream>

int main(int argc, char** argv) {
    // Messages the core would show in a message box go to standard error.
    TScopedScriptedDialogs dialogs(&std::cerr);
    SetFormatSettings(TFormatSettings{"dd.MM.yyyy", "HH:mm:ss", '.'});

    CLI::App app{"Lumeroc command-line tool: activity data, charts and checks without a window."};
    app.require_subcommand(1);
    TCommandContext context;
    AddRegisteredCommands(app, context);
    try {
        app.parse(argc, argv);
    } catch (const CLI::Error& error) {
        const int code = app.exit(error);
        return code == 0 ? ExitSuccess : ExitUsage;
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return ExitRejected;
    }
    return context.ExitCode;
}
