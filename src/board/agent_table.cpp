#include "board/agent_table.h"

#include <cstdio>
#include <cstring>

#include "board/agent_id.h"
#include "settings/decimal.h"

namespace {
constexpr const char* kLoggedOutMode = "LOGGEDOUT";
constexpr const char* kHeldState = "HELD";
constexpr const char* kLoggedOutExtension = "none";
constexpr const char* kLoggedOutExtState = "unknown";
constexpr const char* kAuxPrefix = "AUX";
constexpr std::size_t kAuxPrefixLength = 3;
// A status text holds at most 511 characters; a longer one is cut there.
constexpr std::size_t kStatusTextSize = 512;

// A logged-out agent has no extension: the message's extension and state are replaced
// before anything is stored. Returns the logged-out flag of the message.
int32_t substituteLoggedOut(AgentMessageFields& fields) {
    if (!(fields.mode == kLoggedOutMode)) return 0;
    fields.extension.assign(kLoggedOutExtension);
    fields.dnstate.assign(kLoggedOutExtState);
    return 1;
}
}  // namespace

int32_t AgentTable::update_agentTbl(const char* text) {
    if (text == nullptr) text = "";
    AgentMessageFields fields;
    char status[kStatusTextSize];
    if (!scan_.scan(text, fields)) {
        std::snprintf(status, sizeof status, "Invalid agentmsg format: %s", text);
        report(status, true);
        return -1;
    }
    if (settings_.debug) {
        std::snprintf(status, sizeof status, "update_agentTbl: agentid (%s), mode(%s), dnstate(%s)",
                      fields.agentid.c_str(), fields.mode.c_str(), fields.dnstate.c_str());
        log_.writeDebugLog(status);
    }
    const int32_t index = findAgent(fields.agentid.c_str());
    const int32_t loggedout = substituteLoggedOut(fields);
    if (index >= 0) {
        updateKnownAgent(aTbl[index], fields, loggedout);
        return index;
    }
    if (count_ == kCapacity) {
        std::snprintf(status, sizeof status, "Warning: agent table(%d) full; msg [%s] ignored",
                      static_cast<int>(kCapacity), text);
        report(status, false);
        return -1;
    }
    return addAgent(fields, loggedout);
}

int32_t AgentTable::findAgent(const char* agentid) const {
    if (agentid == nullptr) return -1;
    const uint64_t key = agentIdKey(agentid);
    for (int32_t index = 0; index < count_; ++index) {
        if (idKeys_[index] == key && sameAgentId(aTbl[index].agentid.c_str(), agentid)) {
            return index;
        }
    }
    return -1;
}

void AgentTable::setModeTitle(FixedText<15>& field, const char* text) const {
    if (text != nullptr && std::strncmp(text, kAuxPrefix, kAuxPrefixLength) == 0) {
        // Read like the C library's string-to-integer conversion, but saturating, so an
        // absurdly long number is simply not an auxiliary mode.
        const int32_t number = readDecimal(text + kAuxPrefixLength);
        if (number >= AuxTitleTable::kFirst && number <= AuxTitleTable::kLast) {
            field.assign(auxTitles_.title[number - AuxTitleTable::kFirst].c_str());
            return;
        }
    }
    field.assign(text);
}

void AgentTable::updateKnownAgent(AgentRecord& record, const AgentMessageFields& fields,
                                  int32_t loggedout) {
    record.agentname.assign(fields.agentname.c_str());
    record.loggedout = loggedout;
    record.extension.assign(fields.extension.c_str());
    record.queues.assign(fields.queues.c_str());
    if (!(fields.dnstate == kHeldState)) {
        record.held = 0;
        record.heldtime = 0;
    } else if (record.held == 0) {
        // Repeated HELD messages keep the time of the first one.
        record.heldtime = now();
        record.held = 1;
    }
    record.dnstate.assign(fields.dnstate.c_str());
    record.extstatecode = getExtStateCode(fields.dnstate.c_str());

    FixedText<15> title;
    setModeTitle(title, fields.mode.c_str());
    if (!(record.mode == title.c_str())) {
        record.mode = title;
        record.modetime = now();
        record.modecode = getModeCode(fields.mode.c_str());
    } else if (record.modetime == 0) {
        record.modetime = now();
    }
}

int32_t AgentTable::addAgent(const AgentMessageFields& fields, int32_t loggedout) {
    idKeys_[count_] = agentIdKey(fields.agentid.c_str());
    AgentRecord& record = aTbl[count_++];
    record.agentid.assign(fields.agentid.c_str());
    record.agentname.assign(fields.agentname.c_str());
    setModeTitle(record.mode, fields.mode.c_str());
    record.extension.assign(fields.extension.c_str());
    record.loggedout = loggedout;
    record.dnstate.assign(fields.dnstate.c_str());
    record.extstatecode = getExtStateCode(fields.dnstate.c_str());
    const bool held = fields.dnstate == kHeldState;
    record.held = held ? 1 : 0;
    record.heldtime = held ? now() : 0;
    record.queues.assign(fields.queues.c_str());
    record.modetime = now();
    record.modecode = getModeCode(fields.mode.c_str());
    return count_ - 1;
}

void AgentTable::report(const char* text, bool alsoToDebugLog) {
    messages_.setStatusLine(text);
    if (alsoToDebugLog && settings_.debug) log_.writeDebugLog(text);
}

uint32_t AgentTable::now() const {
    // Records keep the low 32 bits of the time.
    return static_cast<uint32_t>(clock_.nowSeconds());
}
