#include "cli/Command.h"

#include <map>

namespace {
std::map<std::string, TCommandSetup>& Registry() {
    static std::map<std::string, TCommandSetup> registry;
    return registry;
}
} // namespace

TCommandRegistration::TCommandRegistration(const std::string& name, TCommandSetup setup) {
    Registry()[name] = std::move(setup);
}

void AddRegisteredCommands(CLI::App& app, TCommandContext& context) {
    for (auto& [name, setup] : Registry()) {
        setup(app, context);
    }
}
