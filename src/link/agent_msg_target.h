#pragma once

#include <cstdint>

// The hand-over kinds of a posted text.
inline constexpr int32_t AGENTMSG_DATA = 1003;    // a body received from the server
inline constexpr int32_t AGENTMSG_SYSMSG = 1005;  // a report about the link, by the reader

// The main window as the reader thread sees it: something a text can be posted to from
// another thread. The block is a zero-terminated text allocated with new char[]; when the
// post succeeds its ownership passes to the window thread, which delete[]s it after handling.
class AgentMsgTarget {
  public:
    virtual ~AgentMsgTarget() = default;
    // true: posted (the block now belongs to the window); false: not posted (still the caller's).
    virtual bool postAgentMsg(char* block, int32_t kind) = 0;
};
