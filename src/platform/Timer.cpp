#include "platform/Timer.h"

namespace {
TTimerFactory& Factory() {
    static TTimerFactory factory;
    return factory;
}
} // namespace

bool TManualTimer::Fire() {
    if (!Active) {
        return false;
    }
    if (OnTimeout) {
        OnTimeout();
    }
    return true;
}

std::unique_ptr<ITimer> CreateTimer() {
    if (Factory()) {
        return Factory()();
    }
    return std::make_unique<TManualTimer>();
}

TTimerFactory SetTimerFactory(TTimerFactory factory) {
    TTimerFactory previous = std::move(Factory());
    Factory() = std::move(factory);
    return previous;
}
