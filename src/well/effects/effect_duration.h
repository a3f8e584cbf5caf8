// Effects run while their remaining time is 0 or more: a negative (or not a
// number) duration would start an item that counts as stopped, and the set's
// running count would drift. Such a duration runs for no time instead.
#pragma once

namespace well {

inline float EffectDuration(float seconds) { return seconds > 0.0f ? seconds : 0.0f; }

}  // namespace well
