#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tavrel-sim/fault_rule.h"

// How the simulator answers a client's registration.
enum class RegistrationAnswer { Accept, Refuse, Invalid };

// What happens when the traffic of a connection has run out (count, duration, replay end).
enum class EndOfTraffic { Close, Idle };

inline constexpr int kFewestAgents = 1;
inline constexpr int kMostAgents = 450;

struct SimOptions {
    std::string host = "127.0.0.1";
    uint16_t port = 0;
    RegistrationAnswer registration = RegistrationAnswer::Accept;
    // The reason of a refusal, or the text after the code of an invalid reply.
    std::string registrationText;
    int agents = 50;
    double rate = 10;            // messages per second; 0 sends as fast as the socket takes them
    int64_t count = 0;           // messages per connection; 0 = no limit
    double durationSeconds = 0;  // traffic time per connection; 0 = no limit
    EndOfTraffic atEnd = EndOfTraffic::Close;
    uint64_t variant = 1;
    double keepAliveChance = 0.02;    // share of 1005 messages
    double unknownModeChance = 0.01;  // share of mode changes into a mode the board does not know
    std::string replayFile;
    std::string finalStateFile;
    int64_t connections = 0;  // connections to serve before ending; 0 = no limit
    std::vector<FaultRule> faults;
};

enum class ParseOutcome { Run, Help, Error };

ParseOutcome parseOptions(int argc, const char* const* argv, SimOptions& options,
                          std::string& error);

// true for a dotted IPv4 address in 127.0.0.0/8.
bool isLoopbackAddress(const std::string& host);

const char* helpText();
