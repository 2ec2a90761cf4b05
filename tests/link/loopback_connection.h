#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <string>

#include "link/connection_socket.h"
#include "link/socket_layer.h"

// The test's own end of the link: a listener on 127.0.0.1 with a port the system picks.
class LoopbackListener {
  public:
    explicit LoopbackListener(int backlog = 8) {
        descriptor_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        bind(descriptor_, reinterpret_cast<sockaddr*>(&address), length);
        listen(descriptor_, backlog);
        getsockname(descriptor_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
    }
    ~LoopbackListener() { close(); }
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    int32_t port() const { return port_; }
    int acceptPeer() const { return accept4(descriptor_, nullptr, nullptr, SOCK_CLOEXEC); }
    void close() {
        if (descriptor_ >= 0) ::close(descriptor_);
        descriptor_ = -1;
    }

  private:
    int descriptor_ = -1;
    int32_t port_ = 0;
};

inline uint32_t loopbackAddress() {
    return htonl(INADDR_LOOPBACK);
}

inline void sendText(int descriptor, const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t count = send(descriptor, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (count <= 0) return;
        sent += static_cast<std::size_t>(count);
    }
}

// A frame as the server sends it: marker, four-digit length, body.
inline std::string frame(const std::string& body) {
    char length[5];
    std::snprintf(length, sizeof length, "%04zu", body.size() + 6);
    return std::string("\xFF\xFF") + length + body;
}

// A connection made by connect2server to a local listener, with the peer's end at hand.
struct LoopbackConnection {
    LoopbackListener listener;
    std::shared_ptr<ConnectionSocket> socket;
    int peer = -1;
    LinkStatus connected = connect2server(loopbackAddress(), listener.port(), &socket);

    LoopbackConnection() {
        peer = listener.acceptPeer();
        // Small pieces go out at once, and a peer receive never hangs a test for long.
        int on = 1;
        setsockopt(peer, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        timeval patience{5, 0};
        setsockopt(peer, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
    }
    ~LoopbackConnection() { closePeer(); }
    LoopbackConnection(const LoopbackConnection&) = delete;
    LoopbackConnection& operator=(const LoopbackConnection&) = delete;

    void send(const std::string& bytes) const { sendText(peer, bytes); }
    void closePeer() {
        if (peer >= 0) ::close(peer);
        peer = -1;
    }
    // Closes the peer's end with a reset instead of an orderly end.
    void resetPeer() {
        linger abort{1, 0};
        setsockopt(peer, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        closePeer();
    }
};
