#pragma once

#include <QEvent>
#include <cstdint>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

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

// Qt's posted-event queue passes an event from the reader thread to the window thread under a
// lock that the thread checker cannot see, since Qt is not built with it. These two tell it
// that everything the reader wrote before posting is the window's to read once it takes the
// event; without the checker they are nothing.
inline void markHandedOver(const QEvent* event) {
#if defined(__SANITIZE_THREAD__)
    __tsan_release(const_cast<QEvent*>(event));
#else
    (void)event;
#endif
}

inline void markTakenOver(const QEvent* event) {
#if defined(__SANITIZE_THREAD__)
    __tsan_acquire(const_cast<QEvent*>(event));
#else
    (void)event;
#endif
}
