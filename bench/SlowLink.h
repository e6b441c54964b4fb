#pragma once

#include <atomic>
#include <thread>

namespace bench {

// A link of a set round-trip time between a client and the local Firebird server, on loopback
// only: it listens on 127.0.0.1 (a port of its own), forwards every connection to 127.0.0.1:3050
// and holds what travels in each direction for half the round trip. It counts round trips: a
// burst from the client answered by a burst from the server.
class SlowLink {
public:
    explicit SlowLink(int roundTripMs, int serverPort = 3050);
    ~SlowLink();
    SlowLink(const SlowLink&) = delete;
    SlowLink& operator=(const SlowLink&) = delete;

    int port() const { return port_; }  // 0 when it could not listen
    long long roundTrips() const { return roundTrips_.load(); }

private:
    void serve();

    int delayMs_;
    int serverPort_;
    int listener_ = -1;
    int port_ = 0;
    int wake_[2] = {-1, -1};  // written to on destruction, to end serve()
    std::atomic<long long> roundTrips_{0};
    std::thread thread_;
};

} // namespace bench
