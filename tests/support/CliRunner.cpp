#include "support/CliRunner.h"

#include "support/TempFolder.h"

#include <cstdio>
#include <sys/wait.h>

TCliResult RunCli(const std::string& cliPath, const std::string& arguments) {
    TTempFolder folder;
    const std::string errFile = folder.File("stderr.txt");
    const std::string command = "'" + cliPath + "' " + arguments + " 2>'" + errFile + "'";
    TCliResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return result;
    }
    char buffer[4096];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.Out.append(buffer, count);
    }
    const int status = pclose(pipe);
    result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.Err = ReadTextFile(errFile);
    return result;
}
