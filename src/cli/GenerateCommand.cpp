// lumeroc-cli generate: a synthetic collar recording written as an ADF file.

#include "cli/Command.h"
#include "cli/DateArgument.h"
#include "cli/SyntheticRecording.h"
#include "platform/UserDialogs.h"
#include "platform/SafeFile.h"

#include <memory>

namespace {

const char* const Caption = "generate";

struct TGenerateArguments {
    std::string Out;
    std::string Start = "2011-05-03";
    TSyntheticRecordingOptions Options;
};

int RunGenerate(TGenerateArguments& arguments) {
    arguments.Options.Start = *ParseDateArgument(arguments.Start);
    const std::string problem = CheckSyntheticRecordingOptions(arguments.Options);
    if (!problem.empty()) {
        UserDialogs().ShowMessage(problem, Caption, TMessageKind::Error);
        return ExitUsage;
    }
    const std::vector<std::uint8_t> image = GenerateSyntheticRecording(arguments.Options);
    if (!ReplaceFileContents(arguments.Out, std::string(image.begin(), image.end()))) {
        UserDialogs().ShowMessage("Cannot write file \"" + arguments.Out + "\".", Caption,
                                  TMessageKind::Error);
        return ExitRejected;
    }
    return ExitSuccess;
}

const TCommandRegistration Registration("generate", [](CLI::App& app, TCommandContext& context) {
    auto arguments = std::make_shared<TGenerateArguments>();
    TSyntheticRecordingOptions& options = arguments->Options;
    auto* command = app.add_subcommand(
        "generate", "Write a synthetic collar recording as an ADF file: two activity channels with a daily "
                    "rhythm around sunrise and sunset, temperature, missing samples and gaps; the same seed "
                    "gives the same file.");
    command->add_option("--out", arguments->Out, "the ADF file to write")->required();
    command
        ->add_option("--start", arguments->Start, "UTC start, YYYY-MM-DD[THH:MM[:SS]] (default 2011-05-03)")
        ->check(DateArgumentValidator());
    command->add_option("--days", options.Days, "length in days (default 30)");
    command->add_option("--mode", options.Mode, "activity mode 0 to 7 (default 1)");
    command->add_option("--interval", options.Interval,
                        "sampling interval in seconds (default: the mode's own; 64 for modes 4 to 7)");
    command->add_option("--collar", options.Collar, "collar number (default 1)");
    auto* latitude = command->add_option("--lat", options.Latitude, "latitude in degrees (default 51)");
    auto* longitude = command->add_option("--lon", options.Longitude, "longitude in degrees (default 10)");
    latitude->needs(longitude);
    longitude->needs(latitude);
    command->add_option("--seed", options.Seed, "random seed (default 1)");
    command->callback([arguments, &context] { context.ExitCode = RunGenerate(*arguments); });
});

} // namespace
