#include "app/rms_block.h"

#include <algorithm>
#include <cstring>

#include "platform/codecs/little_endian.h"

namespace {
// Offsets in the block.
constexpr size_t kMagicAt = 0;
constexpr size_t kVersionAt = 4;
constexpr size_t kReservedAt = 8;
constexpr size_t kFullScreenAt = 12;
constexpr size_t kReservedByteAt = 13;
constexpr size_t kSoundVolumeAt = 14;
constexpr size_t kMusicVolumeAt = 18;
constexpr size_t kProfileCountAt = 22;
constexpr size_t kCurrentProfileAt = 26;
constexpr size_t kProfilesAt = 30;
// Offsets in a profile.
constexpr size_t kProfileSize = 4075;
constexpr size_t kTextSize = RMSProfile::kMaxTextLength + 1;
constexpr size_t kNameAt = 0;
constexpr size_t kLanguageAt = kNameAt + kTextSize;
constexpr size_t kLocationAt = kLanguageAt + kTextSize;
constexpr size_t kLevelsAt = kLocationAt + kTextSize;
constexpr size_t kLevelRecordSize = 12;
constexpr size_t kGameVariablesAt = kLevelsAt + kLevelRecordSize * RMSProfile::kLevelCount;
constexpr size_t kTrophiesAt = kGameVariablesAt + 4 * RMSProfile::kGameVariableCount;

static_assert(kLevelsAt == 75 && kGameVariablesAt == 2475 && kTrophiesAt == 3675, "profile layout");
static_assert(kTrophiesAt + 4 * RMSProfile::kTrophyCount == kProfileSize, "profile size");
static_assert(kProfilesAt + kProfileSize * RMSBlock::kMaxProfiles == RMSBlock::kSize, "block size");

void StoreInt(uint8_t* p, int32_t value) { platform::Store32(p, static_cast<uint32_t>(value)); }
int32_t LoadInt(const uint8_t* p) { return static_cast<int32_t>(platform::Load32(p)); }

void StoreFloat(uint8_t* p, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  platform::Store32(p, bits);
}
float LoadFloat(const uint8_t* p) {
  uint32_t bits = platform::Load32(p);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// The field is zero-filled after the text; longer text is cut so that the
// terminator always fits.
void StoreText(uint8_t* p, const std::string& text) {
  std::memset(p, 0, kTextSize);
  std::memcpy(p, text.data(), std::min(text.size(), RMSProfile::kMaxTextLength));
}
bool IsTerminated(const uint8_t* p) { return std::memchr(p, 0, kTextSize) != nullptr; }
std::string LoadText(const uint8_t* p) {
  size_t length = 0;
  while (length < RMSProfile::kMaxTextLength && p[length] != 0) ++length;
  return std::string(reinterpret_cast<const char*>(p), length);
}

void EncodeProfile(const RMSProfile& profile, uint8_t* out) {
  StoreText(out + kNameAt, profile.name);
  StoreText(out + kLanguageAt, profile.language);
  StoreText(out + kLocationAt, profile.location);
  for (size_t i = 0; i < profile.levels.size(); ++i) {
    uint8_t* record = out + kLevelsAt + kLevelRecordSize * i;
    StoreInt(record, profile.levels[i].open);
    StoreInt(record + 4, profile.levels[i].score);
    StoreInt(record + 8, profile.levels[i].rank);
  }
  for (size_t i = 0; i < profile.gameVariables.size(); ++i)
    StoreInt(out + kGameVariablesAt + 4 * i, profile.gameVariables[i]);
  for (size_t i = 0; i < profile.trophies.size(); ++i) StoreInt(out + kTrophiesAt + 4 * i, profile.trophies[i]);
}

void DecodeProfile(const uint8_t* in, RMSProfile& profile) {
  profile.name = LoadText(in + kNameAt);
  profile.language = LoadText(in + kLanguageAt);
  profile.location = LoadText(in + kLocationAt);
  for (size_t i = 0; i < profile.levels.size(); ++i) {
    const uint8_t* record = in + kLevelsAt + kLevelRecordSize * i;
    profile.levels[i] = {LoadInt(record), LoadInt(record + 4), LoadInt(record + 8)};
  }
  for (size_t i = 0; i < profile.gameVariables.size(); ++i)
    profile.gameVariables[i] = LoadInt(in + kGameVariablesAt + 4 * i);
  for (size_t i = 0; i < profile.trophies.size(); ++i) profile.trophies[i] = LoadInt(in + kTrophiesAt + 4 * i);
}
}  // namespace

void RMSBlock::Reset(uint32_t newMagic, uint32_t newVersion) {
  *this = RMSBlock();
  magic = newMagic;
  version = newVersion;
  useFullScreen = 1;
  soundVolume = kResetVolume;
  musicVolume = kResetVolume;
  for (RMSProfile& profile : profiles)
    for (RMSLevelRecord& level : profile.levels) level.rank = kResetRank;
}

void RMSBlock::Encode(uint8_t* out) const {
  platform::Store32(out + kMagicAt, magic);
  platform::Store32(out + kVersionAt, version);
  platform::Store32(out + kReservedAt, reserved);
  out[kFullScreenAt] = useFullScreen;
  out[kReservedByteAt] = reservedByte;
  StoreFloat(out + kSoundVolumeAt, soundVolume);
  StoreFloat(out + kMusicVolumeAt, musicVolume);
  StoreInt(out + kProfileCountAt, profileCount);
  StoreInt(out + kCurrentProfileAt, currentProfile);
  for (size_t i = 0; i < profiles.size(); ++i) EncodeProfile(profiles[i], out + kProfilesAt + kProfileSize * i);
}

void RMSBlock::Decode(const uint8_t* in) {
  magic = platform::Load32(in + kMagicAt);
  version = platform::Load32(in + kVersionAt);
  reserved = platform::Load32(in + kReservedAt);
  useFullScreen = in[kFullScreenAt];
  reservedByte = in[kReservedByteAt];
  soundVolume = LoadFloat(in + kSoundVolumeAt);
  musicVolume = LoadFloat(in + kMusicVolumeAt);
  profileCount = LoadInt(in + kProfileCountAt);
  currentProfile = LoadInt(in + kCurrentProfileAt);
  for (size_t i = 0; i < profiles.size(); ++i) DecodeProfile(in + kProfilesAt + kProfileSize * i, profiles[i]);
}

int RMSBlock::CountUnterminatedTexts(const uint8_t* in, int profiles) {
  int count = 0;
  for (int i = 0; i < std::min(profiles, kMaxProfiles); ++i) {
    const uint8_t* profile = in + kProfilesAt + kProfileSize * static_cast<size_t>(i);
    for (size_t at : {kNameAt, kLanguageAt, kLocationAt})
      if (!IsTerminated(profile + at)) ++count;
  }
  return count;
}
