#pragma once
// One-shot and repeating user-interface timers. The Qt program installs a factory that makes QTimer-based
// timers; tests and lumeroc-cli use TManualTimer, which fires only when told to.

#include <functional>
#include <memory>

class ITimer {
public:
    virtual ~ITimer() = default;

    // Milliseconds; the platform default is 1000.
    virtual void SetInterval(int milliseconds) = 0;
    virtual int Interval() const = 0;
    // Starts the timer; a running timer starts counting again.
    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;

    // Called on the user-interface thread each time the interval has passed.
    std::function<void()> OnTimeout;
};

class TManualTimer : public ITimer {
public:
    void SetInterval(int milliseconds) override { Milliseconds = milliseconds; }
    int Interval() const override { return Milliseconds; }
    void Start() override {
        Active = true;
        ++Starts;
    }
    void Stop() override { Active = false; }
    bool IsActive() const override { return Active; }

    // The interval has passed: calls OnTimeout when the timer runs. False when it was stopped.
    bool Fire();

    int Starts = 0;

private:
    int Milliseconds = 1000;
    bool Active = false;
};

using TTimerFactory = std::function<std::unique_ptr<ITimer>()>;

// A new stopped timer with the default interval, from the installed factory (TManualTimer until one is).
std::unique_ptr<ITimer> CreateTimer();
// Installs `factory` and returns the previous one; an empty factory restores manual timers.
TTimerFactory SetTimerFactory(TTimerFactory factory);
