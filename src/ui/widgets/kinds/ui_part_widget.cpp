#include "ui/widgets/kinds/ui_part_widget.h"

#include <algorithm>

#include "core/math/geometry.h"
#include "core/script/lua_writer.h"
#include "core/script/script_helper.h"
#include "render/cameras/abstract_camera.h"
#include "ui/manager/ui_manager.h"

namespace ui {

namespace {
// Particles are born where the ray through the screen point meets z = 0.
const math::Plane kBirthPlane({0.0f, 0.0f, -1.0f}, 0.0f);
}  // namespace

UIPartWidget::UIPartWidget(UIWidget* parent, const std::string& name) : UIParticleWidget(parent, name) {}

UIPartWidget::~UIPartWidget() = default;

bool UIPartWidget::Load(const LuaPlus::LuaObject& table) {
  const bool loaded = UIWidget::Load(table);
  SetPartFile(script::ReadString(table, "Partsys", ""));
  forceOnTop_ = script::ReadBool(table, "ForceOnTop", false);
  genTime_ = script::ReadFloat(table, "GenTime", 1.0f);
  const int index = script::ReadInt(table, "PartIndex", 0);
  if (system_ && !partFileLoaded_) {
    partIndex_ = index;  // no groups to check it against: kept as given, to save again
  } else {
    SetPartIndex(index);
  }
  return loaded;
}

void UIPartWidget::SetPartIndex(int index) {
  if (!system_) return;
  partIndex_ = std::clamp(index, 0, static_cast<int>(system_->GroupC()));
}

bool UIPartWidget::Update(float dt) {
  const bool updated = UIWidget::Update(dt);
  const camera::AbstractCamera* camera = uiManager_->GetCamera();
  if (!system_ || !camera) return updated;
  if (genTime_ > 0.0f) {
    accumulator_ += dt;
    partsys::ParticleGroup* group = system_->GetGroup(static_cast<size_t>(partIndex_));
    // No more particles in one update than the group holds: a tiny GenTime
    // or a long frame drops the rest of the time instead of stalling.
    const int limit = group ? group->GetMaxC() : 0;
    for (int made = 0; accumulator_ > genTime_; ++made) {
      if (made >= limit) {
        accumulator_ = 0.0f;
        break;
      }
      accumulator_ -= genTime_;
      Generate(*group, *camera);
    }
  }
  system_->Update(dt);
  return updated;
}

void UIPartWidget::Generate(partsys::ParticleGroup& group, const camera::AbstractCamera& camera) {
  math::Vec3 birth(0.0f, 0.0f, 0.0f);
  math::IntersectRayPlane(camera.ScreenToWorldDir(RandomPoint()), kBirthPlane, camera.GetEye(), birth);
  partsys::Particle* slot = group.GetFreeParticle();
  partsys::ParticleEmitter* emitter = group.GetEmitter();
  if (!slot || !emitter) return;
  emitter->InitParticle(birth, *slot);
  // The quad's corner is the particle's position: centre it on the point.
  slot->position.x -= slot->size / 2;
  slot->position.y -= slot->size / 2;
  ++group.liveCount;
}

void UIPartWidget::DrawParticles() {
  const camera::AbstractCamera* camera = uiManager_->GetCamera();
  if (system_ && camera) system_->Render(camera->GetView(), 1.0f);
}

bool UIPartWidget::Render(bool force) {
  if (forceOnTop_ || !visible_ || !active_) return false;
  DrawParticles();
  return UIWidget::Render(force);
}

bool UIPartWidget::SaveType(WriteLua& writer) {
  // The type is written so that the widget reloads as a particle widget.
  writer.WriteString("Type", GetWidgetTypeName(kType));
  if (!system_) return true;
  writer.WriteString("Partsys", partFile_);
  writer.WriteFloat("GenTime", genTime_);
  writer.WriteInt("ForceOnTop", forceOnTop_ ? 1 : 0);
  writer.WriteInt("PartIndex", partIndex_);
  return true;
}

}  // namespace ui
