#pragma once

#include <cstdint>

#include "settings/fixed_text.h"

// Code of a mode text, compared whole, exactly and case-sensitively.
enum ModeCode : int32_t {
    kModeReady = 0,
    kModeNotReady = 1,
    kModeAcwIb = 2,
    kModeAcwOb = 3,
    kModeOutboundNr = 4,
    kModeInboundNr = 5,
    kModeAux6 = 6,
    kModeAux11 = 11,
    kModeAcd = 12,
    kModeLoggedOut = 13,
    kModeOther = 14,
};

// Code of an extension state text; any text outside the table codes as "unknown".
enum ExtStateCode : int32_t {
    kExtUnknown = 0,
    kExtUnavailable = 1,
    kExtIdle = 2,
    kExtInUse = 3,
    kExtBusy = 4,
    kExtRinging = 5,
    kExtDialing = 6,
    kExtAcdCall = 7,
    kExtHeld = 8,
};

int32_t getModeCode(const char* text);
int32_t getExtStateCode(const char* text);

// One agent as the board knows it. Times are the low 32 bits of seconds since 1970 UTC;
// 0 means not set.
struct AgentRecord {
    int32_t loggedout = 0;
    FixedText<31> agentid;
    FixedText<63> agentname;
    FixedText<15> mode;  // the mode text, or the title of an auxiliary mode
    FixedText<31> extension;
    FixedText<15> dnstate;
    FixedText<255> queues;
    int32_t modecode = 0;
    int32_t extstatecode = 0;
    uint32_t modetime = 0;
    int32_t held = 0;
    uint32_t heldtime = 0;
    int32_t hidden = 0;  // written and read only by the full refresh
};
