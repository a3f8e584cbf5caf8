// The record store's data block: the settings and the ten profile slots,
// the values a reset gives them, and their little-endian encoding at the
// fixed offsets of the record file.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

struct RMSLevelRecord {
  int32_t open = 0;  // 0 closed, 1 open, above 1 cleared
  int32_t score = 0;
  int32_t rank = 0;
};

struct RMSProfile {
  // Text fields hold this many bytes and a terminator.
  static constexpr size_t kMaxTextLength = 24;
  static constexpr int kLevelCount = 200;
  static constexpr int kGameVariableCount = 300;
  static constexpr int kTrophyCount = 100;

  std::string name;
  std::string language;
  std::string location;
  std::array<RMSLevelRecord, kLevelCount> levels{};
  // Their meaning belongs to the game.
  std::array<int32_t, kGameVariableCount> gameVariables{};
  std::array<int32_t, kTrophyCount> trophies{};
};

struct RMSBlock {
  static constexpr size_t kSize = 40780;
  // The magic and the version lead the block.
  static constexpr size_t kHeaderSize = 8;
  static constexpr int kMaxProfiles = 10;
  static constexpr int32_t kResetRank = 10000;
  static constexpr float kResetVolume = 50.0f;

  // Every field zero, then the given magic and version, full screen on, both
  // volumes 50 and every level record of every slot (0, 0, 10000).
  void Reset(uint32_t newMagic, uint32_t newVersion);
  // Writes exactly kSize bytes.
  void Encode(uint8_t* out) const;
  // Reads exactly kSize bytes; a text field ends at its first zero byte or
  // after kMaxTextLength bytes, whichever comes first.
  void Decode(const uint8_t* in);
  // How many text fields of the first `profiles` profiles of an encoded
  // block have no terminator (and so were cut by Decode).
  static int CountUnterminatedTexts(const uint8_t* in, int profiles);

  uint32_t magic = 0;
  uint32_t version = 0;
  uint32_t reserved = 0;
  uint8_t useFullScreen = 0;
  uint8_t reservedByte = 0;
  float soundVolume = 0.0f;
  float musicVolume = 0.0f;
  int32_t profileCount = 0;
  // A value outside 0 .. profileCount - 1 means no profile is current.
  int32_t currentProfile = 0;
  std::array<RMSProfile, kMaxProfiles> profiles;
};
