#include <csignal>
#include <cstdio>
#include <string>

#include "tavrel-sim/sim_options.h"
#include "tavrel-sim/sim_server.h"

namespace {

std::atomic<bool> stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

void requestStop(int) {
    stopRequested.store(true);
}

void installStopHandlers() {
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    SimOptions options;
    std::string error;
    switch (parseOptions(argc, argv, options, error)) {
        case ParseOutcome::Help:
            std::fputs(helpText(), stdout);
            return 0;
        case ParseOutcome::Error:
            std::fprintf(stderr, "tavrel-sim: %s\nTry tavrel-sim --help\n", error.c_str());
            return 2;
        case ParseOutcome::Run:
            break;
    }
    std::vector<ReplayLine> replay;
    if (!options.replayFile.empty() && !loadReplayFile(options.replayFile, replay, error)) {
        std::fprintf(stderr, "tavrel-sim: %s\n", error.c_str());
        return 2;
    }
    installStopHandlers();
    SimServer server(options, std::move(replay), stopRequested);
    if (!server.listen(error)) {
        std::fprintf(stderr, "tavrel-sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("listening %s:%u\n", options.host.c_str(), static_cast<unsigned>(server.port()));
    std::fflush(stdout);
    return server.serve();
}
