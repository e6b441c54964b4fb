#include "StopSignals.h"

#include <QSocketNotifier>
#include <csignal>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace app {

namespace {

volatile std::sig_atomic_t stopAsked = 0;

#ifdef Q_OS_UNIX
constexpr int kSignals[] = {SIGTERM, SIGINT};
int wakeUp[2] = {-1, -1};  // the self-pipe: the handler writes, the event loop reads
struct sigaction previous[2];

extern "C" void noteStop(int)
{
    stopAsked = 1;
    const int saved = errno;
    const char byte = 1;
    // Non-blocking: with the pipe full, the loop has a byte to wake for already.
    [[maybe_unused]] const ssize_t written = ::write(wakeUp[1], &byte, 1);
    errno = saved;
}
#endif

} // namespace

StopSignals::StopSignals()
{
    stopAsked = 0;
#ifdef Q_OS_UNIX
    if (::pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0)
        wakeUp[0] = wakeUp[1] = -1;
    struct sigaction action = {};
    action.sa_handler = noteStop;
    sigemptyset(&action.sa_mask);
    // A database call that a signal interrupts goes on instead of failing.
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 2; ++i)
        ::sigaction(kSignals[i], &action, &previous[i]);
#endif
}

StopSignals::~StopSignals()
{
    notifier_.reset();
#ifdef Q_OS_UNIX
    for (int i = 0; i < 2; ++i)
        ::sigaction(kSignals[i], &previous[i], nullptr);
    for (int& end : wakeUp) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
#endif
}

bool StopSignals::caught()
{
    return stopAsked != 0;
}

void StopSignals::whenCaught(QObject* context, std::function<void()> stop)
{
#ifdef Q_OS_UNIX
    if (wakeUp[0] < 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(wakeUp[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, context, [stop = std::move(stop)] {
        char bytes[16];
        while (::read(wakeUp[0], bytes, sizeof bytes) > 0) {
        }
        stop();
    });
#else
    (void)context;
    (void)stop;
#endif
}

} // namespace app
