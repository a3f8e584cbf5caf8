// The game variables' Lua globals. Lua numbers reach int arguments truncated,
// as everywhere in the engine.
#include <luabind/luabind.hpp>

#include <cstdint>

#include "board/game_variables.h"
#include "core/script/lua_adapter.h"
#include "platform/lua/luaplus.h"

namespace {

int32_t ToInt(double value) { return LuaPlus::NumberToInt(value); }

// The index `first` + n, or -1 (outside every table) when the sum leaves the
// range of an int.
int32_t Offset(int32_t first, double n) {
  const int64_t index = int64_t{first} + ToInt(n);
  return index >= 0 && index < game_var::kCount ? static_cast<int32_t>(index) : -1;
}

constexpr int32_t kTempleOpen = 1;
constexpr int32_t kTempleShouldOpen = 2;

bool TempleOpen(double i) { return GetInt(ToInt(i)) == kTempleOpen; }
bool ShouldTempleOpen(double i) { return GetInt(ToInt(i)) == kTempleShouldOpen; }
void SetTempleShouldOpen(double i) { SetInt(ToInt(i), kTempleShouldOpen); }
void SetTempleOpen(double i, bool open) { SetInt(ToInt(i), open ? kTempleOpen : 0); }

// A global pair over one fixed index.
template <int32_t Index>
int32_t Get() {
  return GetInt(Index);
}
template <int32_t Index>
void Set(double value) {
  SetInt(Index, ToInt(value));
}

void SetSpecialC(double i, double count) { SetInt(Offset(game_var::kFirstPowerCount, i), ToInt(count)); }
int32_t GetSpecialC(double i) { return GetInt(Offset(game_var::kFirstPowerCount, i)); }
bool IsHintEnabled() { return GetInt(game_var::kHintsEnabled) > 0; }
void SetHintEnabled(bool on) { SetInt(game_var::kHintsEnabled, on ? 1 : 0); }
bool IsStorySet(double i) { return GetInt(Offset(game_var::kFirstStory, i)) == 1; }
void TriggerStory(double i) { SetInt(Offset(game_var::kFirstStory, i), 1); }
// The first call answers false and marks the help as shown.
bool IsHowToPlaySet() {
  if (GetInt(game_var::kHowToPlay) > 0) return true;
  SetInt(game_var::kHowToPlay, 1);
  return false;
}

}  // namespace

void RegisterGameVariables(LuaPlus::LuaState* state) {
  using luabind::def;
  luabind::module(state->GetCState())[
      def("GetInt", script::IntsFromLua<&GetInt>),
      def("SetInt", script::IntsFromLua<&SetInt>),
      def("TempleOpen", &TempleOpen),
      def("ShouldTempleOpen", &ShouldTempleOpen),
      def("SetTempleShouldOpen", &SetTempleShouldOpen),
      def("SetTempleOpen", &SetTempleOpen),
      def("GetGold", &Get<game_var::kGold>),
      def("SetGold", &Set<game_var::kGold>),
      def("GetScore", &Get<game_var::kScore>),
      def("SetScore", &Set<game_var::kScore>),
      def("SetSpecialC", &SetSpecialC),
      def("GetSpecialC", &GetSpecialC),
      def("GetClearedRooms", &Get<game_var::kClearedRooms>),
      def("SetClearedRooms", &Set<game_var::kClearedRooms>),
      def("GetScarabTurn", &Get<game_var::kScarabTurn>),
      def("SetScarabTurn", &Set<game_var::kScarabTurn>),
      def("GetScarabAccel", &Get<game_var::kScarabAccel>),
      def("SetScarabAccel", &Set<game_var::kScarabAccel>),
      def("GetScarabSpeed", &Get<game_var::kScarabSpeed>),
      def("SetScarabSpeed", &Set<game_var::kScarabSpeed>),
      def("IsHintEnabled", &IsHintEnabled),
      def("SetHintEnabled", &SetHintEnabled),
      def("IsStorySet", &IsStorySet),
      def("TriggerStory", &TriggerStory),
      def("IsHowToPlaySet", &IsHowToPlaySet)];
}
