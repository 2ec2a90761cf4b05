#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The last agent message sent for each agent id on one connection, in the order the ids
// first appeared: what the board's rows should show once it has taken everything in.
class FinalStateRecord {
  public:
    void clear() { entries_.clear(); }
    // Keeps `body` when it is an agent message the board takes; other bodies are ignored.
    void note(const char* body);
    std::size_t agentCount() const { return entries_.size(); }
    // The last body noted for `id`, or null.
    const char* lastBodyOf(const char* id) const;
    // Writes one body per line; false with `error` set when the file cannot be written.
    bool writeTo(const std::string& path, std::string& error) const;

  private:
    struct Entry {
        std::string id;
        std::string body;
    };
    std::vector<Entry> entries_;
};
