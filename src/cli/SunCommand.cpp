// lumeroc-cli sun: the local time of a sun position code for a day and a place.

#include "analysis/SunTimes.h"
#include "cli/Command.h"
#include "cli/DateArgument.h"
#include "data/DateTimeFormats.h"
#include "platform/UserDialogs.h"

#include <cmath>
#include <cstdio>
#include <iostream>

namespace {

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
    const double date = *ParseDateArgument(options.Date);
    double result = 0;
    try {
        result = options.Resolved ? SunPositionTimeResolved(options.Code, options.UtcOffset, options.Latitude,
                                                            options.Longitude, date)
                                  : SunPositionTime(options.Code, options.UtcOffset, options.Latitude,
                                                    options.Longitude, date);
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
    command->add_option("--date", options->Date, "day, YYYY-MM-DD")
        ->required()
        ->check(DateArgumentValidator());
    command->add_option("--lat", options->Latitude, "latitude in degrees, north positive")->required();
    command->add_option("--lon", options->Longitude, "longitude in degrees, east positive")->required();
    command->add_option("--utc", options->UtcOffset, "hours added to universal time (default 0)");
    command->add_flag("--resolved", options->Resolved, "replace markers of polar days and nights");
    command->callback([options, &context] { context.ExitCode = RunSun(*options); });
});

} // namespace
