#pragma once
#include <cstdint>

// Every user-visible text by 16-bit id; a command's description is at command id + 7000.
// An id that is not present yields the empty string.
const char* MessageText(uint16_t id);

inline constexpr int kDescriptionOffset = 7000;
