#include "tavrel-sim/fault_injector.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Keeps the few cut points in order as they come.
void insertCut(std::size_t* cuts, std::size_t& count, std::size_t cut) {
    std::size_t at = count++;
    for (; at > 0 && cuts[at - 1] > cut; --at) cuts[at] = cuts[at - 1];
    cuts[at] = cut;
}

// Keeps the fault generator apart from the traffic generator of the same variant.
constexpr uint64_t kFaultStream = 0x5D1C3A77F00DULL;

constexpr char kUnexpectedBody[] = "1009,unexpected message";

// The length of an agent body cut just before its queues field, or 0 for a body that is no
// agent message. The fields start after the code and one separator; each of the first
// seven ends at a comma, and none of them can hold one.
std::size_t lengthBeforeQueues(const char* body, std::size_t length) {
    constexpr std::size_t kFieldsStart = 5;
    constexpr int kCommasBeforeQueues = 7;
    if (length < kFieldsStart || !hasCode(body, kCodeAgentMessage)) return 0;
    int commas = 0;
    for (std::size_t i = kFieldsStart; i < length; ++i) {
        if (body[i] == ',' && ++commas == kCommasBeforeQueues) return i;
    }
    return 0;
}

// Appends a frame when it fits; a frame that does not is left out.
void appendFrame(Transmission& out, const char* body, std::size_t length) {
    out.size += buildFrame(body, length, out.bytes + out.size, sizeof out.bytes - out.size);
}

}  // namespace

FaultInjector::FaultInjector(std::vector<FaultRule> rules, uint64_t variant)
    : rules_(std::move(rules)),
      hits_(rules_.size()),
      variant_(variant),
      random_(variant ^ kFaultStream) {}

void FaultInjector::restart() {
    random_ = RandomSource(variant_ ^ kFaultStream);
    messagesShaped_ = 0;
}

bool FaultInjector::fires(const FaultRule& rule) {
    if (rule.afterMessages >= 0) return messagesShaped_ == rule.afterMessages;
    return random_.chance(rule.probability);
}

bool FaultInjector::shape(const char* body, std::size_t length, Transmission& out) {
    out.clear();
    // Decide every rule first, so each draws the same numbers whatever the others do.
    for (std::size_t i = 0; i < rules_.size(); ++i) hits_[i] = fires(rules_[i]);
    ++messagesShaped_;

    int64_t splitPauseMs = -1;
    for (std::size_t i = 0; i < rules_.size(); ++i) {
        if (!hits_[i]) continue;
        const FaultRule& rule = rules_[i];
        switch (rule.kind) {
            case FaultKind::Garbage:
                appendGarbage(out, rule.amount);
                break;
            case FaultKind::Oversized:
                appendOversizedFrame(out, rule.amount);
                break;
            case FaultKind::Silence:
                out.silenceSecondsBefore += static_cast<int32_t>(rule.amount);
                break;
            case FaultKind::Close:
                out.closeInstead = true;
                break;
            case FaultKind::Split:
                splitPauseMs = std::max(splitPauseMs, rule.amount);
                break;
            default:
                break;  // the rest: below, once the frame is in place
        }
    }
    if (out.closeInstead) {
        out.size = 0;
        return true;
    }

    std::size_t frameStart = out.size;
    std::size_t frameSize =
        buildFrame(body, length, out.bytes + frameStart, sizeof out.bytes - frameStart);
    if (frameSize == 0) return false;
    out.size += frameSize;
    unsigned char* frame = out.bytes + frameStart;
    for (std::size_t i = 0; i < rules_.size(); ++i) {
        if (!hits_[i]) continue;
        if (rules_[i].kind == FaultKind::BadMarker) damageMarker(frame);
        if (rules_[i].kind == FaultKind::BadLength) {
            std::memcpy(frame + 2, rules_[i].lengthField, 4);
        }
    }
    // A length field "damaged" into the right value still makes a good frame.
    unsigned char header[kFrameHeaderSize];
    std::memcpy(header, frame, kFrameHeaderSize);
    std::size_t announced = 0;
    out.bodyIntact = checkFrameHeader(header, announced) == 0 && announced == length;
    appendTrailingFrames(out, body, length);

    if (splitPauseMs >= 0) {
        splitIntoPieces(out, frameStart, splitPauseMs);
    } else {
        out.pieces[0] = {0, out.size, 0};
        out.pieceCount = 1;
    }
    return true;
}

