#include "board/row_renderer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kSecondsPerHour = 3600;
constexpr int64_t kSecondsPerMinute = 60;
constexpr uint64_t kFirstDayCountNotShown = 1000;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr int32_t kNoBandEnd = -1;

enum Column : int32_t {
    kColumnId = 0,
    kColumnName = 1,
    kColumnMode = 2,
    kColumnDuration = 3,
    kColumnExtension = 4,
    kColumnExtState = 5,
    kColumnQueues = 6,
};

// Slot 0 belongs to any code outside the table; code c has slot c + 1.
int slotOf(int32_t code, int32_t lastCode) {
    return code >= 0 && code <= lastCode ? code + 1 : 0;
}

bool bandHolds(const ThresholdBand& band, int64_t duration) {
    return band.from <= duration && (band.to == kNoBandEnd || duration < band.to);
}
}  // namespace

void formatDuration(int64_t seconds, char (&text)[16]) {
    // The magnitude is taken unsigned so that even INT64_MIN has one.
    const bool negative = seconds < 0;
    const uint64_t magnitude =
        negative ? 0 - static_cast<uint64_t>(seconds) : static_cast<uint64_t>(seconds);
    const uint64_t days = magnitude / kSecondsPerDay;
    if (days >= kFirstDayCountNotShown) {
        std::snprintf(text, sizeof text, "#ERR");
        return;
    }
    const uint64_t rest = magnitude % kSecondsPerDay;
    const int hours = static_cast<int>(rest / kSecondsPerHour);
    const int minutes = static_cast<int>(rest % kSecondsPerHour / kSecondsPerMinute);
    const int secs = static_cast<int>(rest % kSecondsPerMinute);
    if (days > 0) {
        std::snprintf(text, sizeof text, " %3d %2d:%02d:%02d", static_cast<int>(days), hours,
                      minutes, secs);
    } else {
        std::snprintf(text, sizeof text, "     %2d:%02d:%02d", hours, minutes, secs);
    }
    // Both forms begin with a blank, so the sign takes its place and the width stays.
    if (negative) text[0] = '-';
}

void RowRenderer::drawAgentRow(const AgentRecord& record, int32_t row, int writeId) {
    const bool saveRedraw = settings_.redrawSaveMode != 0;
    if (saveRedraw) grid_.setRedraw(false);
    if (writeId == 1) grid_.setCellText(row, kColumnId, record.agentid.c_str());
    grid_.setCurrentRow(row);
    grid_.setCellText(row, kColumnName, record.agentname.c_str());

    const int64_t duration = durationOf(record);
    char durationText[16];
    formatDuration(duration, durationText);
    if (settings_.colors) {
        drawColouredCells(record, row, duration, durationText);
    } else {
        grid_.setCellText(row, kColumnMode, record.mode.c_str());
        grid_.setCellText(row, kColumnDuration, durationText);
        grid_.setCellText(row, kColumnExtState, record.dnstate.c_str());
    }
    grid_.setCellText(row, kColumnExtension, record.extension.c_str());
    grid_.setCellText(row, kColumnQueues, record.queues.c_str());
    if (saveRedraw) grid_.setRedraw(true);
}

int64_t RowRenderer::durationOf(const AgentRecord& record) const {
    const uint32_t start =
        record.heldtime != 0 && settings_.showHeldTime ? record.heldtime : record.modetime;
    return clock_.nowSeconds() - static_cast<int64_t>(start);
}

void RowRenderer::drawColouredCells(const AgentRecord& record, int32_t row, int64_t duration,
                                    const char* durationText) {
    const int modeSlot = slotOf(record.modecode, kModeOther);
    grid_.setCurrentColumn(kColumnMode);
    setCellColours(tables_.agentColours.slot[modeSlot]);
    grid_.setCellText(row, kColumnMode, record.mode.c_str());

    grid_.setCurrentColumn(kColumnDuration);
    setCellColours(durationColours(modeSlot, duration));
    grid_.setCellText(row, kColumnDuration, durationText);

    grid_.setCurrentColumn(kColumnExtState);
    setCellColours(tables_.extColours.slot[slotOf(record.extstatecode, kExtHeld)]);
    grid_.setCellText(row, kColumnExtState, record.dnstate.c_str());
}

ColourPair RowRenderer::durationColours(int modeSlot, int64_t duration) const {
    const ColourPair blackOnWhite{kBlack, kWhite};
    if (modeSlot == 0) return blackOnWhite;
    const ThresholdTable::Slot& slot = tables_.thresholds.slot[modeSlot];
    // A count outside 0..3 must not read past the bands.
    const int bands = std::clamp(slot.count, 0, ThresholdTable::kMaxBands);
    for (int band = 0; band < bands; ++band) {
        if (bandHolds(slot.bands[band], duration)) return slot.bands[band].colours;
    }
    return blackOnWhite;
}

void RowRenderer::setCellColours(const ColourPair& colours) {
    grid_.setCellForeColour(colours.fore);
    grid_.setCellBackColour(colours.back);
}
