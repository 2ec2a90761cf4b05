#pragma once

#include <cstdint>

#include "settings/fixed_text.h"

class AgentMsgTarget;

// The built-in server address: a private-network literal that nothing in the tests,
// demo or benchmarks ever connects to; they all pass -host127.0.0.1.
inline constexpr const char* kDefaultServerAddress = "10.77.0.15";
inline constexpr int32_t kDefaultServerPort = 5139;
inline constexpr int32_t kDefaultRefreshSeconds = 2;

// The program-wide settings. The window thread writes it; the reader thread reads only
// mainWindow, which is set before any reader starts.
struct BoardSettings {
    FixedText<31> host;
    int32_t port = kDefaultServerPort;
    int32_t refreshSeconds = kDefaultRefreshSeconds;
    int32_t debug = 0;
    int32_t colors = 0;
    int32_t hideLoggedOut = 0;
    int32_t showHeldTime = 0;
    int32_t redrawSaveMode = 1;
    AgentMsgTarget* mainWindow = nullptr;  // receives the reader thread's hand-overs
};
