#include "audio/audio_set.h"

#include <cstdlib>
#include <memory>

#include "audio/audio.h"
#include "core/log.h"
#include "core/script/lua_records.h"
#include "core/script/script_helper.h"

namespace audio {

namespace {

// The factor at the file's index, kept within 0.1 .. 1; 1 when none is given.
float BiasAt(const LuaPlus::LuaObject& biases, int index) {
  if (!biases.IsTable()) return 1.0f;
  LuaPlus::LuaObject value = biases[index];
  if (!value.IsNumber()) return 1.0f;
  float bias = static_cast<float>(value.GetNumber());
  if (!(bias >= 0.1f)) return 0.1f;  // NaN too
  return bias > 1.0f ? 1.0f : bias;
}

}  // namespace

AudioSet::AudioSet(Audio& audio) : audio_(audio) {}

void AudioSet::Load(const std::string& fileName) {
  bool loaded = script::ReadRecords(fileName, "SoundBank", [this](const LuaPlus::LuaObject& record) {
    std::string name = script::ReadString(record, "Name", "");
    LuaPlus::LuaObject files = record["Files"];
    LuaPlus::LuaObject biases = record["Bias"];
    if (!files.IsTable() || name.empty()) return;
    auto set = std::make_unique<SoundSet>();
    set->name = name;
    for (int j = 1, count = files.GetTableCount(); j <= count; ++j) {
      LuaPlus::LuaObject file = files[j];
      if (!file.IsString()) continue;
      std::string path = file.GetString();
      set->entries.push_back(SoundSetEntry{path, audio_.LoadSound(path, false), BiasAt(biases, j)});
    }
    if (Add(name, set.get())) set.release();
  });
  if (!loaded) LOG_LINE(MSG_ERROR, "Unable to load audio-set " + fileName + "!");
}

int AudioSet::PlaySet(const std::string& setName) {
  const SoundSet* set = Find(setName);
  if (!set) return -1;
  // A set whose file list held no names plays nothing.
  if (set->entries.empty()) return 0;
  const SoundSetEntry& entry = set->entries[static_cast<size_t>(std::rand()) % set->entries.size()];
  return static_cast<int>(audio_.PlaySample(entry.sampleKey, entry.bias));
}

}  // namespace audio
