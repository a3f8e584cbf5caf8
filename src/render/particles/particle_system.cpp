#include "render/particles/particle_system.h"

#include "core/log.h"
#include "core/script/script_helper.h"
#include "render/device/graphics.h"

namespace partsys {

bool ParticleSystem::Load(const std::string& path) {
  LuaPlus::LuaState* state = script::CreateLuaState();
  bool loaded = script::LoadDataScript(state, path);
  if (loaded) {
    LuaPlus::LuaObject groups = script::GetGlobalObject(state, "ParticleGroups");
    loaded = groups.IsTable();
    for (int i = 1, n = loaded ? groups.GetTableCount() : 0; i <= n; ++i) AddParticleGroup(groups[i]);
  }
  LuaPlus::LuaState::Destroy(state);
  if (!loaded) {
    LOG_LINE(MSG_ERROR, "\t Error loading Particle system object " + path);
    return false;
  }
  fileName_ = path;
  return true;
}

bool ParticleSystem::AddParticleGroup(const LuaPlus::LuaObject& table) {
  auto group = std::make_unique<ParticleGroup>(this);
  group->Load(table);
  groups_.push_back(std::move(group));
  return true;
}

bool ParticleSystem::Update(float dt) {
  for (auto& group : groups_) group->Update(dt);
  return true;
}

bool ParticleSystem::Render(const math::Matrix4& view, float alpha) {
  Graphics* graphics = GetGraphics();
  if (!graphics) return false;
  graphics->SetRenderState(Graphics::kDepthTest, 0);
  graphics->SetRenderState(Graphics::kDepthWrite, 0);
  graphics->SetRenderState(Graphics::kAlphaTest, 1);
  graphics->SetRenderState(Graphics::kAlphaRef, 16);
  graphics->SetRenderState(Graphics::kLighting, 0);
  graphics->SetTextureStage(0, Graphics::kColourOp, Graphics::kModulate);
  graphics->SetTextureStage(0, Graphics::kAlphaOp, Graphics::kModulate);
  graphics->SetTextureStage(1, Graphics::kColourOp, Graphics::kDisable);
  D3DMATRIX identity = {};
  for (int i = 0; i < 4; ++i) identity.m[i][i] = 1.0f;
  graphics->SetTransform(Graphics::kWorld, identity);
  const math::Vec3 right(view.m[0][0], view.m[1][0], view.m[2][0]);
  const math::Vec3 up(view.m[0][1], view.m[1][1], view.m[2][1]);
  for (auto& group : groups_) group->Render(right, up, alpha);
  graphics->SetRenderState(Graphics::kDepthTest, 1);
  graphics->SetRenderState(Graphics::kDepthWrite, 1);
  graphics->SetRenderState(Graphics::kAlphaTest, 0);
  graphics->SetRenderState(Graphics::kLighting, 0);
  graphics->SetRenderState(Graphics::kSourceBlend, Graphics::kBlendSourceAlpha);
  graphics->SetRenderState(Graphics::kDestBlend, Graphics::kBlendInverseSourceAlpha);
  return true;
}

}  // namespace partsys
