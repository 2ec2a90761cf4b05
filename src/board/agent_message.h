#pragma once

#include "settings/fixed_text.h"

// The six text fields of an agent message (code 1008), after the code and its separator:
// id,name,mode,extension,<number>,<number>,extstate,queues
struct AgentMessageFields {
    FixedText<31> agentid;
    FixedText<63> agentname;
    FixedText<15> mode;
    FixedText<31> extension;
    FixedText<15> dnstate;
    FixedText<255> queues;
};

// The scan format composed once at start-up from its template and the six capacities:
// "%31[^,],%63[^,],%15[^,],%31[^,],%*d,%*d,%15[^,],%255s".
struct AgentMessageScan {
    char format[64] = {};

    void compose();
    // true when all six text fields were taken.
    bool scan(const char* text, AgentMessageFields& fields) const;
};
