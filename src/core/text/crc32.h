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

 private:
  uint32_t table_[256];
};

CRC32& GetCRC32();

// The key every name-keyed lookup uses: the register over the upper-cased name.
uint32_t NameKey(const std::string& name);

}  // namespace num
