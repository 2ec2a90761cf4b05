#include "tavrel-sim/sim_options.h"

#include <arpa/inet.h>

#include <string_view>

#include "tavrel-sim/number_text.h"

namespace {

using Handler = bool (*)(std::string_view value, SimOptions& options, std::string& error);

struct OptionEntry {
    const char* name;
    Handler handler;  // null for --help
};

bool fail(std::string& error, std::string text) {
    error = std::move(text);
    return false;
}

bool setHost(std::string_view value, SimOptions& options, std::string& error) {
    options.host = value;
    if (isLoopbackAddress(options.host)) return true;
    return fail(error, "--host must be a loopback address (127.x.x.x), not '" + options.host + "'");
}

bool setPort(std::string_view value, SimOptions& options, std::string& error) {
    int64_t port = 0;
    if (!readWholeNumber(value, 0, 65535, port)) return fail(error, "--port must be 0..65535");
    options.port = static_cast<uint16_t>(port);
    return true;
}

bool setRegistration(std::string_view value, SimOptions& options, std::string& error) {
    std::size_t colon = value.find(':');
    std::string_view word = value.substr(0, colon);
    options.registrationText =
        colon == std::string_view::npos ? std::string() : std::string(value.substr(colon + 1));
    if (word == "ok" && colon == std::string_view::npos) {
        options.registration = RegistrationAnswer::Accept;
    } else if (word == "failed") {
        options.registration = RegistrationAnswer::Refuse;
    } else if (word == "invalid") {
        options.registration = RegistrationAnswer::Invalid;
        if (colon == std::string_view::npos) options.registrationText = ",denied";
    } else {
        return fail(error, "--register must be ok, failed:<reason> or invalid[:<text>]");
    }
    return true;
}

bool setAgents(std::string_view value, SimOptions& options, std::string& error) {
    int64_t agents = 0;
    if (!readWholeNumber(value, kFewestAgents, kMostAgents, agents)) {
        return fail(error, "--agents must be 1..450");
    }
    options.agents = static_cast<int>(agents);
    return true;
}

bool setRate(std::string_view value, SimOptions& options, std::string& error) {
    if (value == "max") {
        options.rate = 0;
        return true;
    }
    if (readFraction(value, 0, 1e6, options.rate)) return true;
    return fail(error, "--rate must be 0..1000000 messages per second, or max");
}

bool setCount(std::string_view value, SimOptions& options, std::string& error) {
    if (readWholeNumber(value, 0, INT64_MAX, options.count)) return true;
    return fail(error, "--count must be a whole number of messages (0 = no limit)");
}

bool setDuration(std::string_view value, SimOptions& options, std::string& error) {
    if (readFraction(value, 0, 1e7, options.durationSeconds)) return true;
    return fail(error, "--duration must be a number of seconds (0 = no limit)");
}

bool setAtEnd(std::string_view value, SimOptions& options, std::string& error) {
    if (value == "close") {
        options.atEnd = EndOfTraffic::Close;
    } else if (value == "idle") {
        options.atEnd = EndOfTraffic::Idle;
    } else {
        return fail(error, "--at-end must be close or idle");
    }
    return true;
}

bool setVariant(std::string_view value, SimOptions& options, std::string& error) {
    int64_t variant = 0;
    if (!readWholeNumber(value, 0, INT64_MAX, variant)) {
        return fail(error, "--variant must be a whole number");
    }
    options.variant = static_cast<uint64_t>(variant);
    return true;
}

bool setKeepAlive(std::string_view value, SimOptions& options, std::string& error) {
    if (readFraction(value, 0, 1, options.keepAliveChance)) return true;
    return fail(error, "--keep-alive must be a probability 0..1");
}

bool setUnknownModes(std::string_view value, SimOptions& options, std::string& error) {
    if (readFraction(value, 0, 1, options.unknownModeChance)) return true;
    return fail(error, "--unknown-modes must be a probability 0..1");
}

bool setReplay(std::string_view value, SimOptions& options, std::string&) {
    options.replayFile = value;
    return true;
}

bool setFinalState(std::string_view value, SimOptions& options, std::string&) {
    options.finalStateFile = value;
    return true;
}

bool setConnections(std::string_view value, SimOptions& options, std::string& error) {
    if (readWholeNumber(value, 0, INT64_MAX, options.connections)) return true;
    return fail(error, "--connections must be a whole number (0 = no limit)");
}

bool addFault(std::string_view value, SimOptions& options, std::string& error) {
    FaultRule rule;
    if (!parseFaultRule(std::string(value), rule, error)) {
        error = "--fault " + std::string(value) + ": " + error;
        return false;
    }
    options.faults.push_back(rule);
    return true;
}

constexpr OptionEntry kOptions[] = {
    {"help", nullptr},
    {"host", setHost},
    {"port", setPort},
    {"register", setRegistration},
    {"agents", setAgents},
    {"rate", setRate},
    {"count", setCount},
    {"duration", setDuration},
    {"at-end", setAtEnd},
    {"variant", setVariant},
    {"keep-alive", setKeepAlive},
    {"unknown-modes", setUnknownModes},
    {"replay", setReplay},
    {"final-state", setFinalState},
    {"connections", setConnections},
    {"fault", addFault},
};

const OptionEntry* findOption(std::string_view name) {
    for (const OptionEntry& entry : kOptions) {
        if (name == entry.name) return &entry;
    }
    return nullptr;
}

}  // namespace

