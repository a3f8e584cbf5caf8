// The game variables: the 300 integers of the current profile that the
// game's classes and its scripts share (power counts, gold, hint flags ...).
// Without a current profile every read answers 0 and every write is dropped.
#pragma once
#include <cstdint>

namespace game_var {
// The indexes the board's own classes use.
constexpr int32_t kFirstPowerCount = 11;  // power n's count at 10 + n
constexpr int32_t kGold = 22;
constexpr int32_t kHintsEnabled = 44;  // hints show while above 0
}  // namespace game_var

// 0 for an index outside 0 .. 299.
int32_t GetInt(int32_t index);
// Ignored for an index outside 0 .. 299.
void SetInt(int32_t index, int32_t value);
