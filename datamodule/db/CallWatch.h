#pragma once

#include <firebird/Interface.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace db {

// Watches the calls of one attachment from a thread of its own: a call that has not returned
// when its bound runs out (the server, or the link to it, stopped answering) is ended by closing
// the attachment's side of the connection (fb_cancel_abort), and the call returns with a network
// error at once. The server rolls back what the attachment had not committed, and so releases
// its locks, as soon as it sees the connection end.
class CallWatch {
public:
    CallWatch() = default;
    ~CallWatch();
    CallWatch(const CallWatch&) = delete;
    CallWatch& operator=(const CallWatch&) = delete;

    // A call to the server on the attachment starts: it may take `bound` from now.
    void arm(Firebird::IAttachment* attachment, std::chrono::milliseconds bound);
    // The server answered (a row came): the bound starts again.
    void answered();
    // The call returned.
    void disarm();
    // Whether the watch ended the connection since it was last armed.
    bool fired() const;

private:
    void watch();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::thread thread_;
    bool stopping_ = false;
    Firebird::IAttachment* attachment_ = nullptr;  // while armed
    std::chrono::milliseconds bound_{0};
    std::chrono::steady_clock::time_point deadline_;
    bool fired_ = false;
};

} // namespace db
