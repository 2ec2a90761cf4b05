#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

// A test client of the simulator over 127.0.0.1, with a receive time-out so that a test
// never hangs on a silent server.
class LoopbackClient {
  public:
    explicit LoopbackClient(uint16_t port);
    ~LoopbackClient();
    LoopbackClient(const LoopbackClient&) = delete;
    LoopbackClient& operator=(const LoopbackClient&) = delete;

    bool connected() const { return socket_ >= 0; }
    bool send(const std::string& bytes);
    bool sendRegistration();
    // Reads until the server closes the connection (or the time-out hits).
    std::string readToEnd();
    // Reads one frame and gives its body; false on a bad header, the end, or the time-out.
    bool readFrame(std::string& body);
    // true when the server closes the connection within `wait`, with no byte before.
    bool closesWithin(std::chrono::milliseconds wait);
    void close();

  private:
    bool readExact(char* data, std::size_t size);
    int socket_ = -1;
};

// Splits a received byte stream into frame bodies; false at the first bad or cut frame.
bool splitFrames(const std::string& stream, std::vector<std::string>& bodies);

// The frame of a body, as the client would send it.
std::string frameOf(const std::string& body);
