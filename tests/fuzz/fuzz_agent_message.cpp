// Feeds any bytes to the agent board as agent message bodies, one per line, each applied to
// the table and placed in a recording grid the way the window does it. The first byte picks
// the switches (colours, hiding logged-out agents, held time, redraw saving) and a queue
// filter, so every path of the drawing is reached too.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "board/board_rig.h"

namespace {
constexpr std::size_t kLongestBody = 4095;

template <std::size_t Capacity>
void requireTerminated(const FixedText<Capacity>& text) {
    if (strnlen(text.text, Capacity + 1) > Capacity) __builtin_trap();
}

void requireSound(const AgentRecord& record) {
    requireTerminated(record.agentid);
    requireTerminated(record.agentname);
    requireTerminated(record.mode);
    requireTerminated(record.extension);
    requireTerminated(record.dnstate);
    requireTerminated(record.queues);
    if (record.agentid.empty() || record.queues.empty()) __builtin_trap();
}

void configure(BoardRig& rig, uint8_t switches) {
    rig.settings.colors = switches & 1;
    rig.settings.hideLoggedOut = (switches >> 1) & 1;
    rig.settings.showHeldTime = (switches >> 2) & 1;
    rig.settings.redrawSaveMode = (switches >> 3) & 1;
    if (switches & 0x10) rig.queueFilter.text = "Q1";
    rig.tables.thresholds.slot[1].count = 2;
    rig.tables.thresholds.slot[1].bands[0] = {0, 60, {1, 2}};
    rig.tables.thresholds.slot[1].bands[1] = {60, -1, {3, 4}};
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    auto rig = std::make_unique<BoardRig>();
    configure(*rig, data[0]);
    const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    std::size_t start = 0;
    while (start <= input.size()) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos) end = input.size();
        // A received body is text up to its first zero byte and at most 4095 bytes long.
        const std::string body = input.substr(start, std::min(end - start, kLongestBody));
        const int32_t index = rig->receive(body);
        if (index < -1 || index >= rig->table.count()) __builtin_trap();
        if (index >= 0) requireSound(rig->table.record(index));
        if (rig->placement.rowcount() != rig->grid.rowCount()) __builtin_trap();
        start = end + 1;
        rig->clock.now += 7;
    }
    rig->placement.refreshAgentRows();
    if (rig->placement.rowcount() != rig->grid.rowCount()) __builtin_trap();
    return 0;
}
