#pragma once

#include <cstdint>

#include "board/agent_message.h"
#include "board/agent_record.h"
#include "settings/board_settings.h"
#include "settings/clock.h"
#include "settings/colour_tables.h"
#include "settings/debug_log.h"
#include "settings/message_sink.h"

// Every agent the server has reported since start, in the order their ids first arrived.
// Records are never removed, moved or reused, so an index names one agent for the whole run.
class AgentTable {
  public:
    static constexpr int32_t kCapacity = 400;

    AgentTable(const AgentMessageScan& scan, const AuxTitleTable& auxTitles,
               const BoardSettings& settings, const Clock& clock, MessageSink& messages,
               const DebugLog& log)
        : scan_(scan),
          auxTitles_(auxTitles),
          settings_(settings),
          clock_(clock),
          messages_(messages),
          log_(log) {}

    // Applies one agent message body (the part after "1008" and its separator). Returns the
    // index of the record updated or added, or -1 when the message is rejected (bad format,
    // full table); the table is then unchanged.
    int32_t update_agentTbl(const char* text);

    // Index of the first record whose id equals `agentid` in its first 31 characters, or -1.
    int32_t findAgent(const char* agentid) const;

    // Stores the display title of a mode text: an auxiliary mode AUX6..AUX11 takes its
    // title, any other text is shown as it is.
    void setModeTitle(FixedText<15>& field, const char* text) const;

    int32_t count() const { return count_; }
    const AgentRecord& record(int32_t index) const { return aTbl[index]; }
    AgentRecord& record(int32_t index) { return aTbl[index]; }

  private:
    void report(const char* text, bool alsoToDebugLog);
    void updateKnownAgent(AgentRecord& record, const AgentMessageFields& fields, int32_t loggedout);
    int32_t addAgent(const AgentMessageFields& fields, int32_t loggedout);
    uint32_t now() const;

    const AgentMessageScan& scan_;
    const AuxTitleTable& auxTitles_;
    const BoardSettings& settings_;
    const Clock& clock_;
    MessageSink& messages_;
    const DebugLog& log_;

    AgentRecord aTbl[kCapacity];
    uint64_t idKeys_[kCapacity] = {};  // agentIdKey of each record's id, for findAgent
    int32_t count_ = 0;
};
