#include "tavrel-sim/sim_server.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "agent_body_layout.h"
#include "loopback_client.h"
#include "support/temp_work_dir.h"

namespace {

// The server loop on its own thread, on a free loopback port; stopped and joined however
// the test ends.
class RunningServer {
  public:
    explicit RunningServer(SimOptions options, std::vector<ReplayLine> replay = {})
        : server_(std::move(options), std::move(replay), stop_) {
        std::string error;
        listening_ = server_.listen(error);
        EXPECT_TRUE(listening_) << error;
        if (listening_) thread_ = std::thread([this] { exitCode_ = server_.serve(); });
    }
    ~RunningServer() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }

    uint16_t port() const { return server_.port(); }
    // Waits for the server to end by itself (connection limit).
    int finish() {
        if (thread_.joinable()) thread_.join();
        return exitCode_;
    }

  private:
    std::atomic<bool> stop_{false};
    SimServer server_;
    bool listening_ = false;
    std::thread thread_;
    int exitCode_ = -1;
};

SimOptions quickTraffic(int agents, int64_t count) {
    SimOptions options;
    options.agents = agents;
    options.count = count;
    options.rate = 0;
    options.connections = 1;
    return options;
}

// Connects, registers and takes everything until the server closes.
std::vector<std::string> sessionBodies(uint16_t port, std::string* rawStream = nullptr) {
    LoopbackClient client(port);
    EXPECT_TRUE(client.connected());
    EXPECT_TRUE(client.sendRegistration());
    std::string stream = client.readToEnd();
    std::vector<std::string> bodies;
    if (rawStream != nullptr) {
        *rawStream = stream;
    } else {
        EXPECT_TRUE(splitFrames(stream, bodies));
    }
    return bodies;
}

// The last agent message per id, in the order the ids first came, as the file lists them.
std::string lastBodiesPerAgent(const std::vector<std::string>& bodies) {
    std::vector<std::string> order;
    std::map<std::string, std::string> last;
    for (const std::string& body : bodies) {
        AgentBodyLayout layout;
        if (!layout.read(body)) continue;
        if (!last.count(layout.id())) order.push_back(layout.id());
        last[layout.id()] = body;
    }
    std::string file;
    for (const std::string& id : order) file += last[id] + "\n";
    return file;
}

// The frames that parse from the start of `stream`, up to the first damaged one.
std::size_t leadingFrames(const std::string& stream) {
    std::vector<std::string> bodies;
    splitFrames(stream, bodies);
    return bodies.size();
}

}  // namespace

TEST(SimServer, AnswersTheRegistrationAsAsked) {
    struct Case {
        const char* answer;
        const char* reply;
        bool traffic;
    };
    for (const Case& c :
         {Case{"ok", "1003,ok", true},
          Case{"failed:licence expired", "1003,failed,licence expired", false},
          Case{"failed:", "1003,failed,", false}, Case{"invalid", "1003,denied", false},
          Case{"invalid:,failed", "1003,failed", false}, Case{"invalid:", "1003", false}}) {
        SCOPED_TRACE(c.answer);
        SimOptions options = quickTraffic(4, 6);
        std::string error;
        const char* arguments[] = {"tavrel-sim", "--register", c.answer};
        ASSERT_EQ(parseOptions(3, arguments, options, error), ParseOutcome::Run);
        RunningServer server(options);
        std::vector<std::string> bodies = sessionBodies(server.port());
        ASSERT_FALSE(bodies.empty());
        EXPECT_EQ(bodies[0], c.reply);
        EXPECT_EQ(bodies.size(), c.traffic ? 7u : 1u);
    }
}

// A wrong registration is refused and leaves the final state of the last registered
// client as it was.
TEST(SimServer, RefusesAWrongRegistrationAndServesTheNextClient) {
    TempWorkDir dir;
    SimOptions options = quickTraffic(3, 3);
    options.connections = 3;
    options.finalStateFile = (dir.path() / "final.txt").string();
    RunningServer server(options);
    std::vector<std::string> served = sessionBodies(server.port());
    ASSERT_EQ(served.size(), 4u);
    EXPECT_EQ(served[0], "1003,ok");
    for (const std::string& registration : {frameOf("1002,3"), std::string("\xFF\xFF"
                                                                           "0003",
                                                                           6)}) {
        LoopbackClient client(server.port());
        ASSERT_TRUE(client.send(registration));
        std::vector<std::string> bodies;
        ASSERT_TRUE(splitFrames(client.readToEnd(), bodies));
        ASSERT_EQ(bodies.size(), 1u);
        EXPECT_EQ(bodies[0].rfind("1003,failed,", 0), 0u) << bodies[0];
    }
    EXPECT_EQ(server.finish(), 0);
    EXPECT_EQ(dir.read("final.txt"), lastBodiesPerAgent(served));
}

// A whole session: the reply, then exactly the asked number of well-formed messages; the
// final-state file holds the last agent message the client got for each agent.
TEST(SimServer, SendsWellFormedTrafficAndRecordsTheFinalState) {
    TempWorkDir dir;
    SimOptions options = quickTraffic(30, 600);
    options.keepAliveChance = 0.05;
    options.finalStateFile = (dir.path() / "final.txt").string();
    RunningServer server(options);
    std::vector<std::string> bodies = sessionBodies(server.port());
    EXPECT_EQ(server.finish(), 0);

    ASSERT_EQ(bodies.size(), 601u);
    EXPECT_EQ(bodies[0], "1003,ok");
    int agentMessages = 0;
    for (std::size_t i = 1; i < bodies.size(); ++i) {
        if (bodies[i].rfind("1005", 0) == 0) continue;
        AgentBodyLayout layout;
        EXPECT_TRUE(layout.read(bodies[i])) << layout.why;
        ++agentMessages;
    }
    EXPECT_GT(agentMessages, 500);
    std::string expected = lastBodiesPerAgent(bodies);
    EXPECT_EQ(std::count(expected.begin(), expected.end(), '\n'), 30);
    EXPECT_EQ(dir.read("final.txt"), expected);
}

