#include "tavrel-sim/final_state_record.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tavrel-sim/agent_body.h"

void FinalStateRecord::note(const char* body) {
    char id[kAgentIdCapacity + 1];
    if (!readAgentMessageId(body, id)) return;
    for (Entry& entry : entries_) {
        if (entry.id == id) {
            entry.body = body;
            return;
        }
    }
    entries_.push_back({id, body});
}

const char* FinalStateRecord::lastBodyOf(const char* id) const {
    for (const Entry& entry : entries_) {
        if (entry.id == id) return entry.body.c_str();
    }
    return nullptr;
}

bool FinalStateRecord::writeTo(const std::string& path, std::string& error) const {
    // Written aside and renamed, so a reader never finds half a file.
    std::string partPath = path + ".part";
    std::FILE* file = std::fopen(partPath.c_str(), "w");
    if (file == nullptr) {
        error = "cannot write " + partPath + ": " + std::strerror(errno);
        return false;
    }
    bool written = true;
    for (const Entry& entry : entries_) {
        written = written && std::fprintf(file, "%s\n", entry.body.c_str()) >= 0;
    }
    written = std::fclose(file) == 0 && written;
    if (written && std::rename(partPath.c_str(), path.c_str()) == 0) return true;
    error = "cannot write " + path + ": " + std::strerror(errno);
    std::remove(partPath.c_str());
    return false;
}
