// lumeroc-cli sun: the local time of a sun position code for a day and a place.

#include "analysis/SunTimes.h"
#include "cli/Command.h"
#include "data/DateTimeFormats.h"
#include "platform/UserDialogs.h"

#include <cmath>
#include <cstdio>
#include <iostream>
#include <optional>
#include <regex>

namespace {

// "2011-05-03", "2011-05-03T06:30" or "2011-05-03T06:30:15".
std::optional<double> ParseIsoDateTime(const std::string& text) {
    static const std::regex pattern(R"((\d{4})-(\d{2})-(\d{2})(?:T(\d{2}):(\d{2})(?::(\d{2}))?)?)");
    std::smatch match;
    if (!std::regex_match(text, match, pattern)) {
        return std::nullopt;
    }
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

std::string TimeOfDayText(double days) {
    long long seconds = std::llround((days - std::floor(days)) * SecondsPerDay) % 86400;
    char text[16];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

struct TSunOptions {
    std::string Code;
    std::string Date;
    double Latitude = 0;
    double Longitude = 0;
    double UtcOffset = 0;
    bool Resolved = false;
};

int RunSun(const TSunOptions& options) {
    const std::optional<double> date = ParseIsoDateTime(options.Date);
    if (!date) {
        UserDialogs().ShowMessage("\"" + options.Date + "\" is not a date (YYYY-MM-DD).", "sun",
                                  TMessageKind::Error);
        return ExitUsage;
    }
    double result = 0;
    try {
        result = options.Resolved ? SunPositionTimeResolved(options.Code, options.UtcOffset, options.Latitude,
                                                            options.Longitude, *date)
                                  : SunPositionTime(options.Code, options.UtcOffset, options.Latitude,
                                                    options.Longitude, *date);
    } catch (const TSunCodeError& error) {
        UserDialogs().ShowMessage(error.what(), "sun", TMessageKind::Error);
        return ExitRejected;
    }
    if (IsSunMarker(result)) {
        std::cout << (result > 0 ? "2" : "-2") << "\t\n";
        return ExitSuccess;
    }
    char number[32];
    std::snprintf(number, sizeof number, "%.12g", result);
    std::cout << number << '\t' << TimeOfDayText(result) << '\n';
    return ExitSuccess;
}

const TCommandRegistration Registration("sun", [](CLI::App& app, TCommandContext& context) {
    auto options = std::make_shared<TSunOptions>();
    auto* command = app.add_subcommand(
        "sun", "Local time of a sun position code (R, S, D, N, with offsets such as R+6d or S-30m): "
               "days from local midnight, a tab and HH:MM:SS; markers 2 (sun stays below) and -2 (above).");
    command->add_option("--code", options->Code, "sun position code")->required();
    command->add_option("--date", options->Date, "day, YYYY-MM-DD")->required();
    command->add_option("--lat", options->Latitude, "latitude in degrees, north positive")->required();
    command->add_option("--lon", options->Longitude, "longitude in degrees, east positive")->required();
    command->add_option("--utc", options->UtcOffset, "hours added to universal time (default 0)");
    command->add_flag("--resolved", options->Resolved, "replace markers of polar days and nights");
    command->callback([options, &context] { context.ExitCode = RunSun(*options); });
});

} // namespace
