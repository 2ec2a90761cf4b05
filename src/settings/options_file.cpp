#include "settings/options_file.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "settings/config_lines.h"

namespace {

// Room for every message: a quoted line holds at most 509 characters.
constexpr int kDebugLineSize = 1024;

struct OptionsContext {
    OptionTables& tables;
    const BoardSettings& settings;
    const DebugLog& log;
};

// Complaints about the file go to the debug log only, and only with -debug.
[[gnu::format(printf, 3, 4)]] void debugLine(const BoardSettings& settings, const DebugLog& log,
                                             const char* format, ...) {
    if (!settings.debug) return;
    char text[kDebugLineSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    log.writeDebugLog(text);
}

ColourPair colourPairOf(const long long (&rgb)[6]) {
    return {
        rgbColour(static_cast<int>(rgb[0]), static_cast<int>(rgb[1]), static_cast<int>(rgb[2])),
        rgbColour(static_cast<int>(rgb[3]), static_cast<int>(rgb[4]), static_cast<int>(rgb[5]))};
}

// "AUX<n>=<title>": the title runs to the first ';', CR, LF or the end and needs at least one
// character; without one the line is not an AUX line at all.
bool applyAuxTitle(const OptionsContext& context, const char* line) {
    long long number = 0;
    int titleStart = -1;
    if (std::sscanf(line, "AUX%lld=%n", &number, &titleStart) != 1 || titleStart < 0) return false;
    const char* title = line + titleStart;
    const std::size_t titleLength = std::strcspn(title, ";\r\n");
    if (titleLength == 0 || !allFitInt32(&number, 1)) return false;

    const int n = static_cast<int>(number);
    if (n < AuxTitleTable::kFirst || n > AuxTitleTable::kLast) {
        debugLine(context.settings, context.log, "readOptions()->AUX%d is invalid; ignored", n);
        return true;
    }
    char value[ConfigLineReader::kBufferSize];
    const std::size_t kept = std::min(titleLength, sizeof value - 1);
    std::memcpy(value, title, kept);
    value[kept] = '\0';
    char label[32];
    std::snprintf(label, sizeof label, "**WRN AUX%d", n);
    validStringOptionSize(label, context.tables.auxTitles.title[n - AuxTitleTable::kFirst], value,
                          context.settings, context.log);
    return true;
}

// extcolor and agentcolor differ only in their key, their table and their warning.
struct ColourForm {
    const char* scanFormat;  // state, then fore and back as red,green,blue
    ColourPair* slots;
    int slotCount;
    const char* rejectFormat;  // takes the state and the line
};

bool applyColourLine(const OptionsContext& context, const char* line, const ColourForm& form) {
    long long state = 0;
    long long rgb[6] = {};
    if (std::sscanf(line, form.scanFormat, &state, &rgb[0], &rgb[1], &rgb[2], &rgb[3], &rgb[4],
                    &rgb[5]) != 7 ||
        !allFitInt32(&state, 1) || !allFitInt32(rgb, 6)) {
        return false;
    }
    if (state < 0 || state >= form.slotCount) {
        debugLine(context.settings, context.log, form.rejectFormat, static_cast<int>(state), line);
        return true;
    }
    form.slots[state] = colourPairOf(rgb);
    return true;
}

// The tests in their fixed order; the first that fails discards the line with its warning.
bool thresholdAccepted(const OptionsContext& context, const char* line, int state, int from,
                       int to) {
    const BoardSettings& settings = context.settings;
    if (state < 1 || state >= ThresholdTable::kSlots) {
        debugLine(settings, context.log, "**WRN invalid timethreshold <state>=%d; [%s] discarded",
                  state, line);
        return false;
    }
    if (from < 0 || to < -1) {
        debugLine(settings, context.log,
                  "**WRN invalid timethreshold->fromValue/toValue cannot be negative; [%s] "
                  "discarded",
                  line);
        return false;
    }
    if (to != -1 && from >= to) {
        debugLine(settings, context.log,
                  "**WRN invalid timethreshold->fromValue must be below toValue; [%s] discarded",
                  line);
        return false;
    }
    if (context.tables.thresholds.slot[state].count >= ThresholdTable::kMaxBands) {
        debugLine(settings, context.log,
                  "**WRN timethreshold->too many entry for state[%d]; [%s] discarded", state, line);
        return false;
    }
    return true;
}

bool applyThreshold(const OptionsContext& context, const char* line) {
    long long range[3] = {};  // state, from, to
    long long rgb[6] = {};
    if (std::sscanf(line, "timethreshold=%lld:%lld,%lld,%lld,%lld,%lld|%lld,%lld,%lld;", &range[0],
                    &range[1], &range[2], &rgb[0], &rgb[1], &rgb[2], &rgb[3], &rgb[4],
                    &rgb[5]) != 9 ||
        !allFitInt32(range, 3) || !allFitInt32(rgb, 6)) {
        return false;
    }
    const int state = static_cast<int>(range[0]);
    const int from = static_cast<int>(range[1]);
    const int to = static_cast<int>(range[2]);
    if (!thresholdAccepted(context, line, state, from, to)) return true;

    ThresholdTable::Slot& slot = context.tables.thresholds.slot[state];
    ThresholdBand& band = slot.bands[slot.count++];
    band = {from, to, colourPairOf(rgb)};
    debugLine(context.settings, context.log,
              "**DEB added->timethreshold[%d] cnt[%d] %d,%d (%08X)/(%08X)", state, slot.count, from,
              to, band.colours.fore, band.colours.back);
    return true;
}

void applyOptionLine(const OptionsContext& context, const char* line) {
    const ColourForm extColour{"extcolor=%lld:%lld,%lld,%lld|%lld,%lld,%lld;",
                               context.tables.extColours.slot, ExtColourTable::kSlots,
                               "**WRN invalid excolor <state>=%d; [%s] discarded"};
    const ColourForm agentColour{"agentcolor=%lld:%lld,%lld,%lld|%lld,%lld,%lld;",
                                 context.tables.agentColours.slot, AgentColourTable::kSlots,
                                 "**WRN invalid agentcolor <state>=%d; [%s] discarded"};
    if (applyAuxTitle(context, line)) return;
    if (applyColourLine(context, line, extColour)) return;
    if (applyColourLine(context, line, agentColour)) return;
    if (applyThreshold(context, line)) return;
    debugLine(context.settings, context.log, "**WRN: unknown option line [%s] discarded", line);
}

}  // namespace

int readOptions(OptionTables& tables, const BoardSettings& settings, const DebugLog& log) {
    tables.setDefaults();
    std::FILE* file = std::fopen(kOptionsFileName, "r");
    if (file == nullptr) return 0;
    const OptionsContext context{tables, settings, log};
    ConfigLineReader lines(file);
    while (const char* line = lines.next()) applyOptionLine(context, line);
    std::fclose(file);
    return 1;
}

void validStringOptionSize(const char* label, FixedText<15>& destination, const char* value,
                           const BoardSettings& settings, const DebugLog& log) {
    if (value == nullptr || value[0] == '\0') return;
    const std::size_t length = std::strlen(value);
    const int maxLength = static_cast<int>(FixedText<15>::capacity);
    if (length >= FixedText<15>::capacity) {
        debugLine(settings, log,
                  "WRN validStringOptionSize(%s)->sz(%d) of (%s) is >= maxlen(%d); truncated",
                  label, static_cast<int>(length), value, maxLength);
    }
    destination.assign(value);
}
