#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/wire_protocol.h"

// A one-client Tavrel server on 127.0.0.1 and a port of its own: it takes the registration,
// sends the given bodies as frames, then waits for the client to close the connection.
class LoopbackServer {
  public:
    explicit LoopbackServer(std::vector<std::string> bodies) : bodies_(std::move(bodies)) {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        bind(listener_, reinterpret_cast<sockaddr*>(&address), length);
        listen(listener_, 1);
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~LoopbackServer() {
        stop_ = true;
        thread_.join();
        close(listener_);
    }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int port() const { return port_; }
    std::string registration() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return registration_;
    }
    bool clientClosed() const { return clientClosed_; }

  private:
    bool readable(int descriptor) const {
        pollfd entry{descriptor, POLLIN, 0};
        while (!stop_) {
            if (poll(&entry, 1, 20) > 0) return true;
        }
        return false;
    }

    void serve() {
        if (!readable(listener_)) return;
        int client = accept(listener_, nullptr, nullptr);
        char received[kRegistrationFrameSize];
        std::size_t have = 0;
        while (have < sizeof received && readable(client)) {
            ssize_t got = recv(client, received + have, sizeof received - have, 0);
            if (got <= 0) break;
            have += static_cast<std::size_t>(got);
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            registration_.assign(received, have);
        }
        for (const std::string& body : bodies_) {
            unsigned char frame[kMaxFrameSize];
            std::size_t size = buildFrame(body.data(), body.size(), frame, sizeof frame);
            send(client, frame, size, MSG_NOSIGNAL);
        }
        char rest[64];
        while (readable(client)) {
            if (recv(client, rest, sizeof rest, 0) <= 0) {
                clientClosed_ = true;
                break;
            }
        }
        close(client);
    }

    std::vector<std::string> bodies_;
    int listener_ = -1;
    int port_ = 0;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> clientClosed_{false};
    mutable std::mutex mutex_;
    std::string registration_;
};
