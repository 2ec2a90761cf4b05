#include "e2e_agent_traffic.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "link/wire_protocol.h"

namespace {

constexpr char kLoggedOutMode[] = "LOGGEDOUT";

struct AgentState {
    const char* mode;
    const char* extState;
    int weight;
};

// A busy call centre: mostly on calls or ready, some after-call work, a few breaks and
// log-outs. AUX6 shows under its title, so the mode column is checked through the board.
constexpr AgentState kStates[] = {
    {"READY", "IDLE", 20},
    {"ACD", "ACDCALL", 20},
    {"ACD", "HELD", 6},
    {"ACD", "INUSE", 6},
    {"ACWIB", "IDLE", 10},
    {"ACWOB", "IDLE", 3},
    {"NOTREADY", "UNAVAILABLE", 8},
    {"OUTBOUND-NR", "DIALING", 6},
    {"INBOUND-NR", "INUSE", 3},
    {"AUX6", "IDLE", 4},
    {"AUX9", "UNAVAILABLE", 2},
    {kLoggedOutMode, "unknown", 2},
};
constexpr std::size_t kStateCount = sizeof kStates / sizeof kStates[0];
constexpr std::mt19937::result_type kRandomStart = 19991231;
constexpr char kSequenceMark[] = " #";
constexpr std::size_t kMaxBody = 160;

}  // namespace

AgentFields fieldsOf(const AgentMessage& message) {
    const AgentState& state = kStates[message.state % kStateCount];
    AgentFields fields{};
    std::snprintf(fields.id, sizeof fields.id, "%d", 1000 + message.agent);
    std::snprintf(fields.name, sizeof fields.name, "Agent %d%s%u", message.agent, kSequenceMark,
                  message.sequence);
    fields.mode = state.mode;
    // A logged-out agent has no extension.
    if (std::strcmp(state.mode, kLoggedOutMode) == 0) {
        std::snprintf(fields.extension, sizeof fields.extension, "none");
    } else {
        std::snprintf(fields.extension, sizeof fields.extension, "%d", 4000 + message.agent);
    }
    fields.extState = state.extState;
    std::snprintf(fields.queues, sizeof fields.queues, "Q%d,Q%d", message.agent % 7,
                  10 + message.agent % 5);
    return fields;
}

std::size_t bodyOf(const AgentMessage& message, char* out, std::size_t capacity) {
    const AgentFields fields = fieldsOf(message);
    const int length =
        std::snprintf(out, capacity, "1008,%s,%s,%s,%s,0,0,%s,%s", fields.id, fields.name,
                      fields.mode, fields.extension, fields.extState, fields.queues);
    return length < 0 ? 0 : static_cast<std::size_t>(length);
}

FrameStream framesOf(const std::vector<AgentMessage>& messages) {
    FrameStream stream;
    stream.ends.reserve(messages.size());
    for (const AgentMessage& message : messages) {
        char body[kMaxBody];
        const std::size_t length = bodyOf(message, body, sizeof body);
        unsigned char frame[kFrameHeaderSize + kMaxBody];
        const std::size_t size = buildFrame(body, length, frame, sizeof frame);
        stream.bytes.insert(stream.bytes.end(), frame, frame + size);
        stream.ends.push_back(stream.bytes.size());
    }
    return stream;
}

std::vector<AgentMessage> lastOfEachAgent(const std::vector<AgentMessage>& messages) {
    std::vector<AgentMessage> last(kBoardAgents);
    for (const AgentMessage& message : messages) last[message.agent] = message;
    return last;
}

bool sequenceInName(const char* name, uint32_t& sequence) {
    const char* mark = std::strstr(name, kSequenceMark);
    if (mark == nullptr) return false;
    char* end = nullptr;
    const unsigned long value = std::strtoul(mark + sizeof kSequenceMark - 1, &end, 10);
    if (end == mark + sizeof kSequenceMark - 1 || *end != '\0') return false;
    sequence = static_cast<uint32_t>(value);
    return true;
}

std::vector<AgentMessage> firstReports() {
    std::vector<AgentMessage> messages;
    for (int agent = 0; agent < kBoardAgents; ++agent) {
        messages.push_back({agent, static_cast<uint32_t>(agent), 0});
    }
    return messages;
}

std::vector<AgentMessage> stateChanges(std::size_t count, uint32_t firstSequence) {
    std::mt19937 random(kRandomStart);
    std::vector<int> weights;
    for (const AgentState& state : kStates) weights.push_back(state.weight);
    std::discrete_distribution<int> pickState(weights.begin(), weights.end());
    std::uniform_int_distribution<int> pickAgent(0, kBoardAgents - 1);
    std::vector<AgentMessage> messages(count);
    for (std::size_t index = 0; index < count; ++index) {
        messages[index] = {pickAgent(random), firstSequence + static_cast<uint32_t>(index),
                           static_cast<uint8_t>(pickState(random))};
    }
    return messages;
}
