#include "well/effects/part2d_sfx_set.h"

#include <limits.h>
#include <unistd.h>

#include <unordered_map>

#include "core/math/random.h"
#include "render/particles/part2d.h"
#include "well/effects/well_sfx.h"

namespace well {

namespace {

// The file's groups, or null for a file that cannot run. Every board loads
// the same files, and a script state per file (or a search for a missing
// one) was most of a board's set-up: each file, by its full path as the
// working folder may change, is read once per process, and each set builds
// its own system from that reading.
// The working folder is read into a buffer of our own: asking the library
// for it costs a page-sized allocation each time.
std::string FullPath(const std::string& file) {
  char folder[PATH_MAX];
  if (file.empty() || file.front() == '/' || !getcwd(folder, sizeof folder)) return file;
  return std::string(folder) + "/" + file;
}

const part2d::Part2DDefinition* ReadOnce(const std::string& file) {
  static std::unordered_map<std::string, std::unique_ptr<part2d::Part2DDefinition>> read;
  auto [entry, fresh] = read.try_emplace(FullPath(file));
  if (fresh) {
    auto definition = std::make_unique<part2d::Part2DDefinition>();
    if (part2d::Part2D::Read(file, *definition)) entry->second = std::move(definition);
  }
  return entry->second.get();
}

}  // namespace

Part2DSFXSet::Part2DSFXSet(void* owner, WellSFX* effects) : SFXSet(owner, effects) {}

Part2DSFXSet::~Part2DSFXSet() = default;

bool Part2DSFXSet::Load(const std::string& file) {
  system_ = std::make_unique<part2d::Part2D>();
  return system_->Build(ReadOnce(file), file);
}

void Part2DSFXSet::TriggerCount(float count, const math::Vec2& position) {
  if (!system_) return;
  for (int i = 0; static_cast<float>(i) < count; ++i) system_->Trigger(position);
}

void Part2DSFXSet::TriggerSpread(float count, const math::Vec2& position, const math::Vec2& extent) {
  if (!system_) return;
  for (int i = 0; static_cast<float>(i) < count; ++i)
    system_->Trigger(position + num::GetRandom().RangeVec2({0.0f, 0.0f}, extent));
}

void Part2DSFXSet::Draw() {
  if (system_) system_->Draw(effects_->GetOffset(), {0.0f, 0.0f}, {0.0f, 0.0f});
}

void Part2DSFXSet::Tick(float dt) {
  if (system_) system_->Tick(dt);
}

}  // namespace well
