#include "app/command_line.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "support/recording_message_sink.h"

namespace {

const std::string kTimerMessage = "State duration timer must be 1...60\nReset to 2";

struct Outcome {
    std::string host = "10.77.0.15";
    int32_t port = 5139;
    int32_t refreshSeconds = 2;
    int32_t debug = 0;
    int32_t colors = 0;
    bool restore = false;
    int timerMessages = 0;

    bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& o, std::ostream* out) {
    *out << "host=" << o.host << " port=" << o.port << " refresh=" << o.refreshSeconds
         << " debug=" << o.debug << " colors=" << o.colors << " restore=" << o.restore
         << " timerMessages=" << o.timerMessages;
}

// Runs the reader on settings that hold the start-up defaults, as the window's
// initialisation has them when it reads the command line.
Outcome read(std::vector<const char*> arguments, const char* programName = "brevix") {
    arguments.insert(arguments.begin(), programName);
    BoardSettings settings;
    settings.host.assign("10.77.0.15");
    RecordingMessageSink messages;
    Outcome outcome;
    outcome.restore =
        readCommandLine(static_cast<int>(arguments.size()), arguments.data(), settings, messages);
    outcome.host = settings.host.c_str();
    outcome.port = settings.port;
    outcome.refreshSeconds = settings.refreshSeconds;
    outcome.debug = settings.debug;
    outcome.colors = settings.colors;
    for (const std::string& text : messages.messageBoxes) {
        EXPECT_EQ(text, kTimerMessage);
        ++outcome.timerMessages;
    }
    EXPECT_TRUE(messages.statusHistory.empty());
    EXPECT_TRUE(messages.questions.empty());
    return outcome;
}

struct Case {
    std::vector<const char*> arguments;
    Outcome expected;
};

void expectAll(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        std::string trace;
        for (const char* argument : c.arguments) trace += std::string(argument) + " ";
        SCOPED_TRACE(trace);
        EXPECT_EQ(read(c.arguments), c.expected);
    }
}

Outcome with(auto change) {
    Outcome outcome;
    change(outcome);
    return outcome;
}

TEST(CommandLine, NoArgumentsKeepTheDefaultsAndTheProgramNameIsNotASwitch) {
    EXPECT_EQ(read({}), Outcome{});
    EXPECT_EQ(read({}, "-debug"), Outcome{});
}

TEST(CommandLine, HostTakesTheRestOfTheArgumentCutAt31) {
    const std::string forty(40, 'h');
    const std::string fortyArgument = "-host" + forty;
    expectAll({
        {{"-host127.0.0.1"}, with([](Outcome& o) { o.host = "127.0.0.1"; })},
        {{"-host"}, with([](Outcome& o) { o.host = ""; })},
        {{"-hostname.example"}, with([](Outcome& o) { o.host = "name.example"; })},
        {{fortyArgument.c_str()}, with([&](Outcome& o) { o.host = forty.substr(0, 31); })},
        {{"-host 127.0.0.1"}, with([](Outcome& o) { o.host = " 127.0.0.1"; })},
    });
}

TEST(CommandLine, PortIsReadAsADecimalWithoutRangeCheck) {
    expectAll({
        {{"-port6001"}, with([](Outcome& o) { o.port = 6001; })},
        {{"-port70000"}, with([](Outcome& o) { o.port = 70000; })},
        {{"-portabc"}, with([](Outcome& o) { o.port = 0; })},
        {{"-port"}, with([](Outcome& o) { o.port = 0; })},
        {{"-port-5"}, with([](Outcome& o) { o.port = -5; })},
        {{"-port  +42x"}, with([](Outcome& o) { o.port = 42; })},
        {{"-port99999999999"}, with([](Outcome& o) { o.port = INT32_MAX; })},
    });
}

TEST(CommandLine, TimerOutside1To60IsReportedOncePerArgumentAndReset) {
    expectAll({
        {{"-timer1"}, with([](Outcome& o) { o.refreshSeconds = 1; })},
        {{"-timer60"}, with([](Outcome& o) { o.refreshSeconds = 60; })},
        {{"-timer5x"}, with([](Outcome& o) { o.refreshSeconds = 5; })},
        {{"-timer0"}, with([](Outcome& o) { o.timerMessages = 1; })},
        {{"-timer61"}, with([](Outcome& o) { o.timerMessages = 1; })},
        {{"-timerabc"}, with([](Outcome& o) { o.timerMessages = 1; })},
        {{"-timer"}, with([](Outcome& o) { o.timerMessages = 1; })},
        {{"-timer-3"}, with([](Outcome& o) { o.timerMessages = 1; })},
        {{"-timer99999999999"}, with([](Outcome& o) { o.timerMessages = 1; })},
        {{"-timer0", "-timer61", "-timer9"}, with([](Outcome& o) {
             o.refreshSeconds = 9;
             o.timerMessages = 2;
         })},
    });
}

TEST(CommandLine, FlagSwitchesMustBeTheWholeArgument) {
    expectAll({
        {{"-debug"}, with([](Outcome& o) { o.debug = 1; })},
        {{"-colors"}, with([](Outcome& o) { o.colors = 1; })},
        {{"-restore"}, with([](Outcome& o) { o.restore = true; })},
        {{"-debugx", "-DEBUG", "-colors1", "-Colors", "-restore ", "-RESTORE", "debug"}, Outcome{}},
        {{"-Host1.2.3.4", "-PORT1", "-Timer0", "host1.2.3.4", "--host1.2.3.4"}, Outcome{}},
    });
}

TEST(CommandLine, SwitchesCombineAndTheLaterValueWins) {
    expectAll({
        {{"-host1.1.1.1", "-host2.2.2.2"}, with([](Outcome& o) { o.host = "2.2.2.2"; })},
        {{"-port1", "-port2"}, with([](Outcome& o) { o.port = 2; })},
        {{"-timer5", "-timer7"}, with([](Outcome& o) { o.refreshSeconds = 7; })},
        {{"-timer5", "-timer0"}, with([](Outcome& o) { o.timerMessages = 1; })},
        {{"-restore", "-debug", "-host127.0.0.1", "-port6001", "-timer9", "-colors"},
         with([](Outcome& o) {
             o.restore = true;
             o.debug = 1;
             o.host = "127.0.0.1";
             o.port = 6001;
             o.refreshSeconds = 9;
             o.colors = 1;
         })},
    });
}

}  // namespace
