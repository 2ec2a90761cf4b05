#pragma once

#include <cstddef>

// The capacity of an agent id on the board.
inline constexpr std::size_t kAgentIdCapacity = 31;

// true when the zero-terminated `body` is an agent message that the board takes: the code
// 1008, one separator character, then all six text fields as the board's scan reads them.
// `id` receives the agent id.
bool readAgentMessageId(const char* body, char (&id)[kAgentIdCapacity + 1]);
