#pragma once

#include <QThread>
#include <atomic>

// A TCP proxy on the loopback between the program and the database server, in a thread of its
// own, that can stop forwarding: a link that stopped carrying anything. The connection's end is
// still passed on, as a server whose client went away sees it.
class FreezingProxy : public QThread {
public:
    explicit FreezingProxy(quint16 serverPort);
    ~FreezingProxy() override;

    // The port the program connects to; known once the proxy listens.
    quint16 port() const { return port_.load(); }
    void freeze() { frozen_.store(true); }

protected:
    void run() override;

private:
    const quint16 serverPort_;
    std::atomic<quint16> port_{0};
    std::atomic<bool> frozen_{false};
};
