#include "board/agent_record.h"

#include <cstring>
#include <span>

namespace {
// Indexed by code.
constexpr const char* kModeNames[] = {
    "READY", "NOTREADY", "ACWIB", "ACWOB", "OUTBOUND-NR", "INBOUND-NR", "AUX6",
    "AUX7",  "AUX8",     "AUX9",  "AUX10", "AUX11",       "ACD",        "LOGGEDOUT",
};
constexpr const char* kExtStateNames[] = {
    "unknown", "UNAVAILABLE", "IDLE", "INUSE", "BUSY", "RINGING", "DIALING", "ACDCALL", "HELD",
};

int32_t codeOf(const char* text, std::span<const char* const> names, int32_t otherCode) {
    if (text == nullptr) return otherCode;
    for (std::size_t code = 0; code < names.size(); ++code) {
        if (std::strcmp(text, names[code]) == 0) return static_cast<int32_t>(code);
    }
    return otherCode;
}
}  // namespace

static_assert(std::size(kModeNames) == kModeOther);
static_assert(std::size(kExtStateNames) == kExtHeld + 1);

int32_t getModeCode(const char* text) {
    return codeOf(text, kModeNames, kModeOther);
}

int32_t getExtStateCode(const char* text) {
    return codeOf(text, kExtStateNames, kExtUnknown);
}
