#include "tavrel-sim/replay_source.h"

#include <cstring>
#include <fstream>
#include <string_view>

#include "tavrel-sim/number_text.h"

namespace {

constexpr int64_t kLongestDelayMs = 86'400'000;

// Takes one non-comment line apart; an empty `why` means it is good.
ReplayLine splitLine(std::string_view line, std::string& why) {
    ReplayLine result;
    std::size_t blank = line.find_first_of(" \t");
    if (blank == std::string_view::npos) {
        why = "expected \"<delay-ms> <body>\"";
    } else if (!readWholeNumber(line.substr(0, blank), 0, kLongestDelayMs, result.delayMs)) {
        why = "the delay must be 0.." + std::to_string(kLongestDelayMs) + " milliseconds";
    } else if (blank + 1 == line.size()) {
        why = "the body is empty";
    } else if (line.size() - blank - 1 > kMaxSentBodyLength) {
        why = "the body is longer than " + std::to_string(kMaxSentBodyLength) + " bytes";
    } else {
        result.body = line.substr(blank + 1);
    }
    return result;
}

}  // namespace

bool readReplayLines(std::istream& in, std::vector<ReplayLine>& lines, std::string& error) {
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.front() == '#') continue;
        std::string why;
        ReplayLine replayLine = splitLine(line, why);
        if (!why.empty()) {
            error = "line " + std::to_string(number) + ": " + why;
            return false;
        }
        lines.push_back(std::move(replayLine));
    }
    return true;
}

bool loadReplayFile(const std::string& path, std::vector<ReplayLine>& lines, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read replay file " + path;
        return false;
    }
    if (!readReplayLines(in, lines, error)) {
        error = path + " " + error;
        return false;
    }
    if (lines.empty()) {
        error = "replay file " + path + " holds no messages";
        return false;
    }
    return true;
}

bool ReplaySource::next(OutgoingBody& body) {
    if (position_ >= lines_.size()) return false;
    const ReplayLine& line = lines_[position_++];
    std::memcpy(body.text, line.body.data(), line.body.size());
    body.text[line.body.size()] = '\0';
    body.length = line.body.size();
    body.delay = std::chrono::milliseconds(line.delayMs);
    return true;
}
