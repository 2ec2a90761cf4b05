#include "tavrel-sim/sim_session.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "tavrel-sim/socket_io.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kRegistrationWait{10000};
// After a stall (a silence, a slow reader) the pace picks up from now instead of
// sending everything that fell behind at once.
constexpr std::chrono::milliseconds kLongestCatchUp{200};

const char* ending(IoResult result) {
    switch (result) {
        case IoResult::Stopped:
            return "stopped";
        case IoResult::TimedOut:
            return "no registration in time";
        default:
            return "client went away";
    }
}

}  // namespace

SimSession::SimSession(int socket, const SimOptions& options, MessageSource& source,
                       FaultInjector& faults, FinalStateRecord& record, Transmission& transmission,
                       const std::atomic<bool>& stop)
    : socket_(socket),
      options_(options),
      source_(source),
      faults_(faults),
      record_(record),
      transmission_(transmission),
      stop_(stop) {}

SessionSummary SimSession::run() {
    SessionSummary summary;
    if (!readRegistration(summary) || !answerRegistration(summary)) return summary;
    // A client that did not get in leaves the record of the last one that did alone.
    record_.clear();
    sendTraffic(summary);
    return summary;
}

bool SimSession::readRegistration(SessionSummary& summary) {
    unsigned char header[kFrameHeaderSize];
    IoResult result = receiveExact(socket_, header, sizeof header, kRegistrationWait, stop_);
    if (result != IoResult::Done) {
        summary.ending = ending(result);
        return false;
    }
    std::size_t bodyLength = 0;
    if (checkFrameHeader(header, bodyLength) != 0 || bodyLength > kMaxBodyLength) {
        sendFrame("1003,failed,bad registration frame");
        summary.ending = "bad registration frame";
        return false;
    }
    unsigned char body[kMaxBodyLength + 1] = {};
    result = receiveExact(socket_, body, bodyLength, kRegistrationWait, stop_);
    if (result != IoResult::Done) {
        summary.ending = ending(result);
        return false;
    }
    static constexpr char kExpected[] = "1002,2";
    if (bodyLength != sizeof kExpected - 1 || std::memcmp(body, kExpected, bodyLength) != 0) {
        sendFrame("1003,failed,unexpected registration");
        summary.ending = "unexpected registration";
        return false;
    }
    return true;
}

bool SimSession::sendFrame(const char* body) {
    unsigned char frame[kMaxFrameSize];
    std::size_t size = buildFrame(body, std::strlen(body), frame, sizeof frame);
    return size > 0 && sendAll(socket_, frame, size, stop_) == IoResult::Done;
}

bool SimSession::answerRegistration(SessionSummary& summary) {
    std::string reply = kCodeRegistrationReply;
    switch (options_.registration) {
        case RegistrationAnswer::Accept:
            reply += ",ok";
            break;
        case RegistrationAnswer::Refuse:
            reply += ",failed," + options_.registrationText;
            break;
        case RegistrationAnswer::Invalid:
            reply += options_.registrationText;
            break;
    }
    if (!sendFrame(reply.c_str())) {
        summary.ending = stop_.load() ? "stopped" : "client went away";
        return false;
    }
    summary.registered = options_.registration == RegistrationAnswer::Accept;
    if (!summary.registered) summary.ending = "registration answered with a refusal";
    return summary.registered;
}

bool SimSession::trafficLimitReached(int64_t sent, Clock::time_point start) const {
    if (options_.count > 0 && sent >= options_.count) return true;
    return options_.durationSeconds > 0 &&
           Clock::now() - start >= std::chrono::duration<double>(options_.durationSeconds);
}

void SimSession::sendTraffic(SessionSummary& summary) {
    Clock::time_point start = Clock::now();
    Clock::time_point due = start;
    while (!trafficLimitReached(summary.messagesSent, start)) {
        if (!source_.next(body_)) break;
        due = std::max(due + body_.delay, Clock::now() - kLongestCatchUp);
        if (!pauseUntil(due, stop_)) {
            summary.ending = "stopped";
            return;
        }
        // The time may have run out during the wait.
        if (trafficLimitReached(summary.messagesSent, start)) break;
        if (!transmit(body_, summary)) return;
    }
    endTraffic(summary);
}

bool SimSession::transmit(const OutgoingBody& body, SessionSummary& summary) {
    if (!faults_.shape(body.text, body.length, transmission_)) {
        summary.ending = "a message could not be framed";
        return false;
    }
    if (!pauseFor(std::chrono::seconds(transmission_.silenceSecondsBefore), stop_)) {
        summary.ending = "stopped";
        return false;
    }
    if (transmission_.closeInstead) {
        summary.ending = "closed on purpose";
        return false;
    }
    for (std::size_t i = 0; i < transmission_.pieceCount; ++i) {
        const TransmissionPiece& piece = transmission_.pieces[i];
        IoResult result = sendAll(socket_, transmission_.bytes + piece.offset, piece.size, stop_);
        if (result != IoResult::Done ||
            !pauseFor(std::chrono::milliseconds(piece.pauseMsAfter), stop_)) {
            summary.ending = ending(result == IoResult::Done ? IoResult::Stopped : result);
            return false;
        }
    }
    ++summary.messagesSent;
    if (transmission_.bodyIntact) record_.note(body.text);
    return true;
}

void SimSession::endTraffic(SessionSummary& summary) {
    if (options_.atEnd == EndOfTraffic::Close) {
        summary.ending = "traffic done, closed";
        return;
    }
    IoResult result = waitForPeerToLeave(socket_, stop_);
    summary.ending = result == IoResult::Stopped ? "stopped while idle" : "client left while idle";
}
