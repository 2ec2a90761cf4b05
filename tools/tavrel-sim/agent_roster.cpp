#include "tavrel-sim/agent_roster.h"

#include <cstdio>
#include <iterator>

namespace {

constexpr const char* kFirstNames[] = {
    "Maria", "Jonas",   "Aylin",  "Pieter",  "Sofia",   "Liam",   "Noor",   "Mateo",
    "Chloe", "Kwame",   "Ingrid", "Ravi",    "Elena",   "Tomasz", "Hana",   "Lucas",
    "Amara", "Oskar",   "Yuki",   "Fatima",  "Gabriel", "Freya",  "Dmitri", "Leila",
    "Marco", "Siobhan", "Arjun",  "Beatriz", "Emil",    "Zanele"};

constexpr const char* kLastNames[] = {
    "Keller",  "Novak",  "Yilmaz", "de Vries",  "Rossi",   "O'Brien",  "Haddad", "Garcia",
    "Martin",  "Mensah", "Larsen", "Sharma",    "Popescu", "Kowalski", "Sato",   "Silva",
    "Okafor",  "Berg",   "Tanaka", "El Amrani", "Dubois",  "Nilsson",  "Ivanov", "Farahani",
    "Bianchi", "Byrne",  "Patel",  "Costa",     "Lund",    "Dlamini"};

// Queue names are the substrings a supervisor types into the queue filter.
constexpr const char* kQueues[] = {"Q100", "Q110", "Q200", "Q210", "Q300", "Q310",
                                   "Q400", "Q500", "Q510", "Q600", "Q700", "Q800"};
constexpr uint32_t kQueueCount = std::size(kQueues);

template <std::size_t N>
const char* pick(RandomSource& random, const char* const (&names)[N]) {
    return names[random.below(N)];
}

void makeName(RandomSource& random, AgentProfile& agent) {
    char name[64];
    // Now and then a double-barrelled name, to get long names into the grid.
    if (random.below(20) == 0) {
        std::snprintf(name, sizeof name, "%s %s-%s", pick(random, kFirstNames),
                      pick(random, kLastNames), pick(random, kLastNames));
    } else {
        std::snprintf(name, sizeof name, "%s %s", pick(random, kFirstNames),
                      pick(random, kLastNames));
    }
    agent.name.assign(name);
}

void makeQueues(RandomSource& random, AgentProfile& agent) {
    bool taken[kQueueCount] = {};
    uint32_t wanted = 1 + random.below(4);
    for (uint32_t n = 0; n < wanted; ++n) taken[random.below(kQueueCount)] = true;
    char list[256] = {};
    std::size_t used = 0;
    for (uint32_t q = 0; q < kQueueCount; ++q) {
        if (!taken[q]) continue;
        int written = std::snprintf(list + used, sizeof list - used, "%s%s", used == 0 ? "" : "|",
                                    kQueues[q]);
        used += static_cast<std::size_t>(written);
    }
    agent.queues.assign(list);
}

}  // namespace

void buildRoster(RandomSource& random, AgentProfile* agents, int count) {
    // Consecutive numbers from a random start keep the ids distinct; so do the extensions.
    uint32_t firstId = 10000 + random.below(80000);
    uint32_t firstExtension = 2000 + 1000 * random.below(7);
    char text[32];
    for (int i = 0; i < count; ++i) {
        AgentProfile& agent = agents[i];
        std::snprintf(text, sizeof text, "%u", firstId + static_cast<uint32_t>(i));
        agent.id.assign(text);
        std::snprintf(text, sizeof text, "%u", firstExtension + static_cast<uint32_t>(i));
        agent.extension.assign(text);
        makeName(random, agent);
        makeQueues(random, agent);
    }
}
