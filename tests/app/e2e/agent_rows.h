#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "app/grid/grid_view.h"

// One agent's grid row as the user reads it, the Duration column aside.
struct AgentRow {
    std::string id;
    std::string name;
    std::string mode;
    std::string extension;
    std::string extState;
    std::string queues;

    bool operator==(const AgentRow&) const = default;
};

std::ostream& operator<<(std::ostream& out, const AgentRow& row);

// The data rows of the grid, from row 1 down.
std::vector<AgentRow> rowsOnBoard(const GridView& grid);
// The Duration cells of the data rows, in the same order.
std::vector<std::string> durationsOnBoard(const GridView& grid);

// The row the board shows for a well-formed agent message body ("1008,..."), worked out
// here on its own terms: the mode title of the built-in titles, a logged-out agent's
// extension "none" and state "unknown", the queues up to the first white space.
AgentRow expectedRow(const std::string& body);
// The rows for the bodies of a final-state file, one a line, in its order.
std::vector<AgentRow> expectedRows(const std::string& finalStateText);
