// The engine's name key: a reflected CRC-32 register with no final inversion.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace num {

class CRC32 {
 public:
  CRC32();
  // Register after the bytes; 0xFFFFFFFF for no bytes.
  uint32_t Compute(const void* bytes, size_t length) const;
  // Key of a NUL-terminated name, upper-casing ASCII letters when asked.
  uint32_t ComputeString(const char* name, bool upperCase) const;
  // The same for a name of known length; the name ends at its first NUL.
  uint32_t ComputeString(const std::string& name, bool upperCase) const;

 private:
  uint32_t Key(const unsigned char* bytes, size_t length, bool upperCase) const;
  uint32_t Slices(uint32_t reg, const unsigned char* bytes, size_t length, bool upperCase) const;

  // slices_[0] is the standard reflected table; slices_[k][i] is the register
  // change of byte i followed by k zero bytes, so eight bytes take one step.
  uint32_t slices_[8][256];
  bool canFold_;  // long runs by carry-less multiplication
};

CRC32& GetCRC32();

// The key every name-keyed lookup uses: the register over the upper-cased name.
uint32_t NameKey(const std::string& name);

}  // namespace num
