#include "tavrel-sim/sim_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

ParseOutcome parse(std::vector<const char*> arguments, SimOptions& options, std::string& error) {
    arguments.insert(arguments.begin(), "tavrel-sim");
    return parseOptions(static_cast<int>(arguments.size()), arguments.data(), options, error);
}

}  // namespace

TEST(SimOptions, DefaultsServeFiftyAgentsOnAnEphemeralLoopbackPort) {
    SimOptions options;
    std::string error;
    ASSERT_EQ(parse({}, options, error), ParseOutcome::Run);
    EXPECT_EQ(options.host, "127.0.0.1");
    EXPECT_EQ(options.port, 0);
    EXPECT_EQ(options.registration, RegistrationAnswer::Accept);
    EXPECT_EQ(options.agents, 50);
    EXPECT_TRUE(options.faults.empty());
}

TEST(SimOptions, ReadsEveryOptionInBothSpellings) {
    SimOptions options;
    std::string error;
    ASSERT_EQ(parse({"--host",
                     "127.0.0.2",
                     "--port=4000",
                     "--register",
                     "failed:no licence",
                     "--agents=450",
                     "--rate",
                     "max",
                     "--count",
                     "300",
                     "--duration=2.5",
                     "--at-end",
                     "idle",
                     "--variant",
                     "99",
                     "--keep-alive=0",
                     "--unknown-modes",
                     "0.5",
                     "--replay",
                     "r.txt",
                     "--final-state=f.txt",
                     "--connections",
                     "2",
                     "--fault",
                     "split=5,p=0.25",
                     "--fault=close,after=10"},
                    options, error),
              ParseOutcome::Run)
        << error;
    EXPECT_EQ(options.host, "127.0.0.2");
    EXPECT_EQ(options.port, 4000);
    EXPECT_EQ(options.registration, RegistrationAnswer::Refuse);
    EXPECT_EQ(options.registrationText, "no licence");
    EXPECT_EQ(options.agents, 450);
    EXPECT_EQ(options.rate, 0);
    EXPECT_EQ(options.count, 300);
    EXPECT_EQ(options.durationSeconds, 2.5);
    EXPECT_EQ(options.atEnd, EndOfTraffic::Idle);
    EXPECT_EQ(options.variant, 99u);
    EXPECT_EQ(options.keepAliveChance, 0);
    EXPECT_EQ(options.unknownModeChance, 0.5);
    EXPECT_EQ(options.replayFile, "r.txt");
    EXPECT_EQ(options.finalStateFile, "f.txt");
    EXPECT_EQ(options.connections, 2);
    ASSERT_EQ(options.faults.size(), 2u);
    EXPECT_EQ(options.faults[0].kind, FaultKind::Split);
    EXPECT_EQ(options.faults[0].amount, 5);
    EXPECT_EQ(options.faults[0].probability, 0.25);
    EXPECT_EQ(options.faults[1].kind, FaultKind::Close);
    EXPECT_EQ(options.faults[1].afterMessages, 10);
}

TEST(SimOptions, RegistrationAnswers) {
    struct Case {
        const char* argument;
        RegistrationAnswer answer;
        const char* text;
    };
    for (const Case& c : {Case{"ok", RegistrationAnswer::Accept, ""},
                          Case{"failed:", RegistrationAnswer::Refuse, ""},
                          Case{"failed:a:b", RegistrationAnswer::Refuse, "a:b"},
                          Case{"invalid", RegistrationAnswer::Invalid, ",denied"},
                          Case{"invalid:,failed", RegistrationAnswer::Invalid, ",failed"},
                          Case{"invalid:", RegistrationAnswer::Invalid, ""}}) {
        SCOPED_TRACE(c.argument);
        SimOptions options;
        std::string error;
        ASSERT_EQ(parse({"--register", c.argument}, options, error), ParseOutcome::Run) << error;
        EXPECT_EQ(options.registration, c.answer);
        EXPECT_EQ(options.registrationText, c.text);
    }
}

TEST(SimOptions, RefusesBadInputWithAReason) {
    struct Case {
        std::vector<const char*> arguments;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {{"--host", "192.168.1.10"}, "loopback"},
        {{"--host", "localhost"}, "loopback"},
        {{"--host", "128.0.0.1"}, "loopback"},
        {{"--host", "0.0.0.0"}, "loopback"},
        {{"--port", "65536"}, "--port"},
        {{"--agents", "0"}, "1..450"},
        {{"--agents", "451"}, "1..450"},
        {{"--agents", "12x"}, "1..450"},
        {{"--rate", "-1"}, "--rate"},
        {{"--count", "-5"}, "--count"},
        {{"--at-end", "linger"}, "close or idle"},
        {{"--register", "maybe"}, "--register"},
        {{"--register", "ok:extra"}, "--register"},
        {{"--keep-alive", "1.5"}, "--keep-alive"},
        {{"--variant"}, "needs a value"},
        {{"--verbose"}, "unknown option"},
        {{"stray"}, "unexpected argument"},
        {{"--fault", "split"}, "trigger"},
        {{"--fault", "melt,p=1"}, "unknown fault"},
        {{"--fault", "silence,p=1"}, "needs a value"},
        {{"--fault", "oversized=4000,p=1"}, "4102..9999"},
        {{"--fault", "garbage=0,p=1"}, "1..4096"},
        {{"--fault", "bad-length=006,p=1"}, "four characters"},
        {{"--fault", "close=3,after=1"}, "takes no value"},
        {{"--fault", "split,p=2"}, "0..1"},
        {{"--fault", "split,after=-1"}, "whole number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments[0]);
        SimOptions options;
        std::string error;
        EXPECT_EQ(parse(c.arguments, options, error), ParseOutcome::Error);
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
}

TEST(SimOptions, HelpDescribesEveryOption) {
    SimOptions options;
    std::string error;
    EXPECT_EQ(parse({"--agents", "5", "--help"}, options, error), ParseOutcome::Help);
    std::string help = helpText();
    for (const char* word :
         {"--host",       "--port",          "--connections", "--register",    "--agents",
          "--rate",       "--count",         "--duration",    "--at-end",      "--variant",
          "--keep-alive", "--unknown-modes", "--replay",      "--final-state", "--fault",
          "split",        "bad-marker",      "bad-length",    "oversized",     "garbage",
          "silence",      "close",           "bad-agent",     "unexpected",    "listening",
          "SIGTERM"}) {
        EXPECT_NE(help.find(word), std::string::npos) << word;
    }
}
