#include "CallWatch.h"

#include "FbStatus.h"

namespace db {

namespace {
// How often the watch looks: a call is given up at most this long after its bound.
constexpr auto kLook = std::chrono::milliseconds(100);
} // namespace

CallWatch::~CallWatch()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void CallWatch::arm(Firebird::IAttachment* attachment, std::chrono::milliseconds bound)
{
    const std::lock_guard lock(mutex_);
    attachment_ = attachment;
    bound_ = bound;
    deadline_ = std::chrono::steady_clock::now() + bound;
    fired_ = false;
    if (!thread_.joinable())
        thread_ = std::thread([this] { watch(); });
}

void CallWatch::answered()
{
    const std::lock_guard lock(mutex_);
    deadline_ = std::chrono::steady_clock::now() + bound_;
}

void CallWatch::disarm()
{
    const std::lock_guard lock(mutex_);
    attachment_ = nullptr;
}

bool CallWatch::fired() const
{
    const std::lock_guard lock(mutex_);
    return fired_;
}

void CallWatch::watch()
{
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        wake_.wait_for(lock, kLook);
        if (stopping_ || !attachment_ || fired_ || std::chrono::steady_clock::now() < deadline_)
            continue;
        fired_ = true;
        // Under the lock: the attachment is not let go while it is being cancelled.
        FbStatus status;
        attachment_->cancelOperation(status.get(), fb_cancel_abort);
    }
}

} // namespace db
