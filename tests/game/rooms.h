// The rooms that come with the game: the eight rooms of the two temples, in
// the order the map gives them, and the race track.
#pragma once
#include <ostream>
#include <string>

namespace game_test {

struct Room {
  const char* id;
  int index;   // the level index the map gives it; -1 for the race track
  bool rival;  // the rival races the explorer
};

inline constexpr Room kRooms[] = {
    {"temple_1_level_1", 0, false}, {"temple_1_level_2", 1, false}, {"temple_1_level_3", 2, false},
    {"temple_1_level_4", 3, false}, {"temple_1_level_5", 4, true},  {"temple_2_level_1", 5, false},
    {"temple_2_level_2", 6, false}, {"temple_2_level_3", 7, false}, {"race_1", -1, false},
};

// Test names and failures show the room by its id.
inline void PrintTo(const Room& room, std::ostream* out) { *out << room.id; }

inline std::string LevelFile(const Room& room) { return std::string("level/") + room.id + ".lua"; }

}  // namespace game_test
