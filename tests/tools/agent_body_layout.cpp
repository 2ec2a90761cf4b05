#include "agent_body_layout.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <sstream>

namespace {

struct FieldRule {
    const char* name;
    std::size_t capacity;  // 0 for the two numbers
};

constexpr FieldRule kFields[] = {{"id", 31},        {"name", 63},        {"mode", 15},
                                 {"extension", 31}, {"first number", 0}, {"second number", 0},
                                 {"extstate", 15},  {"queues", 255}};

bool isDecimal(const std::string& text) {
    std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
    return text.size() > start &&
           std::all_of(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(),
                       [](unsigned char c) { return std::isdigit(c) != 0; });
}

bool hasWhiteSpace(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](unsigned char c) { return std::isspace(c) != 0; });
}

std::string checkField(const FieldRule& rule, const std::string& text) {
    if (text.empty()) return std::string(rule.name) + " is empty";
    if (rule.capacity == 0) return isDecimal(text) ? "" : std::string(rule.name) + " is no number";
    if (text.size() > rule.capacity) return std::string(rule.name) + " is too long";
    if (text.front() == ' ' || text.back() == ' ')
        return std::string(rule.name) + " has edge blanks";
    return "";
}

}  // namespace

bool AgentBodyLayout::read(const std::string& body) {
    fields.clear();
    if (body.rfind("1008,", 0) != 0) {
        why = "no 1008 code: " + body;
        return false;
    }
    std::stringstream rest(body.substr(5));
    for (std::string field; std::getline(rest, field, ',');) fields.push_back(field);
    if (body.back() == ',') fields.push_back("");
    if (fields.size() != std::size(kFields)) {
        why = std::to_string(fields.size()) + " fields in " + body;
        return false;
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        why = checkField(kFields[i], fields[i]);
        if (!why.empty()) {
            why += " in " + body;
            return false;
        }
    }
    if (hasWhiteSpace(fields[7]) || hasWhiteSpace(fields[0]) || hasWhiteSpace(fields[3])) {
        why = "white space in id, extension or queues: " + body;
        return false;
    }
    return true;
}
