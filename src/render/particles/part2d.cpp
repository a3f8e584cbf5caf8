#include "render/particles/part2d.h"

#include "core/log.h"
#include "core/script/lua_writer.h"
#include "core/script/script_helper.h"

namespace part2d {

bool Part2D::Load(const std::string& path) {
  Part2DDefinition definition;
  return Build(Read(path, definition) ? &definition : nullptr, path);
}

bool Part2D::Read(const std::string& path, Part2DDefinition& definition) {
  LuaPlus::LuaState* state = script::CreateLuaState();
  const bool loaded = script::LoadDataScript(state, path);
  if (loaded) {
    LuaPlus::LuaObject table = script::GetGlobalObject(state, "Part2D");
    for (int i = 1, n = table.IsTable() ? table.GetTableCount() : 0; i <= n; ++i) {
      LuaPlus::LuaObject entry = table[i];
      if (entry.IsTable()) definition.groups.push_back(PartGroupDefinition::Read(entry));
    }
  }
  LuaPlus::LuaState::Destroy(state);
  return loaded;
}

bool Part2D::Build(const Part2DDefinition* definition, const std::string& path) {
  if (!definition) {
    LOG_LINE(MSG_ERROR, "\t Error loading Particle system object " + path);
    return false;
  }
  fileName_ = path;
  for (const PartGroupDefinition& entry : definition->groups) {
    auto group = std::make_unique<PartGroup>(this);
    group->Apply(entry);
    groups_.push_back(std::move(group));
  }
  return true;
}

bool Part2D::Save(const std::string& path) {
  fileName_ = path;
  WriteLua writer;
  if (!writer.Open(path)) return false;
  writer.BeginTable("Part2D");
  for (const auto& group : groups_) group->Save(writer);
  writer.EndTable(false);
  writer.Close();
  return true;
}

bool Part2D::Tick(float dt) {
  for (auto& group : groups_) group->Tick(dt);
  return !groups_.empty();
}

bool Part2D::Draw(const math::Vec2& offset, const math::Vec2& unused1, const math::Vec2& unused2) {
  for (auto& group : groups_) group->Draw(offset, unused1, unused2);
  return !groups_.empty();
}

Particle* Part2D::TriggerParticle(const math::Vec2& position) {
  return groups_.empty() ? nullptr : groups_[0]->AddParticle(position);
}

void Part2D::Trigger(const math::Vec2& position) {
  for (auto& group : groups_) group->AddParticle(position);
}

void Part2D::TriggerParticleSet(int count, const math::Vec2& position) {
  for (int i = 0; i < count; ++i) TriggerParticle(position);
}

PartGroup* Part2D::CreateGroup() {
  groups_.push_back(std::make_unique<PartGroup>(this));
  if (groups_.size() >= 4) {
    LOG_LINE(MSG_ERROR, "You're creating a VERY VERY big particle system. Are you sure you know what you're doing?");
  }
  groups_.back()->SetMaxC(100);
  return groups_.back().get();
}

}  // namespace part2d
