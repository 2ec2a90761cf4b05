#include "link/socket_layer.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "link/loopback_connection.h"
#include "link/wire_protocol.h"

namespace {

using namespace std::chrono_literals;

uint32_t dotted(const char* text) {
    in_addr address{};
    inet_pton(AF_INET, text, &address);
    return address.s_addr;
}

TEST(GetIpAddress, DottedAddressesAndNames) {
    const struct {
        const char* host;
        LinkStatus status;
        const char* address;
    } cases[] = {
        {"127.0.0.1", 0, "127.0.0.1"},
        {"192.168.10.200", 0, "192.168.10.200"},  // read only, never connected to
        {"127.0.0.1.99", 0, "127.0.0.1"},         // five numbers: the first four
        {"0.0.0.0", 0, "0.0.0.0"},
        {"256.0.0.1", 14, nullptr},
        {"1.2.3.256", 14, nullptr},
        {"99999999999.1.1.1", 14, nullptr},
        {"127.0.1", 0, "127.0.0.1"},  // three numbers go to name resolution
        {"localhost", 0, "127.0.0.1"},
    };
    for (const auto& c : cases) {
        uint32_t address = 0xDEADBEEF;
        EXPECT_EQ(getipaddress(c.host, address), c.status) << c.host;
        if (c.address != nullptr) {
            EXPECT_EQ(address, dotted(c.address)) << c.host;
        }
    }
}

TEST(ConnectToServer, RefusesBadArgumentsBeforeAnySocket) {
    std::shared_ptr<ConnectionSocket> socket;
    EXPECT_EQ(connect2server(0, 5139, &socket), 14);  // the address of "0.0.0.0"
    EXPECT_EQ(connect2server(0, 0, &socket), 14);
    EXPECT_EQ(connect2server(loopbackAddress(), 0, &socket), 15);
    EXPECT_EQ(connect2server(loopbackAddress(), 65536, &socket), 15);
    EXPECT_EQ(connect2server(loopbackAddress(), -1, &socket), 15);
    EXPECT_EQ(connect2server(loopbackAddress(), 5139, nullptr), 20);
    EXPECT_EQ(socket, nullptr);
}

TEST(ConnectToServer, RefusedConnectionIsThree) {
    int32_t port;
    {
        LoopbackListener closedAgain;
        port = closedAgain.port();
    }
    std::shared_ptr<ConnectionSocket> socket;
    EXPECT_EQ(connect2server(loopbackAddress(), port, &socket), 3);
    EXPECT_EQ(socket, nullptr);
}

TEST(ConnectToServer, AttemptThatNeverCompletesIsBoundedAndThree) {
    // A listener whose queue is full drops further connection requests, so the attempt
    // would otherwise hang for the system's whole retry time.
    LoopbackListener full(0);
    std::vector<std::shared_ptr<ConnectionSocket>> queued(3);
    LinkStatus last = 0;
    for (auto& socket : queued) {
        last = connect2server(loopbackAddress(), full.port(), &socket, 300);
        if (last != 0) break;
    }
    EXPECT_EQ(last, 3);
}

TEST(ConnectToServer, ConnectsAndStoresTheSocket) {
    LoopbackConnection link;
    ASSERT_EQ(link.connected, 0);
    EXPECT_NE(link.socket, nullptr);
    EXPECT_GE(link.peer, 0);
}

TEST(SendRegistration, SendsTheTwelveBytesOnce) {
    LoopbackConnection link;
    ASSERT_EQ(socket_sendRegistration(link.socket.get()), 0);
    char received[32] = {};
    ASSERT_EQ(recv(link.peer, received, 12, MSG_WAITALL), 12);
    EXPECT_EQ(std::string(received, 12), std::string("\xFF\xFF"
                                                     "00121002,2"));
    EXPECT_EQ(recv(link.peer, received, sizeof received, MSG_DONTWAIT), -1);  // nothing more
}

TEST(SendRegistration, BrokenOrClosedConnectionIsFourWithoutSignal) {
    LoopbackConnection link;
    link.resetPeer();
    std::this_thread::sleep_for(50ms);
    // The second send on a reset connection is the one that would raise SIGPIPE.
    EXPECT_EQ(socket_sendRegistration(link.socket.get()), 4);
    EXPECT_EQ(socket_sendRegistration(link.socket.get()), 4);
    link.socket->close();
    EXPECT_EQ(socket_sendRegistration(link.socket.get()), 4);
    EXPECT_EQ(socket_sendRegistration(nullptr), 4);
}

TEST(SendRegistration, ResultOfTheOneSend) {
    const struct {
        ssize_t sent;
        int errnoValue;
        LinkStatus status;
    } cases[] = {
        {12, 0, 0},          {11, 0, 26},       {0, 0, 26},       {-1, EPIPE, 4},
        {-1, ECONNRESET, 4}, {-1, ENOTCONN, 4}, {-1, EAGAIN, 25}, {-1, ENOBUFS, 25},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(registrationSendResult(c.sent, c.errnoValue), c.status)
            << c.sent << "/" << c.errnoValue;
    }
}

int openDescriptors() {
    int count = 0;
    if (DIR* listing = opendir("/proc/self/fd")) {
        while (readdir(listing) != nullptr) ++count;
        closedir(listing);
    }
    return count;
}

TEST(ConnectionSocketClose, ReleasesAnUnusedDescriptorAtOnceAndNeverTwice) {
    LoopbackConnection link;
    const int before = openDescriptors();
    link.socket->close();
    EXPECT_EQ(openDescriptors(), before - 1);
    link.socket->close();
    // The freed number goes to the next open; the socket's end must leave that file alone.
    int file = open("/dev/null", O_RDONLY | O_CLOEXEC);
    link.socket.reset();
    EXPECT_NE(fcntl(file, F_GETFD), -1);
    close(file);
}

struct ReadOutcome {
    LinkStatus status;
    std::string body;  // as text, up to its first zero byte
    bool operator==(const ReadOutcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ReadOutcome& outcome) {
    return out << outcome.status << ":" << outcome.body.substr(0, 40);
}

ReadOutcome readOne(ConnectionSocket* socket, int32_t seconds = 1) {
    char body[kBodyBufferSize];
    std::memset(body, '#', sizeof body);
    LinkStatus status = socket_readMsg(socket, body, seconds);
    return {status, status == 0 ? std::string(body) : std::string()};
}

// Reads frames until the peer's close shows, while the peer sends `stream` in pieces of
// `pieceSize` bytes.
std::vector<ReadOutcome> readStreamInPieces(const std::string& stream, std::size_t pieceSize) {
    LoopbackConnection link;
    std::jthread peer([&] {
        for (std::size_t at = 0; at < stream.size(); at += pieceSize) {
            link.send(stream.substr(at, pieceSize));
            if (pieceSize < stream.size()) std::this_thread::sleep_for(100us);
        }
        shutdown(link.peer, SHUT_WR);
    });
    std::vector<ReadOutcome> outcomes;
    for (int guard = 0; guard < 20; ++guard) {
        outcomes.push_back(readOne(link.socket.get()));
        if (outcomes.back().status != 0 && outcomes.back().status != 17 &&
            outcomes.back().status != 18) {
            break;
        }
    }
    return outcomes;
}

TEST(ReadMessage, FramesAndRefusedHeaders) {
    const std::string longest(kMaxBodyLength, 'q');
    const struct {
        const char* name;
        std::string stream;
        std::vector<ReadOutcome> outcomes;  // then the peer's close: 27
    } cases[] = {
        {"one frame", frame("1008,a"), {{0, "1008,a"}}},
        {"one-byte body",
         std::string("\xFF\xFF"
                     "00071"),
         {{0, "1"}}},
        {"zero byte cuts the text", frame(std::string("ab\0cd", 5)), {{0, "ab"}}},
        {"longest body", frame(longest), {{0, longest}}},
        {"wrong marker, next six bytes taken as a header",
         "XX0007" + frame("y"),
         {{18, ""}, {0, "y"}}},
        {"length 0006 takes no body bytes",
         std::string("\xFF\xFF"
                     "0006") +
             frame("z"),
         {{17, ""}, {0, "z"}}},
        {"length without digits",
         std::string("\xFF\xFF"
                     "ab12") +
             frame("z"),
         {{17, ""}, {0, "z"}}},
        {"oversized body drained, stream stays in step",
         frame(std::string(kMaxBodyLength + 1, 'o')) + frame(std::string(9993, 'p')) +
             frame("after"),
         {{17, ""}, {17, ""}, {0, "after"}}},
    };
    for (const auto& c : cases) {
        std::vector<ReadOutcome> expected = c.outcomes;
        expected.push_back({27, ""});
        EXPECT_EQ(readStreamInPieces(c.stream, c.stream.size()), expected) << c.name;
    }
}

TEST(ReadMessage, FrameInPiecesGivesWhatTheWholeFrameGives) {
    const std::string stream = frame("1003,ok") + "XX0007" + frame(std::string(5000, 'o')) +
                               frame(std::string("1008,x\0y", 8)) + frame("last");
    const std::vector<ReadOutcome> whole = readStreamInPieces(stream, stream.size());
    ASSERT_EQ(whole.size(), 6u);
    EXPECT_EQ(whole[0], (ReadOutcome{0, "1003,ok"}));
    EXPECT_EQ(whole[4], (ReadOutcome{0, "last"}));
    for (std::size_t pieceSize : {1u, 2u, 5u, 7u, 1000u}) {
        EXPECT_EQ(readStreamInPieces(stream, pieceSize), whole) << pieceSize;
    }
}

TEST(ReadMessage, PauseLongerThanTheTimeOutResumesTheSameFrame) {
    LoopbackConnection link;
    link.send(
        "\xFF\xFF"
        "00");
    EXPECT_EQ(readOne(link.socket.get()), (ReadOutcome{23, ""}));  // mid-header
    link.send("10ab");
    EXPECT_EQ(readOne(link.socket.get()), (ReadOutcome{23, ""}));  // mid-body
    link.send("cd");
    EXPECT_EQ(readOne(link.socket.get()), (ReadOutcome{0, "abcd"}));
}

TEST(ReadMessage, QuietLineTimesOutAndWaitsOnlyWhenAsked) {
    LoopbackConnection link;
    EXPECT_EQ(socket_waitReadable(link.socket.get(), 1), 23);
    EXPECT_EQ(readOne(link.socket.get()), (ReadOutcome{23, ""}));
    link.send(frame("now"));
    EXPECT_EQ(socket_waitReadable(link.socket.get(), 1), 0);
    EXPECT_EQ(readOne(link.socket.get(), 0), (ReadOutcome{0, "now"}));
}

TEST(ReadMessage, ServerCloseIsTwentySevenWindowCloseIsFour) {
    LoopbackConnection server;
    server.closePeer();
    EXPECT_EQ(readOne(server.socket.get()), (ReadOutcome{27, ""}));
    EXPECT_EQ(readOne(server.socket.get()), (ReadOutcome{27, ""}));

    LoopbackConnection window;
    window.socket->close();
    window.socket->close();  // a second close does nothing
    EXPECT_EQ(readOne(window.socket.get()), (ReadOutcome{4, ""}));
    EXPECT_EQ(socket_waitReadable(window.socket.get(), 1), 4);
}

TEST(ReadMessage, WindowCloseWakesAWaitingReadWithFour) {
    LoopbackConnection link;
    LinkStatus status = -1;
    std::jthread reader([&] { status = readOne(link.socket.get(), 30).status; });
    std::this_thread::sleep_for(100ms);
    link.socket->close();
    reader.join();
    EXPECT_EQ(status, 4);
}

TEST(ReadMessage, ResetByThePeerIsFour) {
    LoopbackConnection link;
    link.resetPeer();
    EXPECT_EQ(readOne(link.socket.get()).status, 4);
}

TEST(ReadMessage, NoSocketOrNoBuffer) {
    LoopbackConnection link;
    char body[kBodyBufferSize];
    EXPECT_EQ(socket_readMsg(nullptr, body, 1), 20);
    EXPECT_EQ(socket_readMsg(link.socket.get(), nullptr, 1), 18);
    EXPECT_EQ(socket_waitReadable(nullptr, 1), 20);
}

}  // namespace
