// Feeds any bytes to the frame reader as the stream a server sends, through a local socket
// pair, and reads frames until the stream ends. The first byte picks the size of the pieces
// the bytes are written in, so frames also arrive cut up at every place.
#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <thread>

#include "link/connection_socket.h"
#include "link/socket_layer.h"
#include "link/wire_protocol.h"

namespace {

// Larger inputs say nothing new and would only fill the socket buffers.
constexpr std::size_t kLongestStream = 64 * 1024;

void writeInPieces(int descriptor, const uint8_t* data, std::size_t size, std::size_t piece) {
    for (std::size_t at = 0; at < size; at += piece) {
        std::size_t length = piece < size - at ? piece : size - at;
        if (send(descriptor, data + at, length, MSG_NOSIGNAL) != static_cast<ssize_t>(length)) {
            break;
        }
    }
    shutdown(descriptor, SHUT_WR);
}

bool expectedStatus(LinkStatus status) {
    return status == kLinkOk || status == kLinkBadMessageSize || status == kLinkBadHeader;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > kLongestStream) return 0;
    const std::size_t piece = data[0] == 0 ? size : data[0];
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return 0;
    auto socket = std::make_shared<ConnectionSocket>(ends[0]);
    std::thread server(writeInPieces, ends[1], data + 1, size - 1, piece);

    char body[kBodyBufferSize];
    std::size_t frames = 0;
    LinkStatus status;
    // Every read takes six bytes at least, so the stream ends within size / 6 + 1 reads.
    while (expectedStatus(status = socket_readMsg(socket.get(), body, 0))) {
        if (status == kLinkOk && std::strlen(body) > kMaxBodyLength) __builtin_trap();
        if (++frames > size / kFrameHeaderSize + 1) __builtin_trap();
    }
    if (status != kLinkDisconnected) __builtin_trap();
    server.join();
    close(ends[1]);
    return 0;
}