bool isLoopbackAddress(const std::string& host) {
    in_addr address{};
    if (inet_pton(AF_INET, host.c_str(), &address) != 1) return false;
    return (ntohl(address.s_addr) >> 24) == 127;
}

ParseOutcome parseOptions(int argc, const char* const* argv, SimOptions& options,
                          std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string_view argument(argv[i]);
        if (!argument.starts_with("--")) {
            error = "unexpected argument '" + std::string(argument) + "'";
            return ParseOutcome::Error;
        }
        std::size_t equals = argument.find('=');
        const OptionEntry* option = findOption(argument.substr(2, equals - 2));
        if (option == nullptr) {
            error = "unknown option '" + std::string(argument) + "'";
            return ParseOutcome::Error;
        }
        if (option->handler == nullptr) return ParseOutcome::Help;
        std::string_view value;
        if (equals != std::string_view::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < argc) {
            value = argv[++i];
        } else {
            error = "--" + std::string(option->name) + " needs a value";
            return ParseOutcome::Error;
        }
        if (!option->handler(value, options, error)) return ParseOutcome::Error;
    }
    return ParseOutcome::Run;
}

const char* helpText() {
    return R"(tavrel-sim: a stand-in for the Tavrel statistics server, for demos and tests.

It listens on a loopback address, serves one connection after another, reads each
client's registration frame ("1002,2"), answers it with a 1003 reply and then sends
agent messages (1008) for a made-up call centre, or the messages of a replay file.
Once listening it prints one line on standard output: "listening <address>:<port>".
SIGINT or SIGTERM stops it cleanly. Values follow the option as the next argument or
after "=" (--rate 50, --rate=50).

Connection
  --host ADDR          loopback address to listen on, 127.x.x.x only (127.0.0.1)
  --port N             TCP port; 0 takes a free one, printed on the first line (0)
  --connections N      end after serving N connections; 0 = no limit (0)
  --register ANSWER    reply to the registration (ok):
                         ok                "1003,ok", then traffic
                         failed:REASON     "1003,failed,REASON", then close
                         invalid[:TEXT]    "1003" followed by TEXT (",denied"), then close

Traffic (each connection starts the same traffic afresh)
  --agents N           number of agents, 1..450 (50); every agent is reported once
                       first, then state changes follow
  --rate R             messages per second; 0 or "max" sends as fast as the socket
                       takes them (10)
  --count N            stop the traffic after N messages; 0 = no limit (0)
  --duration S         stop the traffic after S seconds; 0 = no limit (0)
  --at-end WHAT        after --count, --duration or the end of a replay file:
                       close the connection, or idle until the client goes (close)
  --variant N          number that selects one repeatable pseudo-random run (1)
  --keep-alive P       share of messages that are 1005 messages, 0..1 (0.02)
  --unknown-modes P    share of mode changes into a mode the board does not know (0.01)
  --replay FILE        send the lines of FILE instead of generated traffic; each line
                       is "<delay-ms> <body>": wait delay-ms, then send body as it
                       stands; empty lines and lines starting with "#" are skipped

Faults (repeat --fault for several; they count the messages of each connection)
  --fault KIND[=VALUE],p=P        hit each message with probability P
  --fault KIND[=VALUE],after=N    hit the message after the first N, once
  KIND is one of
    split[=MS]         send the bytes in 2..4 pieces at random cut points, pausing up
                       to MS milliseconds between pieces (20)
    bad-marker         the frame starts with something other than 0xFF 0xFF
    bad-length[=XXXX]  the length field holds the four characters XXXX (0006),
                       e.g. 0003 or 00x9
    oversized[=LEN]    send an extra 1005 frame of LEN bytes, 4102..9999 (9999), whose
                       body does not fit a 4096-byte buffer
    garbage[=N]        send N random bytes before the frame, 1..4096 (16)
    silence=S          send nothing for S seconds before the message
    close              close the connection instead of sending the message
    bad-agent          after an agent message, send it again cut before its queues,
                       which the board refuses ("Invalid agentmsg format")
    unexpected         after the message, send a frame with the unknown code 1009

Record
  --final-state FILE   when a registered client's connection ends, and at exit, write
                       the last agent message that went out to it in a well-formed
                       frame, one line per agent id, in the order the ids first came

  --help               show this text
)";
}
