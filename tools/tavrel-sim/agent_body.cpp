#include "tavrel-sim/agent_body.h"

#include <cstdio>
#include <cstring>

#include "link/wire_protocol.h"

bool readAgentMessageId(const char* body, char (&id)[kAgentIdCapacity + 1]) {
    // The fields start after the four code digits and the separator.
    constexpr std::size_t kFieldsStart = 5;
    if (!hasCode(body, kCodeAgentMessage) || std::strlen(body) < kFieldsStart) return false;
    char name[64], mode[16], extension[32], extState[16], queues[256];
    int taken =
        std::sscanf(body + kFieldsStart, "%31[^,],%63[^,],%15[^,],%31[^,],%*d,%*d,%15[^,],%255s",
                    id, name, mode, extension, extState, queues);
    return taken == 6;
}
