#include "ui/widgets/kinds/ui_flash_widget.h"

#include "core/log.h"
#include "core/script/lua_writer.h"
#include "core/script/script_helper.h"
#include "ui/manager/ui_manager.h"

namespace ui {

UIFlashWidget::UIFlashWidget(UIWidget* parent, const std::string& name) : UIWidget(parent, name) {
  type_ = kType;
  uiManager_->InitFlash();
}

UIFlashWidget::~UIFlashWidget() = default;

bool UIFlashWidget::Load(const LuaPlus::LuaObject& table) {
  UIWidget::Load(table);
  const std::string file = script::ReadString(table, "FlashMovie", "");
  const bool looping = script::ReadBool(table, "Looping", false);
  SetFlashClip(file);
  if (movie_) movie_->SetLooping(looping);
  return true;
}

bool UIFlashWidget::SaveType(WriteLua& writer) {
  // The type is written so that the widget reloads with its movie.
  writer.WriteString("Type", GetWidgetTypeName(kType));
  if (!movie_) return true;
  writer.WriteString("FlashMovie", movie_->GetFileName());
  writer.WriteInt("Looping", movie_->IsLooping() ? 1 : 0);
  return true;
}

bool UIFlashWidget::Update(float dt) {
  UIWidget::Update(dt);
  if (movie_) movie_->Advance(dt);
  return true;
}

bool UIFlashWidget::Render(bool force) {
  if (!force && (!visible_ || uiManager_->GetDragTarget() == this)) return false;
  if (movie_) movie_->Display(position_, size_);
  EachChildForward([](UIWidget* child) { child->Render(false); });
  return true;
}

void UIFlashWidget::ResetResources() {
  if (movie_) {
    const std::string file = movie_->GetFileName();
    movie_.reset();
    SetFlashClip(file);
  }
  UIWidget::ResetResources();
}

UIWidget* UIFlashWidget::GetClone() {
  auto* clone = new UIFlashWidget(parent_, NextCloneName());
  CopyInto(*clone);
  return clone;
}

void UIFlashWidget::SetFlashClip(const std::string& file) {
  if (movie_ && movie_->GetFileName() == file) {
    LOG_LINE(MSG_WARNING, "Trying to re-set the file. Reset instead?");
    movie_->Restart();
    return;
  }
  movie_.reset();
  if (file.empty()) return;
  movie_ = std::make_unique<flash::FlashMovie>();
  movie_->Load(file);
}

void UIFlashWidget::Reset() {
  if (movie_) movie_->Restart();
}

void UIFlashWidget::SetLoop(bool looping) {
  if (movie_) movie_->SetLooping(looping);
}

void UIFlashWidget::PauseClip(bool paused) {
  if (movie_) movie_->SetPaused(paused);
}

bool UIFlashWidget::IsLooping() const { return movie_ && movie_->IsLooping(); }

bool UIFlashWidget::IsPaused() const { return movie_ && movie_->IsPaused(); }

}  // namespace ui
