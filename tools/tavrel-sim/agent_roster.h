#pragma once

#include "settings/fixed_text.h"
#include "tavrel-sim/random_source.h"

// The fixed facts of one made-up agent. The texts hold no commas, and the queue list no
// white space, so that every field survives the board's scan of an agent message.
struct AgentProfile {
    FixedText<31> id;
    FixedText<63> name;
    FixedText<31> extension;
    FixedText<255> queues;  // e.g. "Q100|Q210|Q300"
};

// Makes `count` agents with distinct ids and extensions, drawn from `random`.
void buildRoster(RandomSource& random, AgentProfile* agents, int count);
