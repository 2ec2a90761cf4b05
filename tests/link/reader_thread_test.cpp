#include "link/reader_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "link/loopback_connection.h"
#include "link/recording_agent_msg_target.h"
#include "link/wire_protocol.h"

namespace {

using namespace std::chrono_literals;
using Post = RecordingAgentMsgTarget::Post;

const std::string kBadHeader = "XX0007";  // refused with 18, exactly six bytes taken

Post data(const std::string& text, bool accepted = true) {
    return {AGENTMSG_DATA, text, accepted};
}
Post sys(const std::string& text, bool accepted = true) {
    return {AGENTMSG_SYSMSG, text, accepted};
}
Post readError(const std::string& statusText) {
    return sys("**SYSMSG**WARNING-socket read error [" + statusText + "]");
}

void appendClosedPairs(std::vector<Post>& posts, const std::string& statusText) {
    for (int i = 0; i < 4; ++i) {
        posts.push_back(sys("**SYSMSG**ERROR-socket connection is closed/broken"));
        posts.push_back(readError(statusText));
    }
}

void appendEnd(std::vector<Post>& posts) {
    posts.push_back(sys("**SYSMSG**ERROR-too many socket read errors"));
    posts.push_back(sys("**SYSMSG**ERROR-threadReadSocketData is terminated"));
}

// A reader on a loopback connection, posting to a recording window.
struct ReaderRig {
    explicit ReaderRig(int refusals = 0) : window(refusals) {
        settings.mainWindow = &window;
        args.socket = link.socket;
        args.readTimeoutSeconds = 1;
        args.settings = &settings;
    }
    ~ReaderRig() {
        if (link.socket) link.socket->abandon();  // a failing test still ends the reader
    }
    void start() { ASSERT_EQ(reader.start_thread(threadReadSocketData, args), 0); }

