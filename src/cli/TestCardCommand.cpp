// lumeroc-cli testcard: the drawing targets' test card written as a picture file.

#include "cli/Command.h"
#include "cli/SizeArgument.h"
#include "platform/ScriptedDialogs.h"
#include "render/FileTargets.h"
#include "render/TestCard.h"

#include <iostream>

namespace {

struct TTestCardOptions {
    std::string Out;
    std::string Size;
};

int RunTestCard(const TTestCardOptions& options) {
    int width = TestCardWidth;
    int height = TestCardHeight;
    if (!options.Size.empty()) {
        const std::optional<TSizeArgument> size = ParseSizeArgument(options.Size);
        if (!size) {
            std::cerr << "testcard: \"" << options.Size
                      << "\" is not a size WIDTHxHEIGHT, such as 800x600.\n";
            return ExitUsage;
        }
        width = size->Width;
        height = size->Height;
    }
    // The target asks for its file name when it is destroyed: the answer is the --out name.
    TScopedScriptedDialogs dialogs(&std::cerr);
    dialogs.SaveFileNames.push_back(options.Out);
    {
        std::unique_ptr<TRenderTarget> target = CreateFileTarget(options.Out);
        if (!target) {
            std::cerr << "testcard: \"" << options.Out << "\" is neither a .png nor an .eps file.\n";
            return ExitUsage;
        }
        if (!target->InitSized(TestCardWidth, TestCardHeight, width, height)) {
            std::cerr << "testcard: the target cannot draw at " << width << "x" << height << ".\n";
            return ExitRejected;
        }
        DrawTestCard(*target);
    }
    return dialogs.Messages.empty() ? ExitSuccess : ExitRejected;
}

const TCommandRegistration Registration("testcard", [](CLI::App& app, TCommandContext& context) {
    auto options = std::make_shared<TTestCardOptions>();
    auto* command = app.add_subcommand(
        "testcard", "Draw the test card of the drawing targets (shapes, lines, transforms, viewports, text) "
                    "into a PNG or EPS file; the extension picks the target.");
    command->add_option("--out", options->Out, "the file to write, FILE.png or FILE.eps")->required();
    command->add_option("--size", options->Size, "output size WIDTHxHEIGHT (default 800x600)");
    command->callback([options, &context] { context.ExitCode = RunTestCard(*options); });
});

} // namespace
