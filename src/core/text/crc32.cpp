#include "core/text/crc32.h"

#include <zlib.h>

#include <cstring>

#include "core/text/crc32_fold.h"

namespace num {
namespace {
constexpr uint32_t kEmptyRegister = 0xFFFFFFFFu;
// From this length on, folding by carry-less multiplication wins.
constexpr size_t kFoldFrom = 64;
// Without it: below this length eight bytes a step beat zlib's crc32, whose
// interleaved words pay off only over longer runs.
constexpr size_t kZlibFrom = 256;
// Upper-cased bytes handed to zlib at a time.
constexpr size_t kChunkBytes = 4096;

// zlib's crc32 is the standard CRC-32, which inverts the register on the way
// in and on the way out; ours is the same register without the final
// inversion, so zlib continues it from its complement.
uint32_t ContinueWithZlib(uint32_t reg, const unsigned char* bytes, size_t length) {
  return ~static_cast<uint32_t>(crc32_z(~reg, bytes, length));
}

// Upper-cases eight bytes at once: only a to z fold, bytes of 0x80 and above
// stay as they are.
uint64_t UpperCaseWord(uint64_t bytes) {
  constexpr uint64_t kOnes = 0x0101010101010101u;
  constexpr uint64_t kHighBits = 0x80 * kOnes;
  const uint64_t low7 = bytes & ~kHighBits;
  // A byte's high bit is set once its low seven bits reach 'a', or pass 'z'.
  const uint64_t fromA = low7 + (0x80 - 'a') * kOnes;
  const uint64_t pastZ = low7 + (0x80 - 'z' - 1) * kOnes;
  const uint64_t lowerCase = fromA & ~pastZ & ~bytes & kHighBits;
  return bytes ^ (lowerCase >> 2);  // 0x80 >> 2 is the case bit 0x20
}

unsigned char UpperCaseByte(unsigned char c) {
  return static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c);
}

// A whole chunk: a loop of fixed length, which the compiler turns into
// vector instructions.
void UpperCaseChunk(const unsigned char* bytes, unsigned char* chunk) {
  for (size_t i = 0; i < kChunkBytes; ++i) {
    const unsigned char c = bytes[i];
    chunk[i] = static_cast<unsigned char>(c - (static_cast<unsigned char>(c - 'a') < 26 ? 'a' - 'A' : 0));
  }
}

uint64_t LoadWord(const unsigned char* bytes) {
  uint64_t word;
  std::memcpy(&word, bytes, sizeof word);  // little-endian: byte 0 is the low byte
  return word;
}
}  // namespace

CRC32::CRC32() : canFold_(CanFoldCrc32()) {
  const z_crc_t* table = get_crc_table();
  for (int i = 0; i < 256; ++i) slices_[0][i] = static_cast<uint32_t>(table[i]);
  for (int k = 1; k < 8; ++k)
    for (int i = 0; i < 256; ++i)
      slices_[k][i] = (slices_[k - 1][i] >> 8) ^ slices_[0][slices_[k - 1][i] & 0xFF];
}

uint32_t CRC32::Slices(uint32_t reg, const unsigned char* bytes, size_t length, bool upperCase) const {
  for (; length >= 8; length -= 8, bytes += 8) {
    uint64_t word = LoadWord(bytes);
    if (upperCase) word = UpperCaseWord(word);
    word ^= reg;
    reg = slices_[7][word & 0xFF] ^ slices_[6][(word >> 8) & 0xFF] ^ slices_[5][(word >> 16) & 0xFF] ^
          slices_[4][(word >> 24) & 0xFF] ^ slices_[3][(word >> 32) & 0xFF] ^
          slices_[2][(word >> 40) & 0xFF] ^ slices_[1][(word >> 48) & 0xFF] ^ slices_[0][word >> 56];
  }
  for (; length > 0; --length, ++bytes) {
    const unsigned char b = upperCase ? UpperCaseByte(*bytes) : *bytes;
    reg = slices_[0][(reg ^ b) & 0xFF] ^ (reg >> 8);
  }
  return reg;
}

uint32_t CRC32::Key(const unsigned char* bytes, size_t length, bool upperCase) const {
  if (length >= kFoldFrom && canFold_) {
    const size_t folded = length & ~size_t{15};
    return Slices(FoldCrc32(kEmptyRegister, bytes, folded, upperCase), bytes + folded, length - folded, upperCase);
  }
  if (length < kZlibFrom) return Slices(kEmptyRegister, bytes, length, upperCase);
  if (!upperCase) return ContinueWithZlib(kEmptyRegister, bytes, length);
  uint32_t reg = kEmptyRegister;
  alignas(8) unsigned char chunk[kChunkBytes];
  while (length > 0) {
    const size_t count = length < kChunkBytes ? length : kChunkBytes;
    if (count == kChunkBytes)
      UpperCaseChunk(bytes, chunk);
    else
      for (size_t i = 0; i < count; ++i) chunk[i] = UpperCaseByte(bytes[i]);
    reg = ContinueWithZlib(reg, chunk, count);
    bytes += count;
    length -= count;
  }
  return reg;
}

uint32_t CRC32::Compute(const void* bytes, size_t length) const {
  return Key(static_cast<const unsigned char*>(bytes), length, false);
}

// Hashes the name where it lies instead of through a fixed working copy, so
// names of any length give the key the copy would.
uint32_t CRC32::ComputeString(const char* name, bool upperCase) const {
  if (!name) return kEmptyRegister;  // as the empty name
  return Key(reinterpret_cast<const unsigned char*>(name), std::strlen(name), upperCase);
}

uint32_t CRC32::ComputeString(const std::string& name, bool upperCase) const {
  const void* end = std::memchr(name.data(), '\0', name.size());
  const size_t length = end ? static_cast<size_t>(static_cast<const char*>(end) - name.data()) : name.size();
  return Key(reinterpret_cast<const unsigned char*>(name.data()), length, upperCase);
}

CRC32& GetCRC32() {
  static CRC32 crc;
  return crc;
}

uint32_t NameKey(const std::string& name) { return GetCRC32().ComputeString(name, true); }

}  // namespace num
