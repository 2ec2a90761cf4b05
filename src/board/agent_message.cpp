#include "board/agent_message.h"

#include <cstdio>

namespace {
template <typename Field>
constexpr int capacityOf() {
    return static_cast<int>(Field::capacity);
}
}  // namespace

void AgentMessageScan::compose() {
    // The widths come from the fields themselves, so the scan can never write past them.
    std::snprintf(format, sizeof format,
                  "%%%d[^,],%%%d[^,],%%%d[^,],%%%d[^,],%%*d,%%*d,%%%d[^,],%%%ds",
                  capacityOf<decltype(AgentMessageFields::agentid)>(),
                  capacityOf<decltype(AgentMessageFields::agentname)>(),
                  capacityOf<decltype(AgentMessageFields::mode)>(),
                  capacityOf<decltype(AgentMessageFields::extension)>(),
                  capacityOf<decltype(AgentMessageFields::dnstate)>(),
                  capacityOf<decltype(AgentMessageFields::queues)>());
}

bool AgentMessageScan::scan(const char* text, AgentMessageFields& fields) const {
    if (text == nullptr) return false;
    constexpr int kTextFields = 6;
    return std::sscanf(text, format, fields.agentid.text, fields.agentname.text, fields.mode.text,
                       fields.extension.text, fields.dnstate.text,
                       fields.queues.text) == kTextFields;
}
