#include "ui/widgets/kinds/ui_part2d_widget.h"

#include <algorithm>

#include "core/script/lua_writer.h"
#include "core/script/script_helper.h"
#include "ui/manager/ui_manager.h"

namespace ui {

UIPart2DWidget::UIPart2DWidget(UIWidget* parent, const std::string& name) : UIParticleWidget(parent, name) {}

UIPart2DWidget::~UIPart2DWidget() = default;

bool UIPart2DWidget::Load(const LuaPlus::LuaObject& table) {
  const bool loaded = UIWidget::Load(table);
  SetPartFile(script::ReadString(table, "Partsys", ""));
  forceOnTop_ = script::ReadBool(table, "ForceOnTop", false);
  return loaded;
}

void UIPart2DWidget::SavePartFile(const std::string& path) {
  if (system_) system_->Save(path);
}

bool UIPart2DWidget::Update(float dt) {
  const bool updated = UIWidget::Update(dt);
  if (!system_ || paused_) return updated;
  for (int i = 0; i < system_->GroupC(); ++i) Generate(*system_->GetGroup(static_cast<unsigned>(i)), dt);
  system_->Tick(dt);
  return updated;
}

void UIPart2DWidget::Generate(part2d::PartGroup& group, float dt) {
  const int limit = group.GetMaxC();
  int made = 0;
  for (bool due = group.TickGeneration(dt); due; due = group.TickGeneration(0.0f)) {
    if (made++ >= limit) {
      group.DropGenerationTime();
      return;
    }
    group.AddParticle(RandomPoint());
  }
}

void UIPart2DWidget::TriggerParticles(int count) {
  part2d::PartGroup* group = system_ ? system_->GetGroup(0) : nullptr;
  if (!group) return;
  // Beyond the pool a trigger makes nothing: a huge count must not stall.
  count = std::min(count, group->GetMaxC());
  for (int i = 0; i < count; ++i) system_->TriggerParticle(RandomPoint());
}

void UIPart2DWidget::ClearParticles() {
  if (!system_) return;
  for (int i = 0; i < system_->GroupC(); ++i) system_->GetGroup(static_cast<unsigned>(i))->ClearParticles();
}

void UIPart2DWidget::DrawParticles() {
  // The effect stands on the screen, yet draws only in a frame the UI
  // manager's camera brackets, as the world-space one does.
  if (system_ && uiManager_->GetCamera()) system_->Draw({0.0f, 0.0f}, {0.0f, 0.0f}, {0.0f, 0.0f});
}

bool UIPart2DWidget::Render(bool) {
  if (!visible_ || !active_) return false;
  if (!forceOnTop_) DrawParticles();
  EachChildForward([](UIWidget* child) { child->Render(false); });
  return true;
}

bool UIPart2DWidget::SaveType(WriteLua& writer) {
  // The type is written so that the widget reloads as a particle widget.
  writer.WriteString("Type", GetWidgetTypeName(kType));
  if (!system_) return true;
  writer.WriteString("Partsys", partFile_);
  writer.WriteInt("ForceOnTop", forceOnTop_ ? 1 : 0);
  return true;
}

}  // namespace ui
