// The game variables: 300 signed 32-bit values kept in the current profile of
// the record store (temple states, power counts, gold, score, story and hint
// flags, race settings), shared by the game's classes and its scripts.
// Without a current profile every value reads 0 and nothing is written.
#pragma once
#include <cstdint>

namespace LuaPlus {
class LuaState;
}

namespace game_var {

constexpr int32_t kCount = 300;
// The indexes the program itself uses.
constexpr int32_t kFirstPowerCount = 11;  // to 19: the count of power 1 to 9
constexpr int32_t kGold = 22;
constexpr int32_t kScore = 23;
constexpr int32_t kClearedRooms = 24;
constexpr int32_t kFirstStory = 25;
constexpr int32_t kScarabTurn = 41;
constexpr int32_t kScarabAccel = 42;
constexpr int32_t kScarabSpeed = 43;
constexpr int32_t kHintsEnabled = 44;
constexpr int32_t kHowToPlay = 84;

}  // namespace game_var

// Hint ids: each is also the index of the flag that says it was shown.
enum GameHint : int32_t {
  kHintClick1 = 45,
  kHintClick2 = 46,
  kHintClick3 = 47,
  kHintSwapping = 48,
  kHintExit = 49,
  kHintMap1 = 50,
  kHintMap2 = 51,
  kHintRightClick1 = 52,
  kHintRightClick2 = 53,
  kHintFirstMummy = 54,
  kHintFirstSpider = 55,
  kHintFirstLocust = 56,
  kHintFirstScarab = 57,
  kHintFirstScorpion = 58,
  kHintFirstCobra = 59,
  kHintFirstTreasure = 60,
  kHintFirstWeb = 61,
  kHintFirstRock = 62,
  kHintFirst2ClickTile = 63,
  kHintFirst3ClickTile = 64,
  kHintFirstBlocker = 65,
  kHintFirstTemple = 66,
  kHintFirstRoom = 67,
  kHintFirstRace = 68,
  kHintFirstScarabTips = 69,
  kHintFirstPuzzle = 70,
  kHintSpecialUse = 71,
  kHintShady = 72,
  kHintShadyAttack = 73,
  kHintSpecial1 = 74,  // to 82: power 1 to 9
  kHintHardLevel = 83,
};

// 0 for an index outside 0 .. 299.
int32_t GetInt(int32_t index);
// Ignored for an index outside 0 .. 299.
void SetInt(int32_t index, int32_t value);
int32_t GetGold();
void SetGold(int32_t gold);

// The 25 globals of the game variables, GetInt and SetInt first.
void RegisterGameVariables(LuaPlus::LuaState* state);
