// A 256-entry lookup table over [0, 1], built from (value, length) pairs laid
// end to end in ascending order of value, each rising linearly to the next.
#pragma once
#include <utility>
#include <vector>

namespace LuaPlus {
class LuaState;
}

namespace math {

class Ramp {
 public:
  static constexpr int kEntries = 256;

  // The length is clamped to [0, 1]; the table changes only on Recalc.
  void AddValue(float value, float length);
  void Recalc();
  // Entry x * 256, clamped to the table.
  float GetValue(float x) const;

  // The Lua class "FloatRamp"; scripts only reach ramps the engine made.
  static void RegisterLua(LuaPlus::LuaState* state);

 private:
  std::vector<std::pair<float, float>> pairs_;  // (value, length)
  float table_[kEntries] = {};
};

}  // namespace math
