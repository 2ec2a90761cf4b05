#include "agent_rows.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

namespace {

enum Column { kId, kName, kMode, kDuration, kExtension, kExtState, kQueues };
constexpr std::size_t kFieldsStart = 5;  // after the code and its separator
constexpr std::size_t kQueuesCapacity = 255;
constexpr std::size_t kModeCapacity = 15;

std::string cell(const GridView& grid, int row, Column column) {
    const char* text = grid.getCellText(row, column);
    return text != nullptr ? text : "<no cell>";
}

// An auxiliary mode 6 to 11 ("AUX7", also "AUX07") takes its title, which the built-in
// table makes "AUX<n>"; any other mode is shown as received.
std::string modeTitle(const std::string& mode) {
    if (mode.rfind("AUX", 0) == 0) {
        long number = std::strtol(mode.c_str() + 3, nullptr, 10);
        if (number >= 6 && number <= 11) return "AUX" + std::to_string(number);
    }
    return mode.substr(0, kModeCapacity);
}

std::string firstWord(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start]))) ++start;
    std::size_t end = start;
    while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end]))) ++end;
    return text.substr(start, std::min(end - start, kQueuesCapacity));
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const AgentRow& row) {
    return out << '[' << row.id << '|' << row.name << '|' << row.mode << '|' << row.extension << '|'
               << row.extState << '|' << row.queues << ']';
}

std::vector<AgentRow> rowsOnBoard(const GridView& grid) {
    std::vector<AgentRow> rows;
    for (int row = 1; grid.getCellText(row, kId) != nullptr; ++row) {
        rows.push_back({cell(grid, row, kId), cell(grid, row, kName), cell(grid, row, kMode),
                        cell(grid, row, kExtension), cell(grid, row, kExtState),
                        cell(grid, row, kQueues)});
    }
    return rows;
}

std::vector<std::string> durationsOnBoard(const GridView& grid) {
    std::vector<std::string> durations;
    for (int row = 1; grid.getCellText(row, kId) != nullptr; ++row) {
        durations.push_back(cell(grid, row, kDuration));
    }
    return durations;
}

AgentRow expectedRow(const std::string& body) {
    // Fields 1 to 7 end at a comma; the queues are the rest.
    std::string fields[8];
    std::size_t start = kFieldsStart;
    for (int i = 0; i < 7; ++i) {
        std::size_t comma = body.find(',', start);
        fields[i] = body.substr(start, comma - start);
        start = comma + 1;
    }
    fields[7] = body.substr(start);
    bool loggedOut = fields[2] == "LOGGEDOUT";
    return {fields[0],
            fields[1],
            modeTitle(fields[2]),
            loggedOut ? "none" : fields[3],
            loggedOut ? "unknown" : fields[6],
            firstWord(fields[7])};
}

std::vector<AgentRow> expectedRows(const std::string& finalStateText) {
    std::vector<AgentRow> rows;
    std::istringstream lines(finalStateText);
    for (std::string body; std::getline(lines, body);) rows.push_back(expectedRow(body));
    return rows;
}
