#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tavrel-sim/fault_injector.h"
#include "tavrel-sim/final_state_record.h"
#include "tavrel-sim/replay_source.h"
#include "tavrel-sim/sim_options.h"

// Listens on a loopback address and serves one connection after another, each with the
// same traffic from its start, until a stop is requested or the connection limit is reached.
class SimServer {
  public:
    SimServer(SimOptions options, std::vector<ReplayLine> replay, const std::atomic<bool>& stop);
    ~SimServer();
    SimServer(const SimServer&) = delete;
    SimServer& operator=(const SimServer&) = delete;

    // Binds and listens; false with `error` set on failure.
    bool listen(std::string& error);
    // The bound port, valid after listen.
    uint16_t port() const { return port_; }
    // Serves until stopped; 0, or 1 when the final state could not be written.
    int serve();

  private:
    void serveConnection(int socket, int64_t number);
    bool writeFinalState();

    SimOptions options_;
    std::vector<ReplayLine> replay_;
    const std::atomic<bool>& stop_;
    int listener_ = -1;
    uint16_t port_ = 0;
    FaultInjector faults_;
    FinalStateRecord record_;
    std::unique_ptr<Transmission> transmission_;
    bool finalStateFailed_ = false;
};
