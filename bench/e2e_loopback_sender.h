#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <thread>

// Stands in for the Tavrel server on 127.0.0.1 with a port the system picks: takes the
// board's connection and registration, answers "1003,ok", then runs the traffic it is given
// on its own thread. It keeps the connection open until the board closes it, so the board
// never sees the link end while it is being measured.
class LoopbackSender {
  public:
    // Sends on the connected descriptor; false when sending failed.
    using Traffic = std::function<bool(int descriptor)>;

    LoopbackSender() = default;
    ~LoopbackSender();
    LoopbackSender(const LoopbackSender&) = delete;
    LoopbackSender& operator=(const LoopbackSender&) = delete;

    // false when no loopback port could be had.
    bool listen();
    uint16_t port() const { return port_; }

    void start(Traffic traffic);
    // Set once the whole traffic went out.
    bool trafficSent() const { return sent_.load(); }
    // Waits for the board to close the connection; true when the traffic went out in full.
    bool join();

  private:
    void run(const Traffic& traffic);
    bool acceptRegistration(int& descriptor);

    int listener_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> sent_{false};
    std::thread thread_;
};