    RecordingAgentMsgTarget window;
    BoardSettings settings;
    LoopbackConnection link;
    ReaderThreadArgs args;
    ReaderThread reader;
};

TEST(ReaderThread, HandsOverBodiesThenReportsTheServerClose) {
    ReaderRig rig;
    rig.link.send(frame("1003,ok") + frame(std::string("1008,a\0tail", 11)));
    rig.link.closePeer();
    rig.start();
    rig.reader.join();
    std::vector<Post> expected = {data("1003,ok"), data("1008,a")};
    appendClosedPairs(expected, "socket disconnection detected");
    appendEnd(expected);
    EXPECT_EQ(rig.window.posts(), expected);
}

TEST(ReaderThread, WindowCloseEndsItWithConnectionAlreadyClosed) {
    ReaderRig rig;
    rig.start();
    rig.link.send(frame("1008,x"));
    ASSERT_TRUE(rig.window.waitForPosts(1));
    rig.link.socket->close();
    rig.reader.join();
    std::vector<Post> expected = {data("1008,x")};
    appendClosedPairs(expected, "connection already closed");
    appendEnd(expected);
    EXPECT_EQ(rig.window.posts(), expected);
}

TEST(ReaderThread, TimeOutsNeitherCountNorReset) {
    ReaderRig rig;
    rig.start();
    rig.link.send(kBadHeader + kBadHeader);
    ASSERT_TRUE(rig.window.waitForPosts(2));
    std::this_thread::sleep_for(1500ms);  // at least one time-out of the 1 s read
    rig.link.send(kBadHeader + kBadHeader);
    ASSERT_TRUE(rig.window.waitForPosts(6));
    rig.reader.join();
    std::vector<Post> expected(4, readError("invalid read msg address header/size"));
    appendEnd(expected);
    EXPECT_EQ(rig.window.posts(), expected);
}

TEST(ReaderThread, HandedOverBodyResetsTheErrorCount) {
    ReaderRig rig;
    std::string stream;
    for (const char* body : {"one", "two"}) {
        stream += kBadHeader + kBadHeader +
                  std::string(
                      "\xFF\xFF"
                      "0006") +
                  frame(body);
    }
    rig.link.send(stream);
    rig.link.closePeer();
    rig.start();
    rig.reader.join();
    std::vector<Post> expected;
    for (const char* body : {"one", "two"}) {
        expected.push_back(readError("invalid read msg address header/size"));
        expected.push_back(readError("invalid read msg address header/size"));
        expected.push_back(readError("invalid message size received"));
        expected.push_back(data(body));
    }
    appendClosedPairs(expected, "socket disconnection detected");
    appendEnd(expected);
    EXPECT_EQ(rig.window.posts(), expected);
}

TEST(ReaderThread, WindowThatTakesNoPosts) {
    {  // every body takes three tries and counts one error; four end the thread
        ReaderRig rig(RecordingAgentMsgTarget::kRefuseAll);
        rig.link.send(frame("a") + frame("b") + frame("c") + frame("d") + frame("e"));
        rig.start();
        rig.reader.join();
        std::vector<Post> expected;
        for (const char* body : {"a", "b", "c", "d"})
            expected.insert(expected.end(), 3, data(body, false));
        expected.insert(expected.end(), 3,
                        sys("**SYSMSG**ERROR-too many socket read errors", false));
        expected.insert(expected.end(), 3,
                        sys("**SYSMSG**ERROR-threadReadSocketData is terminated", false));
        EXPECT_EQ(rig.window.posts(), expected);
    }
    {  // a "closed" report that cannot be handed over ends the thread at once
        ReaderRig rig(RecordingAgentMsgTarget::kRefuseAll);
        rig.link.closePeer();
        rig.start();
        rig.reader.join();
        std::vector<Post> expected(
            3, sys("**SYSMSG**ERROR-socket connection is closed/broken", false));
        expected.insert(expected.end(), 3,
                        sys("**SYSMSG**ERROR-threadReadSocketData is terminated", false));
        EXPECT_EQ(rig.window.posts(), expected);
    }
}

TEST(ReaderThread, AbandonedConnectionEndsItWithoutReports) {
    ReaderRig rig;
    rig.start();
    rig.link.socket->abandon();
    rig.reader.join();
    EXPECT_TRUE(rig.window.posts().empty());
}

TEST(ReaderThread, NoSocketEndsAtOnceWithoutPosts) {
    RecordingAgentMsgTarget window;
    BoardSettings settings;
    settings.mainWindow = &window;
    ReaderThreadArgs args;
    args.settings = &settings;
    threadReadSocketData(&args);
    threadReadSocketData(nullptr);
    EXPECT_TRUE(window.posts().empty());
}

TEST(PostSocketMsg, ThreeTriesThenTheBlockIsFreed) {
    const struct {
        int refusals;
        bool haveWindow;
        int result;
        std::size_t attempts;
    } cases[] = {
        {0, true, 0, 1},
        {2, true, 0, 3},
        {3, true, 2, 3},
        {0, false, 2, 0},
    };
    for (const auto& c : cases) {
        RecordingAgentMsgTarget window(c.refusals);
        BoardSettings settings;
        settings.mainWindow = c.haveWindow ? &window : nullptr;
        EXPECT_EQ(postSocketMsg(settings, "1008,x", 7, AGENTMSG_DATA), c.result) << c.refusals;
        std::vector<Post> posts = window.posts();
        ASSERT_EQ(posts.size(), c.attempts) << c.refusals;
        if (!posts.empty()) {
            EXPECT_EQ(posts.back(), data("1008,x", c.result == 0));
        }
    }
}

std::atomic<int> finishedRuns{0};
std::atomic<long> referencesSeen[2];
std::atomic<int32_t> timeoutSeen{0};

void recordRun(ReaderThreadArgs* args) {
    std::this_thread::sleep_for(200ms);  // meanwhile the window drops its own reference
    int run = finishedRuns;
    referencesSeen[run] = args->socket.use_count();
    timeoutSeen = args->readTimeoutSeconds;
    ++finishedRuns;
}

TEST(StartThread, RunsWithItsOwnCopyAndJoinsThePreviousReader) {
    LoopbackConnection link;
    ReaderThreadArgs args;
    args.socket = link.socket;
    args.readTimeoutSeconds = 7;
    ReaderThread reader;
    finishedRuns = 0;
    ASSERT_EQ(reader.start_thread(recordRun, args), ReaderThread::kStarted);
    args.socket.reset();
    ASSERT_EQ(reader.start_thread(recordRun, args), ReaderThread::kStarted);
    EXPECT_EQ(finishedRuns, 1);  // the first reader ended before the second began
    reader.join();
    EXPECT_EQ(finishedRuns, 2);
    EXPECT_EQ(referencesSeen[0], 2);  // the test's and the reader's own
    EXPECT_EQ(referencesSeen[1], 0);
    EXPECT_EQ(timeoutSeen, 7);
}

}  // namespace
