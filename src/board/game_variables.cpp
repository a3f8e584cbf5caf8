#include "board/game_variables.h"

#include "app/game_rms.h"

namespace {

int32_t* VariableAt(int32_t index) {
  if (index < 0 || index >= RMSProfile::kGameVariableCount) return nullptr;
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
