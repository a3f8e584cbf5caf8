#include "core/text/crc32_fold.h"

#if defined(__x86_64__) || defined(__i386__)
#include <emmintrin.h>
#include <wmmintrin.h>

namespace num {
namespace {
// x^n mod P for the reflected polynomial, shifted as the folds need them:
// 64-byte steps, 16-byte steps, the 64 to 32-bit fold, and the Barrett
// reduction's P and its quotient u.
constexpr long long kFold64Low = 0x154442bd4, kFold64High = 0x1c6e41596;
constexpr long long kFold16Low = 0x1751997d0, kFold16High = 0x0ccaa009e;
constexpr long long kFold32 = 0x163cd6124;
constexpr long long kPolynomial = 0x1db710641, kQuotient = 0x1f7011641;

#define VANTOR_CLMUL __attribute__((target("pclmul,sse2")))

VANTOR_CLMUL __m128i Load(const unsigned char* bytes, bool upperCase) {
  const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  if (!upperCase) return block;
  // Signed compares: bytes of 0x80 and above are below 'a' and stay.
  const __m128i lower = _mm_and_si128(_mm_cmpgt_epi8(block, _mm_set1_epi8('a' - 1)),
                                      _mm_cmplt_epi8(block, _mm_set1_epi8('z' + 1)));
  return _mm_xor_si128(block, _mm_and_si128(lower, _mm_set1_epi8(0x20)));
}

// The lane moved forward by the distance its constants stand for, added to
// the block that lies there.
VANTOR_CLMUL __m128i Fold(__m128i lane, __m128i constants, __m128i block) {
  const __m128i low = _mm_clmulepi64_si128(lane, constants, 0x00);
  const __m128i high = _mm_clmulepi64_si128(lane, constants, 0x11);
  return _mm_xor_si128(_mm_xor_si128(low, high), block);
}
}  // namespace

bool CanFoldCrc32() {
  __builtin_cpu_init();  // the key table may be built by a static initialiser that runs first
  return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse2");
}

VANTOR_CLMUL uint32_t FoldCrc32(uint32_t reg, const unsigned char* bytes, size_t length, bool upperCase) {
  __m128i lanes[4];
  for (int i = 0; i < 4; ++i) lanes[i] = Load(bytes + 16 * i, upperCase);
  lanes[0] = _mm_xor_si128(lanes[0], _mm_cvtsi32_si128(static_cast<int>(reg)));
  bytes += 64;
  length -= 64;

  const __m128i by64 = _mm_set_epi64x(kFold64High, kFold64Low);
  for (; length >= 64; bytes += 64, length -= 64)
    for (int i = 0; i < 4; ++i) lanes[i] = Fold(lanes[i], by64, Load(bytes + 16 * i, upperCase));

  const __m128i by16 = _mm_set_epi64x(kFold16High, kFold16Low);
  __m128i x = lanes[0];
  for (int i = 1; i < 4; ++i) x = Fold(x, by16, lanes[i]);
  for (; length >= 16; bytes += 16, length -= 16) x = Fold(x, by16, Load(bytes, upperCase));

  // 128 bits to 64, adding the 32 zero bits the register ends with.
  x = _mm_xor_si128(_mm_clmulepi64_si128(by16, x, 0x01), _mm_srli_si128(x, 8));
  // 64 to 32.
  const __m128i mask32 = _mm_set_epi32(0, 0, 0, -1);
  x = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x, mask32), _mm_set_epi64x(0, kFold32), 0x00),
                    _mm_srli_si128(x, 4));
  // Barrett reduction to the 32-bit register.
  const __m128i barrett = _mm_set_epi64x(kQuotient, kPolynomial);
  __m128i t = _mm_clmulepi64_si128(_mm_and_si128(x, mask32), barrett, 0x10);
  t = _mm_clmulepi64_si128(_mm_and_si128(t, mask32), barrett, 0x00);
  x = _mm_xor_si128(x, t);
  return static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(x, 4)));
}

}  // namespace num
#else
namespace num {
bool CanFoldCrc32() { return false; }
uint32_t FoldCrc32(uint32_t reg, const unsigned char*, size_t, bool) { return reg; }
}  // namespace num
#endif
