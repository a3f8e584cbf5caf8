#include "ui/widgets/ui_widget.h"

#include <strings.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "core/script/console.h"
#include "core/log.h"
#include "core/script/script_helper.h"
#include "core/text/utf.h"
#include "core/script/lua_writer.h"
#include "render/fonts/font_manager.h"
#include "render/device/graphics.h"
#include "audio/audio.h"
#include "ui/widgets/kinds/ui_check_box.h"
#include "ui/widgets/kinds/ui_drop_down.h"
#include "ui/widgets/kinds/ui_flash_widget.h"
#include "ui/manager/ui_manager.h"
#include "ui/manager/ui_mover.h"
#include "ui/widgets/kinds/ui_multi_line.h"
#include "ui/widgets/kinds/ui_progress.h"
#include "ui/widgets/kinds/ui_slider.h"
#include "ui/widgets/kinds/ui_part2d_widget.h"
#include "ui/widgets/widget_lifetime.h"

namespace ui {

namespace {

const char* const kTypeNames[] = {"widget",   "progress", "slider",  "dropdown", "multiline",
                                  "checkbox", "flash",    "partsys", "part2d"};
const char* const kEventNames[UIWidget::kEventCount] = {
    "on_load",       "gain_focus",  "loose_focus", "drag",          "drop",        "mouse_over",   "mouse_off",
    "hoover",        "lmb_click",   "lmb_dbl_click", "lmb_repeat",  "rmb_click",   "rmb_dbl_click", "rmb_repeat",
    "lmb_release",   "rmb_release", "slider_change", "clip_ended",  "text_enter",  "selected",     "up_key",
    "down_key",      "left_key",    "right_key",   "tab_key"};
const char* const kHJustNames[] = {"center", "left", "right"};
const char* const kVJustNames[] = {"center", "top", "bottom"};
const std::string kNoScript;

constexpr size_t kFormattedBytes = 1024;

int g_nonameCount = 0;
int g_cloneCount = 0;

std::string Numbered(const char* prefix, int& counter) { return prefix + std::to_string(counter++); }

// A colour byte as a number that reads back as the same byte: byte / 255,
// rounded up at the sixth decimal (the reader truncates byte x 255).
float ColourComponent(uint32_t byte) { return static_cast<float>((byte * 1000000u + 254u) / 255u) / 1e6f; }

}  // namespace

const char* GetWidgetTypeName(int type) {
  return type >= 0 && type < static_cast<int>(sizeof kTypeNames / sizeof kTypeNames[0]) ? kTypeNames[type]
                                                                                          : kTypeNames[0];
}

const char* GetEventName(int index) {
  return index >= 0 && index < UIWidget::kEventCount ? kEventNames[index] : "unknown";
}

void UIWidget::ResetNameCounters() {
  g_nonameCount = 0;
  g_cloneCount = 0;
}

UIWidget::UIWidget(UIWidget* parent, const std::string& name)
    : NamedList<UIWidget>(true, &DestroyWidget), uiManager_(GetUIMan()), parent_(parent), name_(name) {
  for (UISprite& image : images_) image.owner = this;
  text_.owner = this;
}

UIWidget::~UIWidget() {
  Clear();
  uiManager_->ForgetWidget(this);
}

void UIWidget::MarkDead() {
  dead_ = true;
  EachChildForward([](UIWidget* child) { child->MarkDead(); });
}

int UIWidget::Depth() const {
  int depth = 0;
  for (const UIWidget* up = parent_; up; up = up->parent_) ++depth;
  return depth;
}

bool UIWidget::Init(const std::string& name, const math::Vec2& position, const math::Vec2& size) {
  SetPosition(position);
  SetSize(size);
  uv1_ = {0, 0};
  uv2_ = {1, 1};
  SetColor(1, 1, 1, 1);
  name_ = name;
  rotation_ = 0;
  SetFont(uiManager_->GetFontName());
  SetTextW(u"");
  active_ = true;
  for (int i = kImageOff; i <= kImageClick; ++i) {
    images_[i].owner = this;
    images_[i].uv1 = uv1_;
    images_[i].uv2 = uv2_;
  }
  sourceFile_ = "unknown";
  return true;
}

bool UIWidget::Load(const LuaPlus::LuaObject& table) {
  WidgetCallScope scope;
  SetPosition(script::ReadVec2(table, "Pos", {0, 0}));
  SetSize(script::ReadVec2(table, "Size", {0.3f, 0.3f}));
  uv1_ = script::ReadVec2(table, "UV1", {0, 0});
  uv2_ = script::ReadVec2(table, "UV2", {1, 1});
  playSound_ = script::ReadBool(table, "PlaySound", true);
  blockAll_ = script::ReadBool(table, "BlockAll", false);
  const math::Vec4 colour = script::ReadVec4(table, "Color", {1, 1, 1, 1});
  const math::Vec4 textColour = script::ReadVec4(table, "TextColor", {1, 1, 1, 1});
  SetColor(colour.x, colour.y, colour.z, colour.w);
  SetTextColor(textColour.x, textColour.y, textColour.z, textColour.w);
  rotation_ = script::ReadFloat(table, "Rotation", 0);
  name_ = script::ReadString(table, "Name", "");
  if (name_.empty()) name_ = Numbered("Noname_widget", g_nonameCount);
  SetFont(script::ReadString(table, "Font", uiManager_->GetFontName()));
  text_.border = script::ReadVec2(table, "BorderSize", {0.005f, 0.005f});
  const std::string hJust = script::ReadString(table, "HJust", "");
  const std::string vJust = script::ReadString(table, "VJust", "");
  const bool canEdit = script::ReadBool(table, "CanEdit", false);
  if (!hJust.empty()) text_.SetHJust(hJust);
  if (!vJust.empty()) text_.SetVJust(vJust);
  text_.editable = text_.swearFilter = canEdit ? 1 : 0;
  SetText(script::ReadString(table, "Text", ""));

  const std::string imageNames[] = {script::ReadString(table, "MouseOff", ""),
                                    script::ReadString(table, "MouseOver", ""),
                                    script::ReadString(table, "MouseClick", "")};
  for (int i = kImageOff; i <= kImageClick; ++i)
    if (!imageNames[i].empty()) LoadKindImage(i, imageNames[i], uv1_, uv2_).Tick(0);
  const uint8_t additive = script::ReadBool(table, "Additive", false) ? 1 : 0;
  for (UISprite& image : images_) image.additive = additive;
  for (int i = 0; i < kEventCount; ++i) {
    LuaPlus::LuaObject script = table[kEventNames[i]];
    if (script.IsString()) events_[i] = script.GetString();
  }
  LoadChildren(table["Children"]);
  if (script::ReadInt(table, "CanDrag", 0) != 0) canDrag_ = true;
  if (script::ReadInt(table, "Active", 1) != 1) active_ = false;
  RunEvent(kOnLoad);
  return true;
}

UISprite& UIWidget::LoadKindImage(int index, const std::string& name, const math::Vec2& uv1, const math::Vec2& uv2) {
  UISprite& image = images_[index];
  image.owner = this;
  if (name.empty()) return image;
  image.LoadImage(name);
  image.GetNativeSize(image.size);
  image.uv1 = uv1;
  image.uv2 = uv2;
  image.additive = 0;
  return image;
}

void UIWidget::LoadChildren(const LuaPlus::LuaObject& children) {
  // Counted once: a child's "on_load" does not change how many are read.
  for (int i = 1, count = children.GetTableCount(); i <= count; ++i) {
    // A table nested too deep, or holding itself, would exhaust the stack.
    UIWidget* child = Depth() + 1 < kMaxNesting ? uiManager_->CreateWidgetFromTable(this, children[i]) : nullptr;
    if (!child) {
      LOG_LINE(MSG_WARNING, "Unable to create child!");
      continue;
    }
    child->parent_ = this;
    // A second child of the same name stays out of the tree and goes.
    if (!Add(child->GetName(), child)) DestroyWidget(child);
  }
}

void UIWidget::WriteColour(WriteLua& writer, const char* key, uint32_t colour) const {
  writer.WriteVec4(key, {ColourComponent(colour >> 16 & 0xFF), ColourComponent(colour >> 8 & 0xFF),
                         ColourComponent(colour & 0xFF), ColourComponent(colour >> 24)});
}

bool UIWidget::Save(WriteLua& writer) {
  writer.WriteString("Name", name_);
  writer.WriteString("Font", text_.GetFontName());
  writer.WriteWString("Text", SavedText());
  writer.WriteVec2("BorderSize", text_.border);
  writer.WriteVec2("Pos", parent_ ? position_ - parent_->position_ : position_);
  writer.WriteVec2("Size", size_);
  writer.WriteVec2("UV1", uv1_);
  writer.WriteVec2("UV2", uv2_);
  WriteColour(writer, "Color", colour_);
  int additive = 0;
  for (const UISprite& image : images_) {
    if (!image.HasImage()) continue;
    additive = image.additive ? 1 : 0;
    break;
  }
  writer.WriteInt("Additive", additive);
  writer.WriteFloat("Rotation", rotation_);
  writer.WriteString("HJust", kHJustNames[text_.GetHJust()]);
  writer.WriteString("VJust", kVJustNames[text_.GetVJust()]);
  if (text_.editable) writer.WriteInt("CanEdit", 1);
  if (canDrag_) writer.WriteInt("CanDrag", 1);
  if (!active_) writer.WriteInt("Active", 0);
  if (!playSound_) writer.WriteInt("PlaySound", 0);
  // Written so that a saved modal panel stays modal.
  if (blockAll_) writer.WriteInt("BlockAll", 1);
  WriteColour(writer, "TextColor", text_.colour);
  const char* const imageKeys[] = {"MouseOff", "MouseOver", "MouseClick"};
  for (int i = kImageOff; i <= kImageClick; ++i)
    if (images_[i].HasImage()) writer.WriteString(imageKeys[i], images_[i].GetName());
  SaveType(writer);
  for (int i = 0; i < kEventCount; ++i)
    if (!events_[i].empty()) writer.WriteString(kEventNames[i], events_[i]);
  if (Count() == 0) return true;
  writer.BeginTable("Children");
  EachChildForward([&writer](UIWidget* child) {
    writer.BeginTable("-- Child entry");
    child->Save(writer);
    writer.EndTable(true);
  });
  writer.EndTable(true);
  return true;
}

bool UIWidget::SaveType(WriteLua& writer) {
  writer.WriteString("Type", GetWidgetTypeName(0));
  return true;
}

UISprite* UIWidget::ShownImage() {
  if (images_[currentImage_].HasImage()) return &images_[currentImage_];
  return images_[kImageOff].HasImage() ? &images_[kImageOff] : nullptr;
}

bool UIWidget::Update(float dt) {
  if (!visible_) return false;
  WidgetCallScope scope;
  entered_ = left_ = false;
  UpdateMovers(dt);
  if (UISprite* image = ShownImage()) image->Tick(dt);
  EachChildForward([dt](UIWidget* child) { child->Update(dt); });
  return true;
}

void UIWidget::UpdateMovers(float dt) {
  if (movers_.empty()) return;
  if (!movers_.front()->IsDone()) movers_.front()->Update(dt);
  // Movers taken out as done are destroyed, not leaked.
  movers_.erase(std::remove_if(movers_.begin(), movers_.end(),
                               [](const std::unique_ptr<UIMover>& mover) { return mover->IsDone(); }),
                movers_.end());
}

void UIWidget::AddMover(std::unique_ptr<UIMover> mover) {
  if (mover) movers_.push_back(std::move(mover));
}

void UIWidget::ClearMovers() {
  for (const std::unique_ptr<UIMover>& mover : movers_) mover->Clear();
}

void UIWidget::DeleteMovers() {
  // Moved out first: a mover's destruction must not find itself half-erased.
  std::vector<std::unique_ptr<UIMover>> gone;
  gone.swap(movers_);
}

std::unique_ptr<UIMover> UIWidget::TakeMover(UIMover* mover) {
  const auto at = std::find_if(movers_.begin(), movers_.end(),
                               [mover](const std::unique_ptr<UIMover>& listed) { return listed.get() == mover; });
  if (at == movers_.end()) return nullptr;
  std::unique_ptr<UIMover> taken = std::move(*at);
  movers_.erase(at);
  return taken;
}

void UIWidget::DropMover(UIMover* mover) { TakeMover(mover); }

math::Vec2 UIWidget::GetPositionInParent() const {
  return parent_ ? position_ - parent_->position_ : position_;
}

bool UIWidget::Render(bool force) {
  if (!force && (!visible_ || uiManager_->GetDragTarget() == this)) return false;
  if (UISprite* image = ShownImage()) {
    image->SetRect(position_, size_, rotation_, 0, colour_);
    image->Render();
  }
  text_.Render();
  EachChildForward([](UIWidget* child) { child->Render(false); });
  return true;
}

bool UIWidget::RenderOnTop() {
  if (!visible_ || !active_) return false;
  EachChildForward([](UIWidget* child) { child->RenderOnTop(); });
  return true;
}

bool UIWidget::ForwardToChildren(int value) {
  if (active_) EachChildForward([value](UIWidget* child) { child->ForwardToChildren(value); });
  return false;
}

void UIWidget::ResetResources() {
  EachChildForward([](UIWidget* child) { child->ResetResources(); });
}

bool UIWidget::IsInside(const math::Vec2& point) const {
  return position_.x <= point.x && point.x <= position_.x + size_.x && position_.y <= point.y &&
         point.y <= position_.y + size_.y;
}

void UIWidget::SetPosition(const math::Vec2& relative) {
  const math::Vec2 old = position_;
  position_ = parent_ ? relative + parent_->position_ : relative;
  text_.SetRect(position_, size_);
  // Children keep their offsets.
  EachChildForward([&old](UIWidget* child) { child->SetPosition(child->position_ - old); });
}

void UIWidget::SetPositionRelativeToParent(const math::Vec2& absolute) {
  SetPosition(parent_ ? absolute - parent_->position_ : absolute);
}

void UIWidget::SetSize(const math::Vec2& size) {
  size_ = size;
  text_.SetRect(position_, size_);
}

bool UIWidget::HasImage() const {
  return images_[currentImage_].HasImage() || images_[kImageOff].HasImage();
}

void UIWidget::SetText(const std::string& utf8) { SetTextW(lang::UTF8ToWide(utf8)); }

bool UIWidget::SetTextW(const std::u16string& text) {
  text_.owner = this;
  text_.SetRect(position_, size_);
  text_.SetText(text);
  return true;
}

void UIWidget::AppendText(const std::string& utf8) { AppendTextW(lang::UTF8ToWide(utf8)); }

bool UIWidget::AppendTextW(const std::u16string& text) {
  text_.AppendText(text);
  return true;
}

void UIWidget::RefreshText() {
  text_.Refresh();
  EachChildForward([](UIWidget* child) { child->RefreshText(); });
}

std::string UIWidget::GetText() const { return lang::WideToUTF8(text_.GetDisplayed()); }

void UIWidget::SetFont(const std::string& name) { text_.SetFont(name); }

void UIWidget::SelectAllText() {
  text_.caret = 0;
  text_.selectionEnd = static_cast<int>(text_.GetDisplayed().size());
  text_.UpdateSelection();
}

void UIWidget::SetColor(float r, float g, float b, float a) { colour_ = PackARGB(r, g, b, a); }

void UIWidget::SetTextColor(float r, float g, float b, float a) { text_.colour = PackARGB(r, g, b, a); }

void UIWidget::SetImage(int index, const std::string& name) {
  if (index >= 0 && index < kImageCount) images_[index].LoadImage(name);
}

void UIWidget::SetTextFormatted(UIWidget* widget, const char* format, ...) {
  if (!widget) return;
  char buffer[kFormattedBytes];
  va_list args;
  va_start(args, format);
  // vsnprintf cuts a longer text and always terminates it.
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  widget->SetText(buffer);
}

const std::string& UIWidget::GetEvent(int index) const {
  return index >= 0 && index < kEventCount ? events_[index] : kNoScript;
}

void UIWidget::SetEvent(int index, const std::string& script) {
  if (index >= 0 && index < kEventCount) events_[index] = script;
}

void UIWidget::ReloadImages() {
  for (UISprite& image : images_)
    if (image.IsLocalised()) {
      const std::string name = image.GetName();
      image.LoadImage(name);
    }
  EachChildForward([](UIWidget* child) { child->ReloadImages(); });
}

UIWidget* UIWidget::GetWidgetByName(const std::string& name) {
  if (strcasecmp(name_.c_str(), name.c_str()) == 0) return this;
  UIWidget* found = nullptr;
  WalkForward([&](UIWidget* child) { return (found = child->GetWidgetByName(name)) != nullptr; });
  return found;
}

UIWidget* UIWidget::GetWidgetOfType(const std::string& name, int type) {
  UIWidget* found = GetWidgetByName(name);
  return found && found->type_ == type ? found : nullptr;
}

UISlider* UIWidget::GetSliderByName(const std::string& name) {
  return static_cast<UISlider*>(GetWidgetOfType(name, kTypeSlider));
}

UIProgress* UIWidget::GetProgressByName(const std::string& name) {
  return static_cast<UIProgress*>(GetWidgetOfType(name, kTypeProgress));
}

UIDropDown* UIWidget::GetDropDownByName(const std::string& name) {
  return static_cast<UIDropDown*>(GetWidgetOfType(name, kTypeDropDown));
}

UIMultiLine* UIWidget::GetMultiLineByName(const std::string& name) {
  return static_cast<UIMultiLine*>(GetWidgetOfType(name, kTypeMultiLine));
}

UICheckBox* UIWidget::GetCheckBoxByName(const std::string& name) {
  return static_cast<UICheckBox*>(GetWidgetOfType(name, kTypeCheckBox));
}

UIFlashWidget* UIWidget::GetFlashWidgetByName(const std::string& name) {
  return static_cast<UIFlashWidget*>(GetWidgetOfType(name, UIFlashWidget::kType));
}

UIPart2DWidget* UIWidget::GetPartWidgetByName(const std::string& name) {
  return static_cast<UIPart2DWidget*>(GetWidgetOfType(name, UIPart2DWidget::kType));
}

bool UIWidget::DeleteChild(UIWidget* child, bool destroy) {
  if (!child || child->GetName().empty()) return false;
  return RemoveValue(child, destroy);
}

bool UIWidget::RenameWidget(const std::string& name) {
  if (parent_) {
    UIWidget* sibling = parent_->Find(name);
    if (sibling && sibling != this) return false;
    const bool listed = parent_->RemoveValue(this, false);
    name_ = name;
    if (listed) parent_->Add(name_, this);
    return true;
  }
  uiManager_->DropPanel(this, false);
  name_ = name;
  uiManager_->InsertPanel(this);
  return true;
}

void UIWidget::SetIsActive(bool active) {
  active_ = active;
  // An activated panel comes to the front.
  if (active && !parent_ && uiManager_->DropPanel(this, false)) uiManager_->InsertPanel(this);
}

std::string UIWidget::NextCloneName() { return Numbered("Clone_", g_cloneCount); }

UIWidget* UIWidget::GetClone() {
  UIWidget* clone = new UIWidget(parent_, NextCloneName());
  CopyInto(*clone);
  return clone;
}

void UIWidget::CopyInto(UIWidget& clone) const {
  clone.uiManager_ = uiManager_;
  clone.parent_ = parent_;
  clone.currentImage_ = currentImage_;
  clone.text_.CopyFrom(text_);
  clone.text_.owner = &clone;
  clone.type_ = type_;
  clone.sourceFile_ = sourceFile_;
  clone.active_ = active_;
  clone.canDrag_ = canDrag_;
  clone.position_ = position_;
  clone.size_ = size_;
  clone.uv1_ = uv1_;
  clone.uv2_ = uv2_;
  clone.rotation_ = rotation_;
  clone.scale_ = scale_;
  clone.colour_ = colour_;
  clone.entered_ = entered_;
  clone.left_ = left_;
  clone.blockAll_ = blockAll_;
  for (int i = 0; i < kImageCount; ++i) {
    UISprite& copy = clone.images_[i];
    copy.LoadImage(images_[i].GetName());
    copy.uv1 = images_[i].uv1;
    copy.uv2 = images_[i].uv2;
    copy.additive = images_[i].additive;
  }
  for (int i = 0; i < kEventCount; ++i) clone.events_[i] = events_[i];
}

}  // namespace ui
