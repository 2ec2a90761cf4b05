#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Agent messages whose agent name carries the message's sequence number ("Agent 17 #1234"),
// so the grid itself tells which message a row was last drawn from.

inline constexpr int kBoardAgents = 400;

// One agent message: which agent, its sequence number and its state (an index into the
// state mix below).
struct AgentMessage {
    int agent = 0;
    uint32_t sequence = 0;
    uint8_t state = 0;
};

// The texts of a message's fields, as the grid shows them (the mode before its title is
// looked up).
struct AgentFields {
    char id[16];
    char name[48];
    const char* mode;
    char extension[16];
    const char* extState;
    char queues[24];
};

AgentFields fieldsOf(const AgentMessage& message);

// The message's 1008 body; returns its length.
std::size_t bodyOf(const AgentMessage& message, char* out, std::size_t capacity);

// The frames of a list of messages, back to back, and where each one ends.
struct FrameStream {
    std::vector<unsigned char> bytes;
    std::vector<std::size_t> ends;
};
FrameStream framesOf(const std::vector<AgentMessage>& messages);

// The last message of each agent in `messages`, indexed by agent.
std::vector<AgentMessage> lastOfEachAgent(const std::vector<AgentMessage>& messages);

// The sequence number in an agent name written by fieldsOf; false for any other text.
bool sequenceInName(const char* name, uint32_t& sequence);

// Every agent once, in agent order, with sequence numbers 0 .. kBoardAgents - 1.
std::vector<AgentMessage> firstReports();

// `count` state changes of agents picked at random, in a call centre's mix of states,
// numbered on from `firstSequence`. The same call gives the same messages.
std::vector<AgentMessage> stateChanges(std::size_t count, uint32_t firstSequence);
