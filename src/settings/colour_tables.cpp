#include "settings/colour_tables.h"

namespace {

constexpr uint32_t kBlack = rgbColour(0, 0, 0);
constexpr uint32_t kWhite = rgbColour(255, 255, 255);
constexpr uint32_t kGreen = rgbColour(0, 255, 0);
constexpr uint32_t kRed = rgbColour(255, 0, 0);
constexpr uint32_t kCyan = rgbColour(0, 255, 255);
constexpr uint32_t kBlue = rgbColour(0, 0, 255);
constexpr uint32_t kOrange = rgbColour(255, 128, 0);
constexpr uint32_t kMagenta = rgbColour(255, 0, 255);
constexpr uint32_t kPurple = rgbColour(128, 0, 128);
constexpr uint32_t kYellow = rgbColour(255, 255, 0);
constexpr uint32_t kRedOrange = rgbColour(255, 51, 0);
constexpr uint32_t kMaroon = rgbColour(128, 0, 0);
constexpr uint32_t kSilver = rgbColour(192, 192, 192);

// Slot = ModeCode + 1.
constexpr ColourPair kDefaultAgentColours[AgentColourTable::kSlots] = {
    {kBlack, kWhite},    // a code outside 0..14
    {kBlack, kGreen},    // READY
    {kWhite, kRed},      // NOTREADY
    {kBlack, kCyan},     // ACWIB
    {kWhite, kBlue},     // ACWOB
    {kBlack, kOrange},   // OUTBOUND-NR
    {kBlack, kMagenta},  // INBOUND-NR
    {kWhite, kPurple},   // AUX6
    {kWhite, kPurple},   // AUX7
    {kWhite, kPurple},   // AUX8
    {kWhite, kPurple},   // AUX9
    {kWhite, kPurple},   // AUX10
    {kWhite, kPurple},   // AUX11
    {kBlack, kYellow},   // ACD
    {kBlack, kWhite},    // LOGGEDOUT
    {kWhite, kBlack},    // any other mode text
};

// Slot = ExtStateCode + 1.
constexpr ColourPair kDefaultExtColours[ExtColourTable::kSlots] = {
    {kBlack, kWhite},      // a code outside the table
    {kBlack, kWhite},      // unknown and unrecognised texts
    {kBlack, kWhite},      // UNAVAILABLE
    {kBlack, kGreen},      // IDLE
    {kBlack, kPurple},     // INUSE
    {kBlack, kRedOrange},  // BUSY
    {kWhite, kMaroon},     // RINGING
    {kBlack, kCyan},       // DIALING
    {kBlack, kYellow},     // ACDCALL
    {kBlack, kSilver},     // HELD
};

constexpr const char* kDefaultAuxTitles[] = {"AUX6", "AUX7", "AUX8", "AUX9", "AUX10", "AUX11"};
static_assert(sizeof kDefaultAuxTitles / sizeof kDefaultAuxTitles[0] ==
              AuxTitleTable::kLast - AuxTitleTable::kFirst + 1);

}  // namespace

void OptionTables::setDefaults() {
    for (int i = 0; i < AgentColourTable::kSlots; ++i) {
        agentColours.slot[i] = kDefaultAgentColours[i];
    }
    for (int i = 0; i < ExtColourTable::kSlots; ++i) extColours.slot[i] = kDefaultExtColours[i];
    thresholds = ThresholdTable{};
    for (int i = 0; i <= AuxTitleTable::kLast - AuxTitleTable::kFirst; ++i) {
        auxTitles.title[i].assign(kDefaultAuxTitles[i]);
    }
}
