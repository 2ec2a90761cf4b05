#include "link/connection_socket.h"

#include <sys/socket.h>
#include <unistd.h>

ConnectionSocket::~ConnectionSocket() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

void ConnectionSocket::close() {
    std::lock_guard<std::mutex> lock(mutex_);
    closeLocked();
}

void ConnectionSocket::abandon() {
    std::lock_guard<std::mutex> lock(mutex_);
    abandoned_ = true;
    closeLocked();
}

bool ConnectionSocket::isClosed() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return closed_;
}

bool ConnectionSocket::isAbandoned() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return abandoned_;
}

int ConnectionSocket::beginUse() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_) return -1;
    ++users_;
    return descriptor_;
}

void ConnectionSocket::endUse() {
    std::lock_guard<std::mutex> lock(mutex_);
    --users_;
    releaseIfUnused();
}

void ConnectionSocket::closeLocked() {
    if (closed_) return;
    closed_ = true;
    // Wakes a thread waiting or receiving on the descriptor; the number stays ours.
    shutdown(descriptor_, SHUT_RDWR);
    releaseIfUnused();
}

void ConnectionSocket::releaseIfUnused() {
    if (!closed_ || users_ > 0 || descriptor_ < 0) return;
    ::close(descriptor_);
    descriptor_ = -1;
}
