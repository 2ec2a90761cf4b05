#pragma once

#include <cstddef>
#include <cstdint>

enum class ConnectBox { Host, Port, Refresh };

// What Start and the message dispatch need of the main window beyond the status line and
// message boxes.
class LinkWindow {
  public:
    virtual ~LinkWindow() = default;
    // The box's text cut to `capacity` characters (out holds capacity + 1).
    virtual void readBox(ConnectBox box, char* out, std::size_t capacity) const = 0;
    virtual void writeBox(ConnectBox box, const char* text) = 0;
    // Start and the host, port and refresh boxes.
    virtual void setConnectControlsEnabled(bool enabled) = 0;
    // Window timer 59.
    virtual void startRefreshTimer(int32_t milliseconds) = 0;
    virtual void stopRefreshTimer() = 0;
};
