#include "link/server_link.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "board/board_rig.h"
#include "link/loopback_connection.h"
#include "link/recording_agent_msg_target.h"
#include "support/temp_work_dir.h"

namespace {

// The host, port and refresh boxes, the four connection controls and timer 59.
class FakeLinkWindow final : public LinkWindow {
  public:
    std::string boxes[3];
    mutable int reads[3] = {};
    bool controlsEnabled = true;
    int32_t timerMilliseconds = 0;  // 0: not running
    int timerStops = 0;

    std::string& box(ConnectBox which) { return boxes[static_cast<int>(which)]; }
    void readBox(ConnectBox which, char* out, std::size_t capacity) const override {
        ++reads[static_cast<int>(which)];
        copyCut(out, capacity, boxes[static_cast<int>(which)].c_str());
    }
    void writeBox(ConnectBox which, const char* text) override { box(which) = text; }
    void setConnectControlsEnabled(bool enabled) override { controlsEnabled = enabled; }
    void startRefreshTimer(int32_t milliseconds) override { timerMilliseconds = milliseconds; }
    void stopRefreshTimer() override {
        timerMilliseconds = 0;
        ++timerStops;
    }
};

struct LinkRig : BoardRig {
    FakeLinkWindow window;
    RecordingAgentMsgTarget mainWindow;
    ServerLink link{settings, window, messages, table, placement, log};

    LinkRig() { settings.mainWindow = &mainWindow; }

