#include "SlowLink.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <deque>
#include <list>
#include <vector>

namespace bench {

namespace {

using Clock = std::chrono::steady_clock;

struct Chunk {
    Clock::time_point due;
    std::vector<char> bytes;
};

// One client connection and its connection to the server, with what is on its way each way.
struct Pair {
    int client = -1;
    int server = -1;
    std::deque<Chunk> toServer;
    std::deque<Chunk> toClient;
    bool awaitingAnswer = false;  // the client has sent since the server last answered
    bool closed = false;
};

void noDelay(int fd)
{
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

sockaddr_in loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

int connectToServer(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = loopback(port);
    if (fd < 0 || connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (fd >= 0)
            close(fd);
        return -1;
    }
    noDelay(fd);
    return fd;
}

bool sendAll(int fd, const std::vector<char>& bytes)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

// Reads what is there into the queue, due after the delay; false when the peer has gone.
bool receive(int fd, std::deque<Chunk>& queue, std::chrono::milliseconds delay)
{
    std::vector<char> bytes(65536);
    const ssize_t n = recv(fd, bytes.data(), bytes.size(), 0);
    if (n <= 0)
        return false;
    bytes.resize(static_cast<size_t>(n));
    queue.push_back({Clock::now() + delay, std::move(bytes)});
    return true;
}

bool deliver(int fd, std::deque<Chunk>& queue, Clock::time_point now)
{
    while (!queue.empty() && queue.front().due <= now) {
        if (!sendAll(fd, queue.front().bytes))
            return false;
        queue.pop_front();
    }
    return true;
}

} // namespace

SlowLink::SlowLink(int roundTripMs, int serverPort) : delayMs_(roundTripMs / 2), serverPort_(serverPort)
{
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 16) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        pipe(wake_) != 0)
        return;
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

SlowLink::~SlowLink()
{
    if (thread_.joinable()) {
        const char stop = 0;
        [[maybe_unused]] const ssize_t written = write(wake_[1], &stop, 1);
        thread_.join();
    }
    for (int fd : {listener_, wake_[0], wake_[1]})
        if (fd >= 0)
            close(fd);
}

void SlowLink::serve()
{
    const std::chrono::milliseconds delay(delayMs_);
    std::list<Pair> pairs;
    for (;;) {
        std::vector<pollfd> watched{{wake_[0], POLLIN, 0}, {listener_, POLLIN, 0}};
        Clock::time_point next = Clock::time_point::max();
        for (const Pair& pair : pairs) {
            watched.push_back({pair.client, POLLIN, 0});
            watched.push_back({pair.server, POLLIN, 0});
            for (const std::deque<Chunk>* queue : {&pair.toServer, &pair.toClient})
                if (!queue->empty())
                    next = std::min(next, queue->front().due);
        }
        // To the nanosecond: a millisecond's rounding per hop would be much of a 2 ms link.
        timespec timeout{};
        if (next != Clock::time_point::max()) {
            const long long ns = std::max<long long>(
                0, std::chrono::duration_cast<std::chrono::nanoseconds>(next - Clock::now()).count());
            timeout = {static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
        }
        if (ppoll(watched.data(), watched.size(), next == Clock::time_point::max() ? nullptr : &timeout, nullptr) < 0)
            continue;
        if (watched[0].revents)
            break;
        if (watched[1].revents & POLLIN) {
            const int client = accept(listener_, nullptr, nullptr);
            if (client >= 0) {
                noDelay(client);
                const int server = connectToServer(serverPort_);
                if (server < 0)
                    close(client);
                else
                    pairs.push_back({client, server, {}, {}, false, false});
            }
        }
        size_t index = 2;
        for (Pair& pair : pairs) {
            const short fromClient = watched[index++].revents;
            const short fromServer = watched[index++].revents;
            if (fromClient && !pair.closed) {
                pair.closed = !receive(pair.client, pair.toServer, delay);
                pair.awaitingAnswer = true;
            }
            if (fromServer && !pair.closed) {
                pair.closed = !receive(pair.server, pair.toClient, delay);
                if (pair.awaitingAnswer)
                    ++roundTrips_;
                pair.awaitingAnswer = false;
            }
        }
        const Clock::time_point now = Clock::now();
        for (auto it = pairs.begin(); it != pairs.end();) {
            Pair& pair = *it;
            if (!pair.closed)
                pair.closed = !deliver(pair.server, pair.toServer, now) || !deliver(pair.client, pair.toClient, now);
            if (pair.closed) {
                close(pair.client);
                close(pair.server);
                it = pairs.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (Pair& pair : pairs) {
        close(pair.client);
        close(pair.server);
    }
}

} // namespace bench
