#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "link/connection_socket.h"
#include "settings/board_settings.h"

inline constexpr int32_t kReadTimeoutSeconds = 3;
// The reader gives up after this many read errors with no body handed over in between.
inline constexpr int kReaderErrorLimit = 4;

// What the reader thread is handed.
struct ReaderThreadArgs {
    std::shared_ptr<ConnectionSocket> socket;  // none until connect2server stores one
    int32_t readTimeoutSeconds = kReadTimeoutSeconds;
    const BoardSettings* settings = nullptr;  // its mainWindow takes the hand-overs
};

using ReaderThreadFunction = void (*)(ReaderThreadArgs* args);

// The reader: takes frames off the connection and hands every body (AGENTMSG_DATA) and every
// report about the link (AGENTMSG_SYSMSG) to the window. A time-out is no error; it ends after
// four read errors with no body handed over in between. Without a socket it ends at once.
void threadReadSocketData(ReaderThreadArgs* args);

// Hands a copy of `text` (`size` = its length plus one) to settings.mainWindow, taken afresh
// at each of up to three tries 100 ms apart. 0 posted (the copy is the window's now); 1 no
// memory for the copy; 2 not posted, the copy freed.
int postSocketMsg(const BoardSettings& settings, const char* text, std::size_t size, int32_t kind);

// Owns the reader thread, so that it can be waited for.
class ReaderThread {
  public:
    static constexpr int kStarted = 0;
    static constexpr int kNotCreated = 1;
    static constexpr int kNotSeenRunning = 2;

    ReaderThread() = default;
    ~ReaderThread() { join(); }
    ReaderThread(const ReaderThread&) = delete;
    ReaderThread& operator=(const ReaderThread&) = delete;

    // Waits for a previous reader (whose connection is closed by then), then runs
    // function(copy of args) on a new thread, which takes its own reference to the socket.
    // 0 the thread said it runs; 1 it cannot be created; 2 it did not say so within 2.5 s.
    int start_thread(ReaderThreadFunction function, const ReaderThreadArgs& args);

    // Waits for the thread to end, if there is one.
    void join();

  private:
    void announceRunning();

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable runningChanged_;
    bool running_ = false;
};
