#pragma once
// The search settings word, stored in the configuration under "FindFlags".
#include <cstdint>

using FindFlags = uint16_t;

inline constexpr FindFlags kFindCurrentWindow = 0x0001;
inline constexpr FindFlags kFindAllWindows = 0x0002;
inline constexpr FindFlags kFindRegularExpression = 0x0004;
inline constexpr FindFlags kFindExact = 0x0008;
inline constexpr FindFlags kFindIgnoreCase = 0x0010;
inline constexpr FindFlags kFindForwards = 0x0020;
inline constexpr FindFlags kFindBackwards = 0x0040;
inline constexpr FindFlags kFindWrap = 0x0080;
inline constexpr FindFlags kFindConfirm = 0x0100;
inline constexpr FindFlags kFindWholeWords = 0x0200;
inline constexpr FindFlags kFindSkipMinimized = 0x0400;
inline constexpr FindFlags kFindByFunction = 0x0800;
inline constexpr FindFlags kFindSimilarWords = 0x1000;
