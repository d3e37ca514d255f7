// lumeroc-cli info: what the reader makes of ADF files, one line of JSON per file.

#include "cli/Command.h"
#include "data/ActivityData.h"
#include "settings/SettingsManager.h"
#include "settings/SettingsNode.h"

#include <iostream>
#include <memory>

namespace {

std::string InfoLine(const std::string& file, const TActivityData& dataset) {
    TSettingsHandle line("{}");
    const auto number = [](double value) { return FormatGeneralNumber(value, '.'); };
    line.Set("File", QuoteJSON(file));
    line.Set("ID", QuoteJSON(dataset.ID()));
    line.Set("Title", QuoteJSON(dataset.Title()));
    line.Set("DateText", QuoteJSON(dataset.DateText()));
    line.Set("ModeText", QuoteJSON(dataset.ModeText()));
    line.Set("Mode", number(dataset.Mode));
    line.Set("Interval", number(dataset.Interval));
    line.Set("SampleCount", number(dataset.SampleCount()));
    line.Set("FirstTime", number(dataset.FirstTime));
    line.Set("LastTime", number(dataset.LastTime));
    line.Set("SegmentCount", number(dataset.SegmentCount()));
    return line.ToText();
}

int RunInfo(const std::vector<std::string>& files) {
    int exitCode = ExitSuccess;
    for (const std::string& file : files) {
        TActivityData dataset;
        // A rejected file has been reported on standard error; the others still go through.
        if (dataset.LoadFromFile(file)) {
            std::cout << InfoLine(file, dataset) << '\n';
        } else {
            exitCode = ExitRejected;
        }
    }
    return exitCode;
}

const TCommandRegistration Registration("info", [](CLI::App& app, TCommandContext& context) {
    auto files = std::make_shared<std::vector<std::string>>();
    auto* command = app.add_subcommand(
        "info",
        "Read ADF files and print one line of JSON per file: File, ID, Title, DateText, ModeText, Mode, "
        "Interval, SampleCount, FirstTime, LastTime (days since 1899-12-30) and SegmentCount.");
    command->add_option("FILE", *files, "ADF files")->required();
    command->callback([files, &context] { context.ExitCode = RunInfo(*files); });
});

} // namespace
