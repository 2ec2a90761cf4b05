#include "e2e_loopback_sender.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "e2e_frame_sending.h"
#include "link/wire_protocol.h"

namespace {

constexpr int kAcceptWaitMs = 15000;
constexpr char kRegistrationReply[] = "1003,ok";

bool readableWithin(int descriptor, int milliseconds) {
    pollfd wanted{descriptor, POLLIN, 0};
    return poll(&wanted, 1, milliseconds) == 1;
}

bool receiveExactly(int descriptor, unsigned char* out, std::size_t size) {
    std::size_t received = 0;
    while (received < size) {
        if (!readableWithin(descriptor, kAcceptWaitMs)) return false;
        const ssize_t got = recv(descriptor, out + received, size - received, 0);
        if (got <= 0) return false;
        received += static_cast<std::size_t>(got);
    }
    return true;
}

// Blocks until the board closes its end (or the connection fails).
void waitForClose(int descriptor) {
    unsigned char sink[256];
    while (recv(descriptor, sink, sizeof sink, 0) > 0) {
    }
}

}  // namespace

LoopbackSender::~LoopbackSender() {
    join();
    if (listener_ >= 0) close(listener_);
}

bool LoopbackSender::listen() {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    if (listener_ < 0) return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 1) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return false;
    }
    port_ = ntohs(address.sin_port);
    return true;
}

void LoopbackSender::start(Traffic traffic) {
    thread_ = std::thread([this, traffic = std::move(traffic)] { run(traffic); });
}

bool LoopbackSender::join() {
    if (thread_.joinable()) thread_.join();
    return sent_.load();
}

void LoopbackSender::run(const Traffic& traffic) {
    int descriptor = -1;
    if (!acceptRegistration(descriptor)) {
        std::fprintf(stderr, "sender: the board did not connect and register\n");
    } else if (!traffic(descriptor)) {
        std::fprintf(stderr, "sender: sending failed: %s\n", std::strerror(errno));
    } else {
        sent_ = true;
    }
    if (descriptor >= 0) {
        waitForClose(descriptor);
        close(descriptor);
    }
}

bool LoopbackSender::acceptRegistration(int& descriptor) {
    if (listener_ < 0 || !readableWithin(listener_, kAcceptWaitMs)) return false;
    descriptor = accept(listener_, nullptr, nullptr);
    if (descriptor < 0) return false;
    unsigned char registration[kRegistrationFrameSize];
    if (!receiveExactly(descriptor, registration, sizeof registration) ||
        std::memcmp(registration, kRegistrationFrame, sizeof registration) != 0) {
        return false;
    }
    unsigned char reply[kFrameHeaderSize + sizeof kRegistrationReply];
    const std::size_t size =
        buildFrame(kRegistrationReply, sizeof kRegistrationReply - 1, reply, sizeof reply);
    return sendAll(descriptor, reply, size);
}
