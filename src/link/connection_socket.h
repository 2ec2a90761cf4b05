#pragma once

#include <mutex>

#include "link/frame_assembler.h"
#include "link/link_status.h"

// One TCP connection to the server, shared between the window thread and the reader thread.
//
// The window may close the connection while the reader waits on it. Closing a descriptor
// under another thread is unsafe on POSIX (its number is handed out again by the next open
// and the reader would read that file), so closing only shuts the connection down, which
// wakes the reader, and marks it closed; the descriptor itself is released once no
// operation holds it any more, exactly once.
class ConnectionSocket {
  public:
    explicit ConnectionSocket(int descriptor) : descriptor_(descriptor) {}
    ~ConnectionSocket();
    ConnectionSocket(const ConnectionSocket&) = delete;
    ConnectionSocket& operator=(const ConnectionSocket&) = delete;

    // Runs operation(descriptor) -> LinkStatus with the descriptor held open. A connection
    // closed before or during the operation gives 4, as a closed handle does.
    template <class Operation>
    LinkStatus withDescriptor(Operation operation);

    // The window's close. A second close does nothing.
    void close();
    // The close at program end: as close(), and the reader ends without further reports,
    // since nobody is left to show them.
    void abandon();
    bool isClosed() const;
    bool isAbandoned() const;

    // The frame being received; only the reader thread uses it.
    FrameAssembler& frames() { return frames_; }

  private:
    int beginUse();  // -1 when closed
    void endUse();
    void closeLocked();
    void releaseIfUnused();

    mutable std::mutex mutex_;
    int descriptor_;
    int users_ = 0;
    bool closed_ = false;
    bool abandoned_ = false;
    FrameAssembler frames_;
};

template <class Operation>
LinkStatus ConnectionSocket::withDescriptor(Operation operation) {
    int descriptor = beginUse();
    if (descriptor < 0) return kLinkAlreadyClosed;
    LinkStatus status = operation(descriptor);
    endUse();
    if (status != kLinkOk && isClosed()) return kLinkAlreadyClosed;
    return status;
}
