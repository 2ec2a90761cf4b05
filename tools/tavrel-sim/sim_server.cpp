#include "tavrel-sim/sim_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tavrel-sim/sim_session.h"
#include "tavrel-sim/socket_io.h"
#include "tavrel-sim/traffic_generator.h"

namespace {

std::unique_ptr<MessageSource> makeSource(const SimOptions& options,
                                          const std::vector<ReplayLine>& replay) {
    if (!replay.empty()) return std::make_unique<ReplaySource>(replay);
    TrafficSettings settings;
    settings.agents = options.agents;
    settings.variant = options.variant;
    settings.rate = options.rate;
    settings.keepAliveChance = options.keepAliveChance;
    settings.unknownModeChance = options.unknownModeChance;
    return std::make_unique<TrafficGenerator>(settings);
}

}  // namespace

SimServer::SimServer(SimOptions options, std::vector<ReplayLine> replay,
                     const std::atomic<bool>& stop)
    : options_(std::move(options)),
      replay_(std::move(replay)),
      stop_(stop),
      faults_(options_.faults, options_.variant),
      transmission_(std::make_unique<Transmission>()) {}

SimServer::~SimServer() {
    if (listener_ >= 0) ::close(listener_);
}

bool SimServer::listen(std::string& error) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(options_.port);
    if (!isLoopbackAddress(options_.host) ||
        inet_pton(AF_INET, options_.host.c_str(), &address.sin_addr) != 1) {
        error = "only loopback addresses (127.x.x.x) are served, not " + options_.host;
        return false;
    }
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int reuse = 1;
    socklen_t length = sizeof address;
    if (listener_ < 0 ||
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse) != 0 ||
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 4) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        error = "cannot listen on " + options_.host + ":" + std::to_string(options_.port) + ": " +
                std::strerror(errno);
        return false;
    }
    port_ = ntohs(address.sin_port);
    return true;
}

int SimServer::serve() {
    for (int64_t number = 1; options_.connections == 0 || number <= options_.connections;
         ++number) {
        int socket = acceptConnection(listener_, stop_);
        if (socket < 0) break;
        serveConnection(socket, number);
    }
    writeFinalState();
    return finalStateFailed_ ? 1 : 0;
}

void SimServer::serveConnection(int socket, int64_t number) {
    std::fprintf(stderr, "tavrel-sim: connection %lld accepted\n", static_cast<long long>(number));
    faults_.restart();
    std::unique_ptr<MessageSource> source = makeSource(options_, replay_);
    SimSession session(socket, options_, *source, faults_, record_, *transmission_, stop_);
    SessionSummary summary = session.run();
    // The record is on disk before the client sees the connection end.
    if (summary.registered) writeFinalState();
    ::close(socket);
    std::fprintf(stderr, "tavrel-sim: connection %lld: %s, %lld messages sent, %s\n",
                 static_cast<long long>(number),
                 summary.registered ? "registered" : "not registered",
                 static_cast<long long>(summary.messagesSent), summary.ending);
}

bool SimServer::writeFinalState() {
    if (options_.finalStateFile.empty()) return true;
    std::string error;
    if (record_.writeTo(options_.finalStateFile, error)) return true;
    std::fprintf(stderr, "tavrel-sim: %s\n", error.c_str());
    finalStateFailed_ = true;
    return false;
}
