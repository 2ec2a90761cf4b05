#pragma once

#include <atomic>
#include <cstdint>

#include "tavrel-sim/fault_injector.h"
#include "tavrel-sim/final_state_record.h"
#include "tavrel-sim/message_source.h"
#include "tavrel-sim/sim_options.h"

// How a connection went, for the log line the server writes.
struct SessionSummary {
    bool registered = false;
    int64_t messagesSent = 0;
    const char* ending = "";
};

// One client connection: the registration, the reply, then the traffic until it runs out,
// a fault closes the connection, the client goes or a stop is requested. The final-state
// record starts afresh once a client is registered. The socket is left for the caller to close.
class SimSession {
  public:
    SimSession(int socket, const SimOptions& options, MessageSource& source, FaultInjector& faults,
               FinalStateRecord& record, Transmission& transmission, const std::atomic<bool>& stop);

    SessionSummary run();

  private:
    bool readRegistration(SessionSummary& summary);
    bool sendFrame(const char* body);
    bool answerRegistration(SessionSummary& summary);
    void sendTraffic(SessionSummary& summary);
    bool trafficLimitReached(int64_t sent, std::chrono::steady_clock::time_point start) const;
    // false when the connection is over.
    bool transmit(const OutgoingBody& body, SessionSummary& summary);
    void endTraffic(SessionSummary& summary);

    int socket_;
    const SimOptions& options_;
    MessageSource& source_;
    FaultInjector& faults_;
    FinalStateRecord& record_;
    Transmission& transmission_;
    const std::atomic<bool>& stop_;
    OutgoingBody body_;
};
