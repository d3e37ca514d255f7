#pragma once
// Runs the built lumeroc-cli (LUMEROC_CLI) as a program, for the tests of its subcommands.

#include <string>

struct TCliResult {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

// `arguments` is appended to the program's path as shell text: quote paths that need it.
TCliResult RunCli(const std::string& cliPath, const std::string& arguments);
