#pragma once

#include <QObject>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace app {

// SIGTERM and SIGINT (Ctrl+C) ask the program to stop as the operator would, for as long as one
// of these lives: a run finishes the supplier it is on and stops. A signal handler may do no
// more than note the signal and write a byte, so the note is read where the run asks
// (caught()) and the byte wakes the event loop (whenCaught). Where the platform has no such
// signals nothing is installed.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Whether a signal arrived since this was made.
    static bool caught();
    // Calls stop on the event loop (of context's thread) each time a signal arrives.
    void whenCaught(QObject* context, std::function<void()> stop);

private:
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace app
