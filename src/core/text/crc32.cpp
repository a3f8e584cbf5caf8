#include "core/text/crc32.h"

namespace num {
namespace {
uint32_t Reflect(uint32_t value, int bits) {
  uint32_t result = 0;
  for (int i = 0; i < bits; ++i)
    if (value & (1u << i)) result |= 1u << (bits - 1 - i);
  return result;
}

inline unsigned char UpperAscii(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}
}  // namespace

CRC32::CRC32() {
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t r = Reflect(i, 8) << 24;
    for (int bit = 0; bit < 8; ++bit) r = (r & 0x80000000u) ? (r << 1) ^ 0x04C11DB7u : (r << 1);
    table_[i] = Reflect(r, 32);
  }
}

uint32_t CRC32::Compute(const void* bytes, size_t length) const {
  const unsigned char* p = static_cast<const unsigned char*>(bytes);
  uint32_t reg = 0xFFFFFFFFu;
  for (size_t i = 0; i < length; ++i) reg = table_[(reg ^ p[i]) & 0xFF] ^ (reg >> 8);
  return reg;
}

// Hashes in place instead of through a fixed working copy, so names of any
// length give the same key the copy would.
uint32_t CRC32::ComputeString(const char* name, bool upperCase) const {
  uint32_t reg = 0xFFFFFFFFu;
  if (!name) return reg;  // as the empty name
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name); *p; ++p) {
    unsigned char b = upperCase ? UpperAscii(*p) : *p;
    reg = table_[(reg ^ b) & 0xFF] ^ (reg >> 8);
  }
  return reg;
}

CRC32& GetCRC32() {
  static CRC32 crc;
  return crc;
}

uint32_t NameKey(const std::string& name) { return GetCRC32().ComputeString(name.c_str(), true); }

}  // namespace num
