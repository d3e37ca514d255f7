#pragma once
// Subcommands of lumeroc-cli register themselves here, each from its own file:
//
//   static const TCommandRegistration Registration("info", [](CLI::App& app, TCommandContext& context) {
//       auto* command = app.add_subcommand("info", "…");
//       command->callback([&context] { context.ExitCode = …; });
//   });

#include <CLI/CLI.hpp>

#include <functional>
#include <string>

// Exit codes shared by every subcommand.
constexpr int ExitSuccess = 0;
constexpr int ExitRejected = 1;
constexpr int ExitUsage = 2;

struct TCommandContext {
    int ExitCode = ExitSuccess;
};

using TCommandSetup = std::function<void(CLI::App& app, TCommandContext& context)>;

struct TCommandRegistration {
    TCommandRegistration(const std::string& name, TCommandSetup setup);
};

// Every registered subcommand, ordered by name so that --help lists them alike on every build.
void AddRegisteredCommands(CLI::App& app, TCommandContext& context);
