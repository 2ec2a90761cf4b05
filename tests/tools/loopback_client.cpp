#include "loopback_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

#include "link/wire_protocol.h"

namespace {

constexpr int kReceiveTimeoutMs = 10000;

bool readHeader(const std::string& bytes, std::size_t at, std::size_t& bodyLength) {
    unsigned char header[kFrameHeaderSize];
    std::memcpy(header, bytes.data() + at, kFrameHeaderSize);
    return checkFrameHeader(header, bodyLength) == 0;
}

}  // namespace

LoopbackClient::LoopbackClient(uint16_t port) {
    socket_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    timeval timeout{kReceiveTimeoutMs / 1000, 0};
    if (socket_ >= 0 &&
        (::setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout) != 0 ||
         ::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)) {
        close();
    }
}

LoopbackClient::~LoopbackClient() {
    close();
}

void LoopbackClient::close() {
    if (socket_ >= 0) ::close(socket_);
    socket_ = -1;
}

bool LoopbackClient::send(const std::string& bytes) {
    return ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(bytes.size());
}

bool LoopbackClient::sendRegistration() {
    return send(
        std::string(reinterpret_cast<const char*>(kRegistrationFrame), kRegistrationFrameSize));
}

std::string LoopbackClient::readToEnd() {
    std::string all;
    char buffer[65536];
    for (;;) {
        ssize_t got = ::recv(socket_, buffer, sizeof buffer, 0);
        if (got <= 0) return all;
        all.append(buffer, static_cast<std::size_t>(got));
    }
}

bool LoopbackClient::readExact(char* data, std::size_t size) {
    while (size > 0) {
        ssize_t got = ::recv(socket_, data, size, 0);
        if (got <= 0) return false;
        data += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

bool LoopbackClient::readFrame(std::string& body) {
    std::string header(kFrameHeaderSize, '\0');
    std::size_t bodyLength = 0;
    if (!readExact(header.data(), header.size()) || !readHeader(header, 0, bodyLength)) {
        return false;
    }
    body.assign(bodyLength, '\0');
    return readExact(body.data(), bodyLength);
}

bool LoopbackClient::closesWithin(std::chrono::milliseconds wait) {
    pollfd entry{socket_, POLLIN, 0};
    if (::poll(&entry, 1, static_cast<int>(wait.count())) <= 0) return false;
    char byte;
    return ::recv(socket_, &byte, 1, MSG_DONTWAIT) == 0;
}

bool splitFrames(const std::string& stream, std::vector<std::string>& bodies) {
    std::size_t at = 0;
    while (at < stream.size()) {
        std::size_t bodyLength = 0;
        if (stream.size() - at < kFrameHeaderSize || !readHeader(stream, at, bodyLength) ||
            stream.size() - at - kFrameHeaderSize < bodyLength) {
            return false;
        }
        bodies.push_back(stream.substr(at + kFrameHeaderSize, bodyLength));
        at += kFrameHeaderSize + bodyLength;
    }
    return true;
}

std::string frameOf(const std::string& body) {
    unsigned char frame[kMaxFrameSize];
    std::size_t size = buildFrame(body.data(), body.size(), frame, sizeof frame);
    return std::string(reinterpret_cast<const char*>(frame), size);
}
