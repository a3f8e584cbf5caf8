// Number formatting for the game's screens.
#pragma once
#include <cstdint>
#include <string>

namespace lang {

// Decimal digits grouped by "," in threes from the right: 1234567 -> "1,234,567".
std::string FormatThousands(int32_t value);

// Whole minutes and seconds, minutes padded to two places: 65.9 -> " 1:05".
// Negative or unrepresentable times show as " 0:00".
std::string FormatTime(float seconds);

}  // namespace lang
