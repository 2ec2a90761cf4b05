#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "tavrel-sim/message_source.h"

// One line of a replay file: "<delay-ms> <body>".
struct ReplayLine {
    int64_t delayMs = 0;
    std::string body;
};

// Reads replay lines; empty lines and lines starting with "#" are skipped. The body is the
// rest of the line after the blank that follows the delay, exactly as it stands (a trailing
// carriage return of a CR LF line end excluded). On a bad line, false with `error` naming it.
bool readReplayLines(std::istream& in, std::vector<ReplayLine>& lines, std::string& error);
bool loadReplayFile(const std::string& path, std::vector<ReplayLine>& lines, std::string& error);

// Sends the lines of a replay file once, each after its delay.
class ReplaySource final : public MessageSource {
  public:
    explicit ReplaySource(const std::vector<ReplayLine>& lines) : lines_(lines) {}
    bool next(OutgoingBody& body) override;

  private:
    const std::vector<ReplayLine>& lines_;
    std::size_t position_ = 0;
};
