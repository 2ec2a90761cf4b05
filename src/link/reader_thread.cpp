#include "link/reader_thread.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>

#include "link/agent_msg_target.h"
#include "link/socket_layer.h"
#include "link/wire_protocol.h"

namespace {

constexpr auto kPostRetryPause = std::chrono::milliseconds(100);
constexpr auto kFinalPause = std::chrono::milliseconds(100);
constexpr auto kStartWait = std::chrono::milliseconds(2500);
constexpr int kPostTries = 3;
constexpr std::size_t kSystemMessageSize = 512;

int postText(const BoardSettings& settings, const char* text, int32_t kind) {
    return postSocketMsg(settings, text, std::strlen(text) + 1, kind);
}

int postSystemMessage(const BoardSettings& settings, const char* text) {
    return postText(settings, text, AGENTMSG_SYSMSG);
}

void postReadError(const BoardSettings& settings, LinkStatus status) {
    char message[kSystemMessageSize];
    std::snprintf(message, sizeof message, kSysMsgReadErrorFormat, socket_getErrorMsg(status));
    postSystemMessage(settings, message);
}

// The last report, then a pause so that it is on its way before the thread is gone.
void reportEnd(const BoardSettings& settings) {
    postSystemMessage(settings, kSysMsgTerminated);
    std::this_thread::sleep_for(kFinalPause);
}

// Reports a failed read other than a time-out; false when the reader has to end at once:
// the program is ending, or the window does not take the report of a lost connection.
bool reportFailedRead(const ReaderThreadArgs& args, LinkStatus status) {
    if (args.socket->isAbandoned()) return false;
    if (status == kLinkAlreadyClosed || status == kLinkDisconnected) {
        if (postSystemMessage(*args.settings, kSysMsgClosed) != 0) {
            std::this_thread::sleep_for(kFinalPause);
            reportEnd(*args.settings);
            return false;
        }
    }
    postReadError(*args.settings, status);
    return true;
}

}  // namespace

void threadReadSocketData(ReaderThreadArgs* args) {
    if (args == nullptr || args->socket == nullptr || args->settings == nullptr) return;
    if (args->readTimeoutSeconds < 0) args->readTimeoutSeconds = 0;
    char body[kBodyBufferSize];
    int errors = 0;
    for (;;) {
        LinkStatus status = socket_readMsg(args->socket.get(), body, args->readTimeoutSeconds);
        if (status == kLinkReadTimeout) continue;
        if (status == kLinkOk) {
            if (postText(*args->settings, body, AGENTMSG_DATA) == 0) {
                errors = 0;
                continue;
            }
        } else if (!reportFailedRead(*args, status)) {
            return;
        }
        if (++errors >= kReaderErrorLimit) {
            postSystemMessage(*args->settings, kSysMsgTooManyErrors);
            reportEnd(*args->settings);
            return;
        }
    }
}

int postSocketMsg(const BoardSettings& settings, const char* text, std::size_t size, int32_t kind) {
    char* block = new (std::nothrow) char[size];
    if (block == nullptr) return 1;
    std::memcpy(block, text, size);
    for (int attempt = 0; attempt < kPostTries; ++attempt) {
        AgentMsgTarget* window = settings.mainWindow;
        if (window != nullptr && window->postAgentMsg(block, kind)) return 0;
        std::this_thread::sleep_for(kPostRetryPause);
    }
    delete[] block;
    return 2;
}

int ReaderThread::start_thread(ReaderThreadFunction function, const ReaderThreadArgs& args) {
    join();
    running_ = false;
    try {
        thread_ = std::thread([this, function, own = args]() mutable {
            announceRunning();
            function(&own);
        });
    } catch (const std::exception&) {  // no thread or no memory for it
        return kNotCreated;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    bool seen = runningChanged_.wait_for(lock, kStartWait, [this] { return running_; });
    return seen ? kStarted : kNotSeenRunning;
}

void ReaderThread::join() {
    if (thread_.joinable()) thread_.join();
}

void ReaderThread::announceRunning() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        running_ = true;
    }
    runningChanged_.notify_one();
}
