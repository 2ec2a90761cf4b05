#pragma once

#include <string>
#include <vector>

// A strict reading of an agent message body as the simulator means to send it:
// "1008,<id>,<name>,<mode>,<ext>,<n1>,<n2>,<extstate>,<queues>", every text field within the
// board's capacity and free of commas, the numbers plain decimals, the queues without white
// space. `fields` gets the eight fields; `why` says what is wrong.
struct AgentBodyLayout {
    std::vector<std::string> fields;
    std::string why;

    bool read(const std::string& body);
    const std::string& id() const { return fields[0]; }
    const std::string& mode() const { return fields[2]; }
    const std::string& extState() const { return fields[6]; }
};
