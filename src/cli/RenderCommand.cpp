// lumeroc-cli render: a chart of an ADF file drawn into a PNG or EPS file, as the graphic export draws it.

#include "charts/ChrActogram.h"
#include "cli/Command.h"
#include "cli/SizeArgument.h"
#include "data/ActivityData.h"
#include "platform/ScriptedDialogs.h"
#include "render/FileTargets.h"
#include "settings/SettingsManager.h"

#include <fstream>
#include <iostream>
#include <iterator>

namespace {

struct TRenderOptions {
    std::string Adf;
    int Channel = 0;
    std::string Settings;
    std::string Out;
    std::string Size;
    std::string Kind = "actogram";
};

// The settings text itself, or the content of the file after "@".
bool ReadSettingsText(const std::string& option, std::string& text) {
    if (option.empty() || option[0] != '@') {
        text = option;
        return true;
    }
    std::ifstream file(option.substr(1), std::ios::binary);
    if (!file) {
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

int RunRender(const TRenderOptions& options) {
    int outWidth = 0;
    int outHeight = 0;
    if (!options.Size.empty()) {
        const std::optional<TSizeArgument> size = ParseSizeArgument(options.Size);
        if (!size) {
            std::cerr << "render: \"" << options.Size
                      << "\" is not a size WIDTHxHEIGHT, such as 1200x1000.\n";
            return ExitUsage;
        }
        outWidth = size->Width;
        outHeight = size->Height;
    }
    std::string settings;
    if (!ReadSettingsText(options.Settings, settings)) {
        std::cerr << "render: cannot read the settings file \"" << options.Settings.substr(1) << "\".\n";
        return ExitRejected;
    }
    TScopedScriptedDialogs dialogs(&std::cerr);
    std::unique_ptr<TRenderTarget> target = CreateFileTarget(options.Out);
    if (!target) {
        std::cerr << "render: \"" << options.Out << "\" is neither a .png nor an .eps file.\n";
        return ExitUsage;
    }
    const int index = DatasetList.LoadFile(options.Adf, "");
    if (index < 0) {
        return ExitRejected;
    }
    // As in the program, whose new charts take the first of the built-in palettes.
    PaletteList().ResetToBuiltIn();
    TActogram chart;
    try {
        chart.ApplySettings("{\"Data.Dataset\":" + std::to_string(DatasetIdentity(&DatasetList[index])) +
                            ",\"Data.Channel\":" + std::to_string(options.Channel) + "}");
        if (!settings.empty()) {
            chart.ApplySettings(settings);
        }
    } catch (const TSettingsError& error) {
        std::cerr << "render: the settings are not a JSON object: " << error.what() << "\n";
        return ExitRejected;
    }
    // The picture on screen would have the canvas size; the export scales that canvas to the output.
    chart.Bitmap.SetSize(chart.Integer("Canvas.Width", 600), chart.Integer("Canvas.Height", 500));
    if (chart.Bitmap.IsEmpty()) {
        std::cerr << "render: the canvas has no area.\n";
        return ExitRejected;
    }
    if (outWidth == 0) {
        outWidth = chart.Bitmap.GetWidth();
        outHeight = chart.Bitmap.GetHeight();
    }
    dialogs.SaveFileNames.push_back(options.Out);
    if (!target->InitForBitmap(chart.Bitmap, outWidth, outHeight)) {
        std::cerr << "render: the target cannot draw at " << outWidth << "x" << outHeight << ".\n";
        return ExitRejected;
    }
    chart.Draw(*target);
    // Destroying the target writes the file.
    target.reset();
    return dialogs.Messages.empty() ? ExitSuccess : ExitRejected;
}

const TCommandRegistration Registration("render", [](CLI::App& app, TCommandContext& context) {
    auto options = std::make_shared<TRenderOptions>();
    auto* command = app.add_subcommand(
        "render", "Draw a chart of an ADF file into a PNG or EPS file (the extension picks the target): the "
                  "chart kind's defaults, the dataset's channel, then the given settings fragment.");
    command->add_option("--adf", options->Adf, "the ADF file")->required()->check(CLI::ExistingFile);
    command->add_option("--channel", options->Channel, "channel 0, 1 or 2 (temperature); default 0")
        ->check(CLI::Range(0, 2));
    command->add_option("--settings", options->Settings,
                        "a JSON object of settings (dotted keys allowed), or @FILE to read it from a file");
    command->add_option("--out", options->Out, "the file to write, FILE.png or FILE.eps")->required();
    command->add_option("--size", options->Size, "output size WIDTHxHEIGHT (default the canvas size)");
    command->add_option("--kind", options->Kind, "chart kind (default actogram)")
        ->check(CLI::IsMember({"actogram"}));
    command->callback([options, &context] { context.ExitCode = RunRender(*options); });
});

} // namespace
