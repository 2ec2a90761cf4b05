#include "tavrel-sim/fault_rule.h"

#include <cstring>
#include <string_view>

#include "tavrel-sim/number_text.h"

namespace {

struct KindName {
    const char* name;
    FaultKind kind;
    bool needsValue;
    int64_t defaultAmount;
    int64_t lowest;
    int64_t highest;
};

// Bad-length takes four characters rather than a number; its range entries are unused.
constexpr KindName kKinds[] = {
    {"split", FaultKind::Split, false, 20, 0, 10000},
    {"bad-marker", FaultKind::BadMarker, false, 0, 0, 0},
    {"bad-length", FaultKind::BadLength, false, 0, 0, 0},
    {"oversized", FaultKind::Oversized, false, kLargestOversizedFrame, kSmallestOversizedFrame,
     kLargestOversizedFrame},
    {"garbage", FaultKind::Garbage, false, 16, 1, kMostGarbageBytes},
    {"silence", FaultKind::Silence, true, 0, 1, 86400},
    {"close", FaultKind::Close, false, 0, 0, 0},
    {"bad-agent", FaultKind::BadAgent, false, 0, 0, 0},
    {"unexpected", FaultKind::Unexpected, false, 0, 0, 0},
};

const KindName* findKind(std::string_view name) {
    for (const KindName& entry : kKinds) {
        if (name == entry.name) return &entry;
    }
    return nullptr;
}

bool readValue(const KindName& kind, std::string_view value, FaultRule& rule, std::string& error) {
    if (kind.kind == FaultKind::BadLength) {
        if (value.empty()) return true;
        if (value.size() != 4) {
            error = "bad-length takes exactly four characters, e.g. 0006 or 00x9";
            return false;
        }
        std::memcpy(rule.lengthField, value.data(), 4);
        return true;
    }
    if (value.empty()) {
        if (!kind.needsValue) return true;
        error = std::string(kind.name) + " needs a value, e.g. " + kind.name + "=5";
        return false;
    }
    if (kind.highest == 0) {
        error = std::string(kind.name) + " takes no value";
        return false;
    }
    if (!readWholeNumber(value, kind.lowest, kind.highest, rule.amount)) {
        error = std::string(kind.name) + " value must be " + std::to_string(kind.lowest) + ".." +
                std::to_string(kind.highest);
        return false;
    }
    return true;
}

bool readTrigger(std::string_view trigger, FaultRule& rule, std::string& error) {
    if (trigger.starts_with("p=")) {
        if (readFraction(trigger.substr(2), 0, 1, rule.probability)) return true;
        error = "the probability after p= must be 0..1";
        return false;
    }
    if (trigger.starts_with("after=")) {
        if (readWholeNumber(trigger.substr(6), 0, INT64_MAX, rule.afterMessages)) return true;
        error = "the count after after= must be a whole number of messages";
        return false;
    }
    error = "a fault needs a trigger: ,p=<probability> or ,after=<messages>";
    return false;
}

}  // namespace

bool parseFaultRule(const std::string& text, FaultRule& rule, std::string& error) {
    std::string_view whole(text);
    std::size_t comma = whole.find(',');
    std::string_view head = whole.substr(0, comma);
    std::string_view trigger = comma == std::string_view::npos ? "" : whole.substr(comma + 1);
    std::size_t equals = head.find('=');
    std::string_view name = head.substr(0, equals);
    std::string_view value = equals == std::string_view::npos ? "" : head.substr(equals + 1);

    const KindName* kind = findKind(name);
    if (kind == nullptr) {
        error = "unknown fault '" + std::string(name) + "'";
        return false;
    }
    rule = FaultRule{};
    rule.kind = kind->kind;
    rule.amount = kind->defaultAmount;
    if (equals != std::string_view::npos && value.empty()) {
        error = std::string(kind->name) + "= needs a value";
        return false;
    }
    return readValue(*kind, value, rule, error) && readTrigger(trigger, rule, error);
}
