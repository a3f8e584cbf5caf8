// The CRC-32 register over long runs by carry-less multiplication: four
// 16-byte lanes folded forward 64 bytes a step, several times faster than
// table lookups. Letters can be upper-cased on the way, in the same pass.
#pragma once
#include <cstddef>
#include <cstdint>

namespace num {

// Whether this processor multiplies without carry (PCLMULQDQ).
bool CanFoldCrc32();

// The register after `length` bytes, a multiple of 16 and at least 64. Only
// where CanFoldCrc32().
uint32_t FoldCrc32(uint32_t reg, const unsigned char* bytes, size_t length, bool upperCase);

}  // namespace num
