#pragma once
// Output sizes given on the command line as WIDTHxHEIGHT.

#include <optional>
#include <string>

struct TSizeArgument {
    int Width = 0;
    int Height = 0;
};

// "800x600": each side 1 to 99999. Empty for anything else.
std::optional<TSizeArgument> ParseSizeArgument(const std::string& text);
