#include "app/command_line.h"

#include <cstring>

#include "settings/decimal.h"

namespace {

// The value of a switch that is recognised by its first characters, or nullptr.
const char* valueAfter(const char* argument, const char* prefix) {
    std::size_t length = std::strlen(prefix);
    return std::strncmp(argument, prefix, length) == 0 ? argument + length : nullptr;
}

void applyTimer(const char* value, BoardSettings& settings, MessageSink& messages) {
    settings.refreshSeconds = readDecimal(value);
    if (settings.refreshSeconds < 1 || settings.refreshSeconds > 60) {
        messages.showMessage(kTimerRangeMessage);
        settings.refreshSeconds = kDefaultRefreshSeconds;
    }
}

}  // namespace

bool readCommandLine(int argc, const char* const* argv, BoardSettings& settings,
                     MessageSink& messages) {
    bool restoreRequested = false;
    for (int index = 1; index < argc; ++index) {
        const char* argument = argv[index];
        if (argument == nullptr) continue;
        if (const char* host = valueAfter(argument, "-host")) {
            settings.host.assign(host);
        } else if (const char* port = valueAfter(argument, "-port")) {
            settings.port = readDecimal(port);
        } else if (const char* timer = valueAfter(argument, "-timer")) {
            applyTimer(timer, settings, messages);
        } else if (std::strcmp(argument, "-debug") == 0) {
            settings.debug = 1;
        } else if (std::strcmp(argument, "-colors") == 0) {
            settings.colors = 1;
        } else if (std::strcmp(argument, "-restore") == 0) {
            restoreRequested = true;
        }
    }
    return restoreRequested;
}