void FaultInjector::appendGarbage(Transmission& out, int64_t count) {
    for (int64_t i = 0; i < count && out.hasRoomBeforeFrame(1); ++i) {
        out.bytes[out.size++] = static_cast<unsigned char>(random_.below(256));
    }
}

void FaultInjector::appendOversizedFrame(Transmission& out, int64_t frameLength) {
    std::size_t size = static_cast<std::size_t>(frameLength);
    if (!out.hasRoomBeforeFrame(size)) return;
    unsigned char* frame = out.bytes + out.size;
    char header[kFrameHeaderSize + 1];
    std::snprintf(header, sizeof header, "\xFF\xFF%04zu", size);
    std::memcpy(frame, header, kFrameHeaderSize);
    // A 1005 body changes nothing on the board, whether the board truncates it or refuses it.
    static constexpr char kStart[] = "1005,oversized ";
    constexpr std::size_t kStartLength = sizeof kStart - 1;
    std::memcpy(frame + kFrameHeaderSize, kStart, kStartLength);
    std::memset(frame + kFrameHeaderSize + kStartLength, 'x',
                size - kFrameHeaderSize - kStartLength);
    out.size += size;
}

// After the message, so that a board which took the refused body would show it.
void FaultInjector::appendTrailingFrames(Transmission& out, const char* body, std::size_t length) {
    for (std::size_t i = 0; i < rules_.size(); ++i) {
        if (!hits_[i]) continue;
        if (rules_[i].kind == FaultKind::BadAgent) {
            std::size_t cut = lengthBeforeQueues(body, length);
            if (cut > 0) appendFrame(out, body, cut);
        }
        if (rules_[i].kind == FaultKind::Unexpected) {
            appendFrame(out, kUnexpectedBody, sizeof kUnexpectedBody - 1);
        }
    }
}

void FaultInjector::damageMarker(unsigned char* frame) {
    // Any pair but 0xFF 0xFF: sometimes only one of the two bytes is wrong.
    do {
        frame[0] = random_.chance(0.5) ? 0xFF : static_cast<unsigned char>(random_.below(256));
        frame[1] = static_cast<unsigned char>(random_.below(256));
    } while (frame[0] == 0xFF && frame[1] == 0xFF);
}

void FaultInjector::splitIntoPieces(Transmission& out, std::size_t frameStart,
                                    int64_t longestPauseMs) {
    std::size_t cuts[kMostPieces - 1];
    std::size_t cutCount = 0;
    std::size_t wanted = 1 + random_.below(kMostPieces - 1);
    // Half the time one cut falls inside the frame's header, which a reader most easily
    // gets wrong; a frame is at least 7 bytes, so the cut is never at its end.
    if (random_.chance(0.5)) {
        insertCut(cuts, cutCount, frameStart + 1 + random_.below(kFrameHeaderSize - 1));
    }
    while (cutCount < wanted) {
        insertCut(cuts, cutCount, 1 + random_.below(static_cast<uint32_t>(out.size - 1)));
    }
    cutCount = static_cast<std::size_t>(std::unique(cuts, cuts + cutCount) - cuts);

    std::size_t start = 0;
    for (std::size_t i = 0; i <= cutCount; ++i) {
        bool last = i == cutCount;
        std::size_t end = last ? out.size : cuts[i];
        int32_t pause = last ? 0 : random_.between(0, static_cast<int32_t>(longestPauseMs));
        out.pieces[out.pieceCount++] = {start, end - start, pause};
        start = end;
    }
}
