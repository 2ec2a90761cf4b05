#include "tavrel-sim/traffic_generator.h"

#include <cstdio>
#include <iterator>

namespace {

enum Mode : int8_t {
    Ready,
    NotReady,
    AcwIb,
    AcwOb,
    OutboundNr,
    InboundNr,
    Aux6,
    Aux7,
    Aux8,
    Aux9,
    Aux10,
    Aux11,
    Acd,
    LoggedOut,
    UnknownMode,
};

enum ExtState : int8_t {
    ExtUnknown,
    Unavailable,
    Idle,
    InUse,
    Busy,
    Ringing,
    Dialing,
    AcdCall,
    Held
};

constexpr const char* kExtStateNames[] = {"unknown", "UNAVAILABLE", "IDLE",    "INUSE", "BUSY",
                                          "RINGING", "DIALING",     "ACDCALL", "HELD"};

// Mode texts the board does not know; AUX06 still takes the title of AUX6 there.
constexpr const char* kUnknownModeNames[] = {"TRAINING", "AUX12", "AUX06", "BREAK", "ready"};

struct Weighted {
    int8_t index;
    int8_t weight;  // 0 ends a list
};

struct ModeProfile {
    const char* name;
    int32_t shortestDwell;  // seconds
    int32_t longestDwell;
    int32_t stayPercent;  // share of changes that keep the mode and only move the extension
    Weighted extStates[4];
    Weighted nextModes[8];
};

// The breaks: long, the extension mostly idle or switched off.
constexpr ModeProfile auxProfile(const char* name) {
    return {name,
            60,
            900,
            10,
            {{Idle, 5}, {Unavailable, 3}, {InUse, 1}},
            {{Ready, 6}, {NotReady, 2}, {LoggedOut, 1}}};
}

// Indexed by Mode.
constexpr ModeProfile kModes[] = {
    {"READY",
     5,
     90,
     20,
     {{Idle, 8}, {Ringing, 2}},
     {{Acd, 55},
      {NotReady, 8},
      {OutboundNr, 6},
      {InboundNr, 5},
      {Aux6, 4},
      {Aux7, 3},
      {Aux8, 2},
      {LoggedOut, 2}}},
    {"NOTREADY",
     10,
     300,
     10,
     {{Idle, 6}, {InUse, 2}},
     {{Ready, 6}, {Aux9, 1}, {Aux10, 1}, {Aux11, 1}, {LoggedOut, 1}}},
    {"ACWIB", 10, 120, 10, {{Idle, 7}, {InUse, 2}}, {{Ready, 8}, {NotReady, 2}}},
    {"ACWOB", 10, 120, 10, {{Idle, 6}, {InUse, 2}}, {{Ready, 8}, {OutboundNr, 2}}},
    {"OUTBOUND-NR", 30, 300, 30, {{Dialing, 4}, {InUse, 4}, {Busy, 2}}, {{AcwOb, 7}, {Ready, 3}}},
    {"INBOUND-NR", 30, 240, 20, {{InUse, 5}, {Ringing, 2}, {Busy, 2}}, {{Ready, 6}, {NotReady, 2}}},
    auxProfile("AUX6"),
    auxProfile("AUX7"),
    auxProfile("AUX8"),
    auxProfile("AUX9"),
    auxProfile("AUX10"),
    auxProfile("AUX11"),
    // A call goes on hold now and then, and may stay on hold over several messages.
    {"ACD", 30, 400, 40, {{AcdCall, 8}, {Held, 3}}, {{AcwIb, 8}, {Ready, 2}}},
    // A logged-out agent's extension state tells nothing.
    {"LOGGEDOUT", 120, 1800, 5, {{ExtUnknown, 6}, {Unavailable, 4}}, {{Ready, 6}, {NotReady, 4}}},
    {nullptr, 20, 200, 0, {{Idle, 1}}, {{Ready, 1}}},
};
static_assert(std::size(kModes) == UnknownMode + 1);

// How agents stand when the simulator starts.
constexpr Weighted kStartModes[8] = {{Ready, 30}, {Acd, 25}, {LoggedOut, 20}, {NotReady, 8},
                                     {AcwIb, 7},  {Aux6, 4}, {Aux7, 3},       {OutboundNr, 3}};

template <std::size_t N>
int pickWeighted(RandomSource& random, const Weighted (&list)[N]) {
    uint32_t total = 0;
    for (const Weighted& entry : list) total += static_cast<uint32_t>(entry.weight);
    uint32_t roll = random.below(total);
    for (const Weighted& entry : list) {
        uint32_t weight = static_cast<uint32_t>(entry.weight);
        if (roll < weight) return entry.index;
        roll -= weight;
    }
    return list[0].index;
}

int32_t pickDwell(RandomSource& random, int mode) {
    return random.between(kModes[mode].shortestDwell, kModes[mode].longestDwell);
}

}  // namespace