    void typeInto(const std::string& host, const std::string& port, const std::string& refresh) {
        window.box(ConnectBox::Host) = host;
        window.box(ConnectBox::Port) = port;
        window.box(ConnectBox::Refresh) = refresh;
    }
    // A good Start against `server`; the accepted peer end is returned.
    int startAgainst(const LoopbackListener& server, const std::string& refresh = "2") {
        typeInto("127.0.0.1", std::to_string(server.port()), refresh);
        link.OnStart();
        return server.acceptPeer();
    }
    int dispatch(const char* text, int32_t kind) {
        char* block = new char[std::strlen(text) + 1];
        std::strcpy(block, text);
        return link.OnAgentMsg(block, kind);
    }
    bool connectionClosed() const {
        return link.readerArgs().socket != nullptr && link.readerArgs().socket->isClosed();
    }
};

int32_t refusedPort() {
    LoopbackListener closedAgain;
    return closedAgain.port();
}

TEST(StartCommand, ChecksTheBoxesInOrder) {
    const std::string longHost(40, 'h');
    const std::string refused = std::to_string(refusedPort());
    const struct {
        const char* name;
        std::string host, port, refresh;
        std::string box;  // the one message box
        std::string hostAfter, portAfter;
        int32_t port_, refreshSeconds;
        int refreshReads;
    } cases[] = {
        {"empty host", "", "5139", "2", "WARNING: host name of Tavrel must be specified", "",
         "5139", 5139, 2, 0},
        {"host cut to 30, empty port", longHost, "", "2",
         "WARNING: TCP port is out of range (1...65535) or empty", longHost.substr(0, 30), "", 0, 2,
         0},
        {"six port digits, empty refresh", "127.0.0.1", "123456", "",
         "WARNING: state duration refresh timer out of range (1...60) or empty", "127.0.0.1",
         "12345", 12345, 0, 1},
        {"leading zeros, refresh 0", "127.0.0.1", "00080", "0",
         "WARNING: state duration refresh timer out of range (1...60) or empty", "127.0.0.1", "80",
         80, 0, 1},
        {"port 65536", "127.0.0.1", "65536", "2",
         "WARNING: TCP port is out of range (1...65535) or empty", "127.0.0.1", "65536", 65536, 2,
         0},
        {"port 0", "127.0.0.1", "0", "2", "WARNING: TCP port is out of range (1...65535) or empty",
         "127.0.0.1", "0", 0, 2, 0},
        {"refresh 61", "127.0.0.1", "5139", "61",
         "WARNING: state duration refresh timer out of range (1...60) or empty", "127.0.0.1",
         "5139", 5139, 61, 1},
        {"four refresh digits cut to three", "127.0.0.1", "5139", "1234",
         "WARNING: state duration refresh timer out of range (1...60) or empty", "127.0.0.1",
         "5139", 5139, 123, 1},
        {"dotted number above 255", "256.1.1.1", "5139", "60",
         "ERROR: getipaddress(256.1.1.1) failed; error[invalid host name or IP address]",
         "256.1.1.1", "5139", 5139, 60, 1},
        {"address 0", "0.0.0.0", "5139", "60",
         "ERROR: connect2server(0.0.0.0:5139) failed; error[invalid host name or IP address]",
         "0.0.0.0", "5139", 5139, 60, 1},
        {"refused connection", "127.0.0.1", refused, "1",
         "ERROR: connect2server(127.0.0.1:" + refused + ") failed; error[connect() function error]",
         "127.0.0.1", refused, std::stoi(refused), 1, 1},
    };
    for (const auto& c : cases) {
        LinkRig rig;
        rig.settings.refreshSeconds = 2;
        rig.typeInto(c.host, c.port, c.refresh);
        rig.link.OnStart();
        EXPECT_EQ(rig.messages.messageBoxes, std::vector<std::string>{c.box}) << c.name;
        EXPECT_TRUE(rig.messages.statusHistory.empty()) << c.name;
        EXPECT_EQ(rig.window.box(ConnectBox::Host), c.hostAfter) << c.name;
        EXPECT_EQ(rig.window.box(ConnectBox::Port), c.portAfter) << c.name;
        EXPECT_EQ(rig.window.box(ConnectBox::Refresh), c.refresh) << c.name;  // never rewritten
        EXPECT_EQ(rig.settings.port, c.port_) << c.name;
        EXPECT_EQ(rig.settings.refreshSeconds, c.refreshSeconds) << c.name;
        EXPECT_EQ(rig.window.reads[static_cast<int>(ConnectBox::Refresh)], c.refreshReads)
            << c.name;
        EXPECT_TRUE(rig.window.controlsEnabled) << c.name;
        EXPECT_EQ(rig.window.timerMilliseconds, 0) << c.name;
    }
}

TEST(StartCommand, GoodStartRegistersDisablesControlsAndStartsTheTimer) {
    LinkRig rig;
    LoopbackListener server;
    rig.typeInto("127.0.0.1", std::to_string(refusedPort()), "4");
    rig.link.OnStart();  // fails: everything stays open for a second press
    ASSERT_TRUE(rig.window.controlsEnabled);
    ASSERT_EQ(rig.messages.messageBoxes.size(), 1u);

    int peer = rig.startAgainst(server, "4");
    ASSERT_GE(peer, 0);
    char registration[12];
    timeval patience{5, 0};
    setsockopt(peer, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
    ASSERT_EQ(recv(peer, registration, sizeof registration, MSG_WAITALL), 12);
    EXPECT_EQ(std::memcmp(registration, kRegistrationFrame, 12), 0);
    EXPECT_FALSE(rig.window.controlsEnabled);
    EXPECT_EQ(rig.window.timerMilliseconds, 4000);
    EXPECT_EQ(rig.messages.messageBoxes.size(), 1u);
    EXPECT_TRUE(rig.messages.statusHistory.empty());  // the reply writes it

    sendText(peer, frame("1003,ok"));  // the reader hands the reply to the main window
    ASSERT_TRUE(rig.mainWindow.waitForPosts(1));
    EXPECT_EQ(rig.mainWindow.posts()[0].text, "1003,ok");
    close(peer);
}

TEST(StartCommand, ExitAndProgramEndLeaveTheReaderQuiet) {
    RecordingAgentMsgTarget mainWindow;
    LoopbackListener server;
    auto rig = std::make_unique<LinkRig>();
    rig->settings.mainWindow = &mainWindow;
    int peer = rig->startAgainst(server);
    ASSERT_FALSE(rig->window.controlsEnabled);
    rig->link.closeForExit();
    EXPECT_TRUE(rig->connectionClosed());
    // A reader that went on reporting would have posted its first report by now.
    EXPECT_FALSE(mainWindow.waitForPosts(1, std::chrono::milliseconds(300)));
    rig.reset();  // waits for the reader to end
    EXPECT_TRUE(mainWindow.posts().empty());
    close(peer);
}

TEST(MessageDispatch, SystemMessagesRegistrationRepliesAndOtherCodes) {
    const std::string fatal = "Fatal error, connection closed; reset required\n[";
    const struct {
        const char* text;
        int32_t kind;
        const char* status;  // nullptr: the status line is not touched
        const char* box;     // nullptr: no message box
        bool closes;
    } cases[] = {
        {"1003,ok", AGENTMSG_DATA, "Registration to server succeeded", nullptr, false},
        {"1003,ok,and more", AGENTMSG_DATA, "Registration to server succeeded", nullptr, false},
        {"1003,failed,", AGENTMSG_DATA, "Registration failed []; please check error and restart",
         "Registration failed []; please check error and restart", true},
        {"1003,failed,busy", AGENTMSG_DATA,
         "Registration failed [busy]; please check error and restart",
         "Registration failed [busy]; please check error and restart", true},
        {"1003,failed", AGENTMSG_DATA,
         "Invalid registration reply [,failed]; please check error and restart",
         "Invalid registration reply [,failed]; please check error and restart", true},
        {"1003", AGENTMSG_DATA, "Invalid registration reply []; please check error and restart",
         "Invalid registration reply []; please check error and restart", true},
        {"**SYSMSG**ERROR-socket connection is closed/broken", AGENTMSG_SYSMSG,
         "-socket connection is closed/broken", "-socket connection is closed/broken]", true},
        {"**SYSMSG**ERRORwithout hyphen", AGENTMSG_SYSMSG, "without hyphen", "without hyphen]",
         true},
        {"**SYSMSG**WARNING-socket read error [x]", AGENTMSG_SYSMSG,
         "WARNING-socket read error [x]", nullptr, false},
        {"1003,ok", AGENTMSG_SYSMSG, "Registration to server succeeded", nullptr, false},
        {"9999,hello", AGENTMSG_DATA, "WARNING: unexpected msg - 9999,hello", nullptr, false},
        {"**SYSMSG**ERROR-x", AGENTMSG_DATA, "WARNING: unexpected msg - **SYSMSG**ERROR-x", nullptr,
         false},
        {"1005,anything", AGENTMSG_DATA, nullptr, nullptr, false},
        {"1003,ok", 1004, nullptr, nullptr, false},
        {"**SYSMSG**ERROR-x", 1004, nullptr, nullptr, false},
    };
    for (const auto& c : cases) {
        LinkRig rig;
        LoopbackListener server;
        int peer = rig.startAgainst(server);
        ASSERT_TRUE(rig.link.readerArgs().socket != nullptr) << c.text;
        EXPECT_EQ(rig.dispatch(c.text, c.kind), 0) << c.text;
        std::vector<std::string> statuses, boxes;
        if (c.status != nullptr) statuses.push_back(c.status);
        if (c.box != nullptr) {
            boxes.push_back(c.kind == AGENTMSG_SYSMSG && std::strncmp(c.text, "**SYSMSG**", 10) == 0
                                ? fatal + c.box
                                : std::string(c.box));
        }
        EXPECT_EQ(rig.messages.statusHistory, statuses) << c.text;
        EXPECT_EQ(rig.messages.messageBoxes, boxes) << c.text;
        EXPECT_EQ(rig.connectionClosed(), c.closes) << c.text;
        bool fatalReport = c.kind == AGENTMSG_SYSMSG && c.box != nullptr;
        EXPECT_EQ(rig.window.timerStops, fatalReport ? 1 : 0) << c.text;
        EXPECT_EQ(rig.window.timerMilliseconds, fatalReport ? 0 : 2000) << c.text;
        close(peer);
    }
}

TEST(MessageDispatch, NoBlockOrNoConnectionIsHarmless) {
    LinkRig rig;
    EXPECT_EQ(rig.link.OnAgentMsg(nullptr, AGENTMSG_DATA), 0);
    EXPECT_EQ(rig.dispatch("**SYSMSG**ERROR-socket connection is closed/broken", AGENTMSG_SYSMSG),
              0);
    EXPECT_EQ(rig.messages.messageBoxes.size(), 1u);
    EXPECT_EQ(rig.window.timerStops, 1);
    rig.link.closeForExit();  // no socket stored: nothing to close
}

TEST(MessageDispatch, AgentMessagesReachTheTableAndTheGrid) {
    TempWorkDir dir;
    LinkRig rig;
    rig.settings.debug = 1;
    rig.dispatch(("1008," + BoardRig::body("a1", "READY")).c_str(), AGENTMSG_DATA);
    rig.dispatch(("1008;" + BoardRig::body("b2", "ACD")).c_str(), AGENTMSG_DATA);
    rig.dispatch("1008,bad", AGENTMSG_DATA);
    rig.dispatch("1005", AGENTMSG_DATA);
    ASSERT_EQ(rig.table.count(), 2);
    EXPECT_EQ(rig.placement.rowcount(), 3);
    EXPECT_EQ(rig.grid.text(1, 0), "a1");
    EXPECT_EQ(rig.grid.text(2, 0), "b2");

    char name[32];
    DebugLog::fileName(rig.clock.local, name);
    const std::string logged = dir.read(name);
    EXPECT_NE(logged.find("1008,a1,Name a1,READY"), std::string::npos);
    EXPECT_NE(logged.find("DEBUG: aTbl[0], agentid=(a1), mode=(READY), dnstate=(IDLE)"),
              std::string::npos);
    EXPECT_NE(logged.find("DEBUG: aTbl[1], agentid=(b2), mode=(ACD), dnstate=(IDLE)"),
              std::string::npos);
    EXPECT_NE(logged.find(" 1008,bad\n"), std::string::npos);
    EXPECT_EQ(logged.find("DEBUG: aTbl[2]"), std::string::npos);  // the rejected one
    EXPECT_NE(logged.find(" 1005\n"), std::string::npos);
}

TEST(MessageDispatch, ShortAgentMessageIsRejectedWithoutReadingPastIt) {
    for (const char* text : {"1008", "1008,", "10081"}) {
        LinkRig rig;
        rig.dispatch(text, AGENTMSG_DATA);
        EXPECT_EQ(rig.table.count(), 0) << text;
        EXPECT_EQ(rig.messages.statusLine, "Invalid agentmsg format: ") << text;
    }
}

}  // namespace
