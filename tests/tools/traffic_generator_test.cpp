#include "tavrel-sim/traffic_generator.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "agent_body_layout.h"
#include "tavrel-sim/agent_body.h"

namespace {

std::vector<std::string> generate(const TrafficSettings& settings, int count) {
    TrafficGenerator generator(settings);
    std::vector<std::string> bodies;
    OutgoingBody body;
    for (int i = 0; i < count; ++i) {
        EXPECT_TRUE(generator.next(body));
        EXPECT_EQ(body.length, std::string(body.text).size());
        bodies.emplace_back(body.text, body.length);
    }
    return bodies;
}

TrafficSettings settingsFor(int agents, uint64_t variant) {
    TrafficSettings settings;
    settings.agents = agents;
    settings.variant = variant;
    settings.keepAliveChance = 0.02;
    settings.unknownModeChance = 0.02;
    return settings;
}

const std::set<std::string> kBoardModes = {
    "READY", "NOTREADY", "ACWIB", "ACWOB", "OUTBOUND-NR", "INBOUND-NR", "AUX6",
    "AUX7",  "AUX8",     "AUX9",  "AUX10", "AUX11",       "ACD",        "LOGGEDOUT"};
const std::set<std::string> kExtStates = {"unknown", "UNAVAILABLE", "IDLE",    "INUSE", "BUSY",
                                          "RINGING", "DIALING",     "ACDCALL", "HELD"};

}  // namespace

// Every body is either a 1005 or an agent message that keeps to the layout and the board's
// capacities, that the board's own scan takes, and whose extension state fits its mode.
TEST(TrafficGenerator, SendsOnlyWellFormedPlausibleMessages) {
    for (int agents : {1, 40, 450}) {
        for (uint64_t variant : {1u, 977u}) {
            SCOPED_TRACE("agents " + std::to_string(agents) + " variant " +
                         std::to_string(variant));
            for (const std::string& body : generate(settingsFor(agents, variant), 4000)) {
                if (body.rfind("1005", 0) == 0) continue;
                AgentBodyLayout layout;
                ASSERT_TRUE(layout.read(body)) << layout.why;
                char id[kAgentIdCapacity + 1];
                ASSERT_TRUE(readAgentMessageId(body.c_str(), id)) << body;
                EXPECT_EQ(layout.id(), id);
                EXPECT_TRUE(kExtStates.count(layout.extState())) << body;
                if (layout.mode() == "ACD") {
                    EXPECT_TRUE(layout.extState() == "ACDCALL" || layout.extState() == "HELD")
                        << body;
                }
                if (layout.mode() == "LOGGEDOUT") {
                    EXPECT_TRUE(layout.extState() == "unknown" ||
                                layout.extState() == "UNAVAILABLE")
                        << body;
                }
            }
        }
    }
}

// The first message of each agent comes first, in roster order; no id appears later that
// was not among them, and agents keep their name, extension and queues.
TEST(TrafficGenerator, ReportsEveryAgentOnceBeforeAnyChange) {
    const int agents = 450;
    std::vector<std::string> bodies = generate(settingsFor(agents, 5), 3000);
    std::map<std::string, std::vector<std::string>> firstSeen;
    for (int i = 0; i < agents; ++i) {
        AgentBodyLayout layout;
        ASSERT_TRUE(layout.read(bodies[static_cast<std::size_t>(i)])) << layout.why;
        EXPECT_TRUE(firstSeen.emplace(layout.id(), layout.fields).second) << layout.id();
    }
    ASSERT_EQ(firstSeen.size(), static_cast<std::size_t>(agents));
    for (std::size_t i = agents; i < bodies.size(); ++i) {
        AgentBodyLayout layout;
        if (!layout.read(bodies[i])) continue;
        auto known = firstSeen.find(layout.id());
        ASSERT_NE(known, firstSeen.end()) << bodies[i];
        EXPECT_EQ(layout.fields[1], known->second[1]);
        EXPECT_EQ(layout.fields[3], known->second[3]);
        EXPECT_EQ(layout.fields[7], known->second[7]);
    }
}

// A long run shows every mode and extension state the board knows, unknown modes, 1005
// messages, and calls that go on hold and stay there over more than one message.
TEST(TrafficGenerator, LongRunCoversEveryModeAndState) {
    std::set<std::string> modes, extStates;
    int unknownModes = 0, keepAlives = 0, repeatedHolds = 0;
    std::map<std::string, std::string> lastState;
    for (const std::string& body : generate(settingsFor(450, 11), 30000)) {
        if (body.rfind("1005", 0) == 0) {
            ++keepAlives;
            continue;
        }
        AgentBodyLayout layout;
        ASSERT_TRUE(layout.read(body)) << layout.why;
        if (kBoardModes.count(layout.mode())) {
            modes.insert(layout.mode());
        } else {
            ++unknownModes;
        }
        extStates.insert(layout.extState());
        std::string state = layout.mode() + "/" + layout.extState();
        if (state == "ACD/HELD" && lastState[layout.id()] == state) ++repeatedHolds;
        lastState[layout.id()] = state;
    }
    EXPECT_EQ(modes, kBoardModes);
    EXPECT_EQ(extStates, kExtStates);
    EXPECT_GT(unknownModes, 0);
    EXPECT_GT(keepAlives, 0);
    EXPECT_GT(repeatedHolds, 0);
}

TEST(TrafficGenerator, SameVariantRepeatsTrafficAndAnotherChangesIt) {
    EXPECT_EQ(generate(settingsFor(60, 42), 2000), generate(settingsFor(60, 42), 2000));
    EXPECT_NE(generate(settingsFor(60, 42), 2000), generate(settingsFor(60, 43), 2000));
}

TEST(TrafficGenerator, PacesMessagesByTheRate) {
    OutgoingBody body;
    TrafficSettings settings = settingsFor(3, 1);
    settings.rate = 50;
    ASSERT_TRUE(TrafficGenerator(settings).next(body));
    EXPECT_EQ(body.delay, std::chrono::milliseconds(20));
    settings.rate = 0;
    ASSERT_TRUE(TrafficGenerator(settings).next(body));
    EXPECT_EQ(body.delay.count(), 0);
}
