// lumeroc-cli extract: the samples of a period as charts get them, as tab-separated rows.

#include "cli/Command.h"
#include "cli/DateArgument.h"
#include "data/ActivityData.h"
#include "data/DateTimeFormats.h"

#include <cstdio>
#include <iostream>
#include <memory>

namespace {

struct TExtractArguments {
    std::string File;
    std::string From;
    std::string To;
    double UtcOffset = 0;
    int MaxGap = 0;
};

std::string LocalText(std::int32_t seconds) {
    const TDateTimeParts parts = DecodeDateTime(SampleDateTime(seconds));
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", parts.Year, parts.Month, parts.Day,
                  parts.Hour, parts.Minute, parts.Second);
    return text;
}

int RunExtract(const TExtractArguments& arguments) {
    TActivityData dataset;
    if (!dataset.LoadFromFile(arguments.File)) {
        return ExitRejected;
    }
    TActivitySampleArray samples;
    dataset.ExtractSamples(samples, arguments.MaxGap, *ParseDateArgument(arguments.From),
                           *ParseDateArgument(arguments.To), arguments.UtcOffset);
    std::string text = "Time\tLocal\tChannel1\tChannel2\tTemperature\n";
    for (const TActivitySample& s : samples) {
        text += std::to_string(s.Time) + '\t' + LocalText(s.Time) + '\t' + std::to_string(s.Channel1) + '\t' +
                std::to_string(s.Channel2) + '\t' + std::to_string(s.Temperature) + '\n';
    }
    std::cout << text;
    return ExitSuccess;
}

const TCommandRegistration Registration("extract", [](CLI::App& app, TCommandContext& context) {
    auto arguments = std::make_shared<TExtractArguments>();
    auto* command = app.add_subcommand(
        "extract", "Print the samples of a local period as charts get them (UTC offset applied, short gaps "
                   "filled): Time (seconds since 2000-01-01), Local, Channel1, Channel2, Temperature.");
    command->add_option("FILE", arguments->File, "ADF file")->required();
    command->add_option("--from", arguments->From, "start of the period, local")
        ->required()
        ->check(DateArgumentValidator());
    command->add_option("--to", arguments->To, "end of the period, local")
        ->required()
        ->check(DateArgumentValidator());
    command->add_option("--utc", arguments->UtcOffset, "hours added to universal time (default 0)");
    command->add_option("--max-gap", arguments->MaxGap, "fill gaps of up to N missing samples (default 0)")
        ->check(CLI::Range(0, 1000000));
    command->callback([arguments, &context] { context.ExitCode = RunExtract(*arguments); });
});

} // namespace
