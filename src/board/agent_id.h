#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "board/agent_record.h"

// Whether two texts name the same agent: equal in their first 31 characters, the capacity of
// an agent id. Both the table and the grid rows are searched with it for every agent message,
// so it stays an inline byte loop: ids differ within their first few characters.
inline bool sameAgentId(const char* a, const char* b) {
    constexpr std::size_t kIdLength = decltype(AgentRecord::agentid)::capacity;
    for (std::size_t i = 0; i < kIdLength; ++i) {
        if (a[i] != b[i]) return false;
        if (a[i] == '\0') return true;
    }
    return true;
}

// The first eight characters of an id packed into a number: equal ids have equal keys, so a
// search compares keys and looks at the characters only where the keys agree.
inline uint64_t agentIdKey(const char* id) {
    uint64_t key = 0;
    std::memcpy(&key, id, strnlen(id, sizeof key));
    return key;
}
