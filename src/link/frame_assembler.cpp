#include "link/frame_assembler.h"

#include <algorithm>
#include <cstring>

#include "link/descriptor_io.h"

LinkStatus FrameAssembler::read(int descriptor, char* body, int32_t seconds) {
    for (;;) {
        if (seconds > 0) {
            LinkStatus waited = waitForReadable(descriptor, seconds);
            if (waited != kLinkOk) return waited;
        }
        std::size_t received = 0;
        LinkStatus status = receiveSome(descriptor, destination(), room(), received);
        if (status != kLinkOk) return status;
        received_ += received;
        if (received_ == stageSize() && finishStage(body, status)) return status;
    }
}

unsigned char* FrameAssembler::destination() {
    switch (stage_) {
        case Stage::Header:
            return header_ + received_;
        case Stage::Body:
            return buffer_ + received_;
        case Stage::Drain:
            break;
    }
    return buffer_;
}

std::size_t FrameAssembler::room() const {
    std::size_t left = stageSize() - received_;
    return stage_ == Stage::Drain ? std::min(left, sizeof buffer_) : left;
}

std::size_t FrameAssembler::stageSize() const {
    return stage_ == Stage::Header ? kFrameHeaderSize : bodyLength_;
}

bool FrameAssembler::finishStage(char* body, LinkStatus& result) {
    switch (stage_) {
        case Stage::Header:
            result = checkFrameHeader(header_, bodyLength_);
            if (result != kLinkOk) {
                startFrame();
                return true;
            }
            stage_ = bodyLength_ > kMaxBodyLength ? Stage::Drain : Stage::Body;
            received_ = 0;
            return false;
        case Stage::Body:
            std::memcpy(body, buffer_, bodyLength_);
            body[bodyLength_] = '\0';
            result = kLinkOk;
            break;
        case Stage::Drain:
            result = kLinkBadMessageSize;
            break;
    }
    startFrame();
    return true;
}

void FrameAssembler::startFrame() {
    stage_ = Stage::Header;
    received_ = 0;
    bodyLength_ = 0;
}
