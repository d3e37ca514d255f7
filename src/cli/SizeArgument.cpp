#include "cli/SizeArgument.h"

#include <regex>

std::optional<TSizeArgument> ParseSizeArgument(const std::string& text) {
    static const std::regex pattern(R"(([1-9]\d{0,4})x([1-9]\d{0,4}))");
    std::smatch match;
    if (!std::regex_match(text, match, pattern)) {
        return std::nullopt;
    }
    return TSizeArgument{std::stoi(match[1]), std::stoi(match[2])};
}
