#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "link/agent_msg_target.h"

// A main window for the reader thread: records every post attempt and takes the block of an
// accepted one (freeing it at once); it can refuse the first `refusals` posts, or all.
class RecordingAgentMsgTarget final : public AgentMsgTarget {
  public:
    static constexpr int kRefuseAll = -1;

    struct Post {
        int32_t kind;
        std::string text;
        bool accepted;
        bool operator==(const Post&) const = default;
    };

    explicit RecordingAgentMsgTarget(int refusals = 0) : refusalsLeft_(refusals) {}

    bool postAgentMsg(char* block, int32_t kind) override {
        std::lock_guard<std::mutex> lock(mutex_);
        bool accepted = refusalsLeft_ == 0;
        if (refusalsLeft_ > 0) --refusalsLeft_;
        posts_.push_back({kind, block, accepted});
        if (accepted) delete[] block;
        changed_.notify_all();
        return accepted;
    }

    std::vector<Post> posts() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return posts_;
    }

    // Waits until at least `count` attempts were made; false when they did not come in time.
    bool waitForPosts(std::size_t count,
                      std::chrono::milliseconds patience = std::chrono::seconds(10)) const {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, patience, [&] { return posts_.size() >= count; });
    }

  private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    int refusalsLeft_;
    std::vector<Post> posts_;
};
