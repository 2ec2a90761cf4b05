#pragma once

#include <cstdint>

#include "settings/fixed_text.h"

// Colours are 0x00BBGGRR: red in bits 0-7, green 8-15, blue 16-23.
constexpr uint32_t rgbColour(int red, int green, int blue) {
    return static_cast<uint32_t>(red & 0xFF) | static_cast<uint32_t>(green & 0xFF) << 8 |
           static_cast<uint32_t>(blue & 0xFF) << 16;
}

struct ColourPair {
    uint32_t fore = 0;
    uint32_t back = 0;
};

// Slot = ModeCode + 1; slot 0 belongs to a code outside 0..14.
struct AgentColourTable {
    static constexpr int kSlots = 16;
    ColourPair slot[kSlots];
};

// Slot = ExtStateCode + 1; slot 0 belongs to a code outside 0..8.
struct ExtColourTable {
    static constexpr int kSlots = 10;
    ColourPair slot[kSlots];
};

// A duration band: from <= d < to, or from <= d when to is -1.
struct ThresholdBand {
    int32_t from = 0;
    int32_t to = 0;
    ColourPair colours;
};

// Up to three bands per mode slot (indexed like AgentColourTable), in file order.
struct ThresholdTable {
    static constexpr int kSlots = 16;
    static constexpr int kMaxBands = 3;
    struct Slot {
        int32_t count = 0;
        ThresholdBand bands[kMaxBands];
    };
    Slot slot[kSlots];
};

// Display titles of the modes AUX6..AUX11; entry n - 6 for AUXn.
struct AuxTitleTable {
    static constexpr int kFirst = 6;
    static constexpr int kLast = 11;
    FixedText<15> title[kLast - kFirst + 1];
};

// The four tables that decide how the board looks, with their built-in defaults.
struct OptionTables {
    AgentColourTable agentColours;
    ExtColourTable extColours;
    ThresholdTable thresholds;
    AuxTitleTable auxTitles;

    void setDefaults();
};