TrafficGenerator::TrafficGenerator(const TrafficSettings& settings)
    : settings_(settings),
      random_(settings.variant),
      profiles_(static_cast<std::size_t>(settings.agents)),
      agents_(profiles_.size()),
      delay_(settings.rate > 0 ? static_cast<int64_t>(1e6 / settings.rate) : 0) {
    buildRoster(random_, profiles_.data(), settings.agents);
    for (AgentState& agent : agents_) {
        agent.mode = pickWeighted(random_, kStartModes);
        agent.extState = pickWeighted(random_, kModes[agent.mode].extStates);
        int32_t dwell = pickDwell(random_, agent.mode);
        int32_t elapsed = static_cast<int32_t>(random_.below(static_cast<uint32_t>(dwell)));
        agent.since = -elapsed;
        agent.due = dwell - elapsed;
        agent.calls = static_cast<int32_t>(random_.below(30));
    }
}

bool TrafficGenerator::next(OutgoingBody& body) {
    body.delay = delay_;
    if (reported_ < settings_.agents) {
        int index = reported_++;
        const AgentState& agent = agents_[static_cast<std::size_t>(index)];
        body.length = writeAgentMessage(index, static_cast<int32_t>(clock_ - agent.since),
                                        body.text, sizeof body.text);
        return true;
    }
    if (random_.chance(settings_.keepAliveChance)) {
        body.length = writeKeepAlive(body.text, sizeof body.text);
        return true;
    }
    int index = earliestAgent();
    AgentState& agent = agents_[static_cast<std::size_t>(index)];
    if (agent.due > clock_) clock_ = agent.due;
    int32_t secondsInState = static_cast<int32_t>(clock_ - agent.since);
    changeState(agent);
    body.length = writeAgentMessage(index, secondsInState, body.text, sizeof body.text);
    return true;
}

int TrafficGenerator::earliestAgent() const {
    int earliest = 0;
    for (int i = 1; i < settings_.agents; ++i) {
        if (agents_[static_cast<std::size_t>(i)].due <
            agents_[static_cast<std::size_t>(earliest)].due) {
            earliest = i;
        }
    }
    return earliest;
}

void TrafficGenerator::changeState(AgentState& agent) {
    const ModeProfile& current = kModes[agent.mode];
    if (random_.below(100) < static_cast<uint32_t>(current.stayPercent)) {
        // Same mode, the extension moves on (a call is offered, put on hold, taken back).
        agent.extState = pickWeighted(random_, current.extStates);
        agent.since = clock_;
        agent.due = clock_ + pickDwell(random_, agent.mode) / 3 + 1;
        return;
    }
    if (agent.mode == Acd || agent.mode == OutboundNr) ++agent.calls;
    if (agent.mode != LoggedOut && random_.chance(settings_.unknownModeChance)) {
        agent.mode = UnknownMode;
        agent.unknownName = static_cast<int>(random_.below(std::size(kUnknownModeNames)));
    } else {
        agent.mode = pickWeighted(random_, current.nextModes);
    }
    startState(agent);
}

void TrafficGenerator::startState(AgentState& agent) {
    agent.extState = pickWeighted(random_, kModes[agent.mode].extStates);
    agent.since = clock_;
    agent.due = clock_ + pickDwell(random_, agent.mode);
}

std::size_t TrafficGenerator::writeAgentMessage(int index, int32_t secondsInState, char* out,
                                                std::size_t capacity) const {
    const AgentState& agent = agents_[static_cast<std::size_t>(index)];
    const AgentProfile& profile = profiles_[static_cast<std::size_t>(index)];
    const char* mode =
        agent.mode == UnknownMode ? kUnknownModeNames[agent.unknownName] : kModes[agent.mode].name;
    int written =
        std::snprintf(out, capacity, "1008,%s,%s,%s,%s,%d,%d,%s,%s", profile.id.c_str(),
                      profile.name.c_str(), mode, profile.extension.c_str(), agent.calls,
                      secondsInState, kExtStateNames[agent.extState], profile.queues.c_str());
    return static_cast<std::size_t>(written);
}

std::size_t TrafficGenerator::writeKeepAlive(char* out, std::size_t capacity) {
    int written = std::snprintf(out, capacity, "1005,%lld", static_cast<long long>(++keepAlives_));
    return static_cast<std::size_t>(written);
}