TEST(SimServer, SplitFramesReassembleToTheSameBodies) {
    SimOptions plain = quickTraffic(12, 150);
    plain.variant = 21;
    SimOptions split = plain;
    FaultRule rule;
    std::string error;
    ASSERT_TRUE(parseFaultRule("split=2,p=1", rule, error)) << error;
    split.faults.push_back(rule);

    RunningServer plainServer(plain);
    RunningServer splitServer(split);
    std::vector<std::string> expected = sessionBodies(plainServer.port());
    ASSERT_EQ(expected.size(), 151u);
    EXPECT_EQ(sessionBodies(splitServer.port()), expected);
}

// Damage shows where it was asked for, the client gets the rest, and only bodies that went
// out in a good frame count for the final state.
TEST(SimServer, InjectsFaultsIntoTheStream) {
    struct Case {
        const char* fault;
        std::size_t framesBeforeDamage;  // the reply included
        std::size_t finalAgents;
    };
    // Five agents and five messages: each message is the only one of its agent.
    for (const Case& c : {Case{"close,after=3", 4, 3}, Case{"bad-length=00x9,after=2", 3, 4},
                          Case{"bad-marker,after=2", 3, 4}, Case{"garbage=7,after=2", 3, 5}}) {
        SCOPED_TRACE(c.fault);
        TempWorkDir dir;
        SimOptions options = quickTraffic(5, 5);
        options.finalStateFile = (dir.path() / "final.txt").string();
        FaultRule rule;
        std::string error;
        ASSERT_TRUE(parseFaultRule(c.fault, rule, error)) << error;
        options.faults.push_back(rule);
        RunningServer server(options);
        std::string stream;
        sessionBodies(server.port(), &stream);
        server.finish();

        EXPECT_EQ(leadingFrames(stream), c.framesBeforeDamage);
        std::string finalState = dir.read("final.txt");
        EXPECT_EQ(static_cast<std::size_t>(std::count(finalState.begin(), finalState.end(), '\n')),
                  c.finalAgents);
    }
}

TEST(SimServer, OversizedFrameCarriesABodyBeyondTheReceiveBuffer) {
    SimOptions options = quickTraffic(3, 3);
    FaultRule rule;
    std::string error;
    ASSERT_TRUE(parseFaultRule("oversized,after=1", rule, error)) << error;
    options.faults.push_back(rule);
    RunningServer server(options);
    std::vector<std::string> bodies = sessionBodies(server.port());
    ASSERT_EQ(bodies.size(), 5u);
    EXPECT_EQ(bodies[2].size(), kMaxFrameSize - kFrameHeaderSize);
    EXPECT_EQ(bodies[2].rfind("1005", 0), 0u);
    AgentBodyLayout layout;
    EXPECT_TRUE(layout.read(bodies[3])) << layout.why;
}

// With "idle" the connection stays open after the traffic until the client leaves; the
// next client then gets the same traffic from its start.
TEST(SimServer, IdlesAfterTheTrafficAndRestartsItForTheNextClient) {
    SimOptions options = quickTraffic(6, 10);
    options.atEnd = EndOfTraffic::Idle;
    options.connections = 0;
    RunningServer server(options);
    std::vector<std::string> first;
    for (int connection = 0; connection < 2; ++connection) {
        LoopbackClient client(server.port());
        ASSERT_TRUE(client.sendRegistration());
        std::vector<std::string> bodies(11);
        for (std::string& body : bodies) ASSERT_TRUE(client.readFrame(body));
        EXPECT_FALSE(client.closesWithin(std::chrono::milliseconds(300)));
        if (connection == 0) first = bodies;
        EXPECT_EQ(bodies, first);
    }
}

TEST(SimServer, ReplaysBodiesAfterTheirDelays) {
    std::vector<ReplayLine> replay = {{0, "1008,1,Ann Lee,READY,2001,0,0,IDLE,Q100"},
                                      {150, "1008 not, really an agent message"},
                                      {0, "9999,unexpected"}};
    SimOptions options = quickTraffic(1, 0);
    FaultRule silence;
    std::string error;
    ASSERT_TRUE(parseFaultRule("silence=1,after=2", silence, error)) << error;
    options.faults.push_back(silence);
    RunningServer server(options, replay);

    LoopbackClient client(server.port());
    ASSERT_TRUE(client.sendRegistration());
    std::string body;
    ASSERT_TRUE(client.readFrame(body));
    EXPECT_EQ(body, "1003,ok");
    std::vector<std::chrono::steady_clock::time_point> arrivals;
    for (const ReplayLine& line : replay) {
        ASSERT_TRUE(client.readFrame(body));
        arrivals.push_back(std::chrono::steady_clock::now());
        EXPECT_EQ(body, line.body);
    }
    EXPECT_TRUE(client.closesWithin(std::chrono::seconds(5)));
    EXPECT_GE(arrivals[1] - arrivals[0], std::chrono::milliseconds(140));
    EXPECT_GE(arrivals[2] - arrivals[1], std::chrono::milliseconds(950));
}
