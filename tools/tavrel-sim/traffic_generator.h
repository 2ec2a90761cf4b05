#pragma once

#include <cstdint>
#include <vector>

#include "tavrel-sim/agent_roster.h"
#include "tavrel-sim/message_source.h"
#include "tavrel-sim/random_source.h"

struct TrafficSettings {
    int agents = 50;
    uint64_t variant = 1;
    double rate = 10;  // messages per second; 0 = no pause between messages
    double keepAliveChance = 0.02;
    double unknownModeChance = 0.01;
};

// Made-up traffic of a call centre: first one message per agent with its current state, then
// state changes, each agent changing when its simulated dwell time in the current state is
// over. Modes follow each other as they do at a real desk (READY, a call in ACD, after-call
// work, back to READY, breaks in the AUX modes, log-out and log-in) and each mode comes with
// an extension state that fits it. The same settings give the same messages.
class TrafficGenerator final : public MessageSource {
  public:
    explicit TrafficGenerator(const TrafficSettings& settings);

    bool next(OutgoingBody& body) override;

    const AgentProfile& agent(int index) const {
        return profiles_[static_cast<std::size_t>(index)];
    }

  private:
    struct AgentState {
        int mode = 0;         // index into the mode table
        int extState = 0;     // index into the extension state names
        int unknownName = 0;  // which unknown mode text, while in the unknown mode
        int64_t due = 0;      // simulated second of the next change
        int64_t since = 0;    // simulated second the current mode or extension state began
        int32_t calls = 0;    // calls handled so far
    };

    int earliestAgent() const;
    void startState(AgentState& agent);
    void changeState(AgentState& agent);
    std::size_t writeAgentMessage(int index, int32_t secondsInState, char* out,
                                  std::size_t capacity) const;
    std::size_t writeKeepAlive(char* out, std::size_t capacity);

    TrafficSettings settings_;
    RandomSource random_;
    std::vector<AgentProfile> profiles_;
    std::vector<AgentState> agents_;
    int reported_ = 0;  // agents whose first message has gone out
    int64_t clock_ = 0;
    int64_t keepAlives_ = 0;
    std::chrono::microseconds delay_;
};
