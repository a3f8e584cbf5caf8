#include "board/game_variables.h"

#include "app/game_rms.h"

namespace {

// The current profile's table, or null when no profile is current.
int32_t* VariableAt(int32_t index) {
  if (index < 0 || index >= game_var::kCount) return nullptr;
  GameRMS* store = GetRMS();
  RMSProfile* profile = store ? store->GetCurrentProfileRecord() : nullptr;
  return profile ? &profile->gameVariables[static_cast<size_t>(index)] : nullptr;
}

}  // namespace

int32_t GetInt(int32_t index) {
  const int32_t* variable = VariableAt(index);
  return variable ? *variable : 0;
}

void SetInt(int32_t index, int32_t value) {
  if (int32_t* variable = VariableAt(index)) *variable = value;
}

int32_t GetGold() { return GetInt(game_var::kGold); }

void SetGold(int32_t gold) { SetInt(game_var::kGold, gold); }
