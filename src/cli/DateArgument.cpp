#include "cli/DateArgument.h"

#include "data/DateTimeFormats.h"

#include <charconv>
#include <cmath>
#include <regex>

std::optional<double> ParseDateArgument(const std::string& text) {
    static const std::regex isoPattern(R"((\d{4})-(\d{2})-(\d{2})(?:[T ](\d{2}):(\d{2})(?::(\d{2}))?)?)");
    std::smatch match;
    if (std::regex_match(text, match, isoPattern)) {
        const int year = std::stoi(match[1]);
        const int month = std::stoi(match[2]);
        const int day = std::stoi(match[3]);
        const int hour = match[4].matched ? std::stoi(match[4]) : 0;
        const int minute = match[5].matched ? std::stoi(match[5]) : 0;
        const int second = match[6].matched ? std::stoi(match[6]) : 0;
        if (!IsValidDate(year, month, day) || hour > 23 || minute > 59 || second > 59) {
            return std::nullopt;
        }
        return EncodeDate(year, month, day) + EncodeTime(hour, minute, second);
    }
    static const std::regex numberPattern(R"(-?\d+(\.\d+)?)");
    double value = 0;
    if (std::regex_match(text, numberPattern) &&
        std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc() &&
        std::isfinite(value)) {
        return value;
    }
    return std::nullopt;
}

CLI::Validator DateArgumentValidator() {
    return CLI::Validator(
        [](std::string& text) {
            return ParseDateArgument(text) ? std::string()
                                           : "\"" + text +
                                                 "\" is not a date (YYYY-MM-DD, YYYY-MM-DDTHH:MM[:SS] "
                                                 "or days since 1899-12-30)";
        },
        "DATE");
}
