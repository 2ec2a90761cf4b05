#include "link/socket_layer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "link/descriptor_io.h"
#include "link/wire_protocol.h"

namespace {

constexpr int kDottedNumbers = 4;
constexpr std::size_t kLocalNameSize = 31;  // the local name's room, terminator included

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool onlyDigitsAndDots(const char* host) {
    if (*host == '\0') return false;
    for (const char* p = host; *p != '\0'; ++p) {
        if (!isDigit(*p) && *p != '.') return false;
    }
    return true;
}

// Reads up to four dot-separated numbers from the start of `text`, as a scan with
// "%d.%d.%d.%d" does; values saturate instead of overflowing. Returns how many were read.
int readDottedNumbers(const char* text, int64_t (&numbers)[kDottedNumbers]) {
    int count = 0;
    const char* p = text;
    while (count < kDottedNumbers && isDigit(*p)) {
        int64_t value = 0;
        for (; isDigit(*p); ++p) {
            if (value <= 0xFFFFFFFF) value = value * 10 + (*p - '0');
        }
        numbers[count++] = value;
        if (count < kDottedNumbers && *p++ != '.') break;
    }
    return count;
}

LinkStatus dottedAddress(const int64_t (&numbers)[kDottedNumbers], uint32_t& address) {
    unsigned char bytes[kDottedNumbers];
    for (int i = 0; i < kDottedNumbers; ++i) {
        if (numbers[i] > 255) return kLinkBadAddress;
        bytes[i] = static_cast<unsigned char>(numbers[i]);
    }
    std::memcpy(&address, bytes, sizeof address);  // the order written is network order
    return kLinkOk;
}

LinkStatus resolveName(const char* name, uint32_t& address) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(name, nullptr, &hints, &found) != 0) return kLinkNameNotResolved;
    LinkStatus status = kLinkBadAddress;
    if (found != nullptr && found->ai_addr != nullptr) {
        address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
        status = kLinkOk;
    }
    freeaddrinfo(found);
    return status;
}

bool setBlocking(int descriptor, bool blocking) {
    int flags = fcntl(descriptor, F_GETFL);
    if (flags < 0) return false;
    flags = blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK);
    return fcntl(descriptor, F_SETFL, flags) == 0;
}

bool awaitConnected(int descriptor, int32_t timeoutMilliseconds) {
    pollfd watched{descriptor, POLLOUT, 0};
    int flagged;
    do {
        flagged = poll(&watched, 1, timeoutMilliseconds);
    } while (flagged < 0 && errno == EINTR);
    if (flagged <= 0) return false;
    int error = 0;
    socklen_t length = sizeof error;
    return getsockopt(descriptor, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
}

// Connects without blocking so that an unreachable server cannot hold the window for the
// minutes the system's own attempt may take.
bool connectWithin(int descriptor, uint32_t address, int32_t port, int32_t timeoutMilliseconds) {
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(static_cast<uint16_t>(port));
    server.sin_addr.s_addr = address;
    if (!setBlocking(descriptor, false)) return false;
    if (connect(descriptor, reinterpret_cast<const sockaddr*>(&server), sizeof server) != 0) {
        if (errno != EINPROGRESS && errno != EINTR) return false;
        if (!awaitConnected(descriptor, timeoutMilliseconds)) return false;
    }
    return setBlocking(descriptor, true);
}

}  // namespace

bool so_startup() {
    return true;
}

int so_init() {
    return 0;
}

void so_release() {}

LinkStatus getipaddress(const char* host, uint32_t& address) {
    if (host == nullptr) {
        char localName[kLocalNameSize] = {};
        if (gethostname(localName, sizeof localName) != 0) return kLinkNoLocalName;
        return resolveName(localName, address);
    }
    if (onlyDigitsAndDots(host)) {
        int64_t numbers[kDottedNumbers] = {};
        if (readDottedNumbers(host, numbers) == kDottedNumbers)
            return dottedAddress(numbers, address);
    }
    return resolveName(host, address);
}

LinkStatus connect2server(uint32_t address, int32_t port, std::shared_ptr<ConnectionSocket>* socket,
                          int32_t timeoutMilliseconds) {
    if (address == 0) return kLinkBadAddress;
    if (port < 1 || port > 65535) return kLinkBadPort;
    if (socket == nullptr) return kLinkNoSocket;
    int descriptor = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (descriptor < 0) return kLinkSocketError;
    if (!connectWithin(descriptor, address, port, timeoutMilliseconds)) {
        close(descriptor);
        return kLinkConnectFailed;
    }
    *socket = std::make_shared<ConnectionSocket>(descriptor);
    return kLinkOk;
}

LinkStatus socket_sendRegistration(ConnectionSocket* socket) {
    // No socket is what a send on the invalid handle reports: not a socket, a lost connection.
    if (socket == nullptr) return kLinkAlreadyClosed;
    return socket->withDescriptor([](int descriptor) {
        ssize_t sent;
        do {
            // MSG_NOSIGNAL: a broken connection is a result here, never a SIGPIPE.
            sent = send(descriptor, kRegistrationFrame, kRegistrationFrameSize, MSG_NOSIGNAL);
        } while (sent < 0 && errno == EINTR);
        return registrationSendResult(sent, errno);
    });
}

LinkStatus registrationSendResult(ssize_t sent, int errnoValue) {
    if (sent < 0) return statusOfSocketError(errnoValue, kLinkSendFailed);
    return static_cast<std::size_t>(sent) == kRegistrationFrameSize ? kLinkOk : kLinkSendPartial;
}

LinkStatus socket_waitReadable(ConnectionSocket* socket, int32_t seconds) {
    if (socket == nullptr) return kLinkNoSocket;
    return socket->withDescriptor(
        [seconds](int descriptor) { return waitForReadable(descriptor, seconds); });
}

LinkStatus socket_readMsg(ConnectionSocket* socket, char* body, int32_t seconds) {
    if (socket == nullptr) return kLinkNoSocket;
    if (body == nullptr) return kLinkBadHeader;
    return socket->withDescriptor([socket, body, seconds](int descriptor) {
        return socket->frames().read(descriptor, body, seconds);
    });
}
