#pragma once

#include <QEvent>
#include <cstdint>

// A text handed over by the reader thread, on its way to the main window's event queue.
// The event owns the block (allocated with new char[]) until the handler releases it, so a
// post that is never delivered, for instance because the window went first, frees it.
class AgentMsgEvent final : public QEvent {
  public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(QEvent::User + 53);

    AgentMsgEvent(char* block, int32_t kind) : QEvent(kType), block_(block), kind_(kind) {}
    ~AgentMsgEvent() override { delete[] block_; }
    AgentMsgEvent(const AgentMsgEvent&) = delete;
    AgentMsgEvent& operator=(const AgentMsgEvent&) = delete;

    int32_t kind() const { return kind_; }
    // Hands the block on: from now on the caller frees it.
    char* release() {
        char* block = block_;
        block_ = nullptr;
        return block;
    }

  private:
    char* block_;
    int32_t kind_;
};
