#include "ui/widgets/kinds/ui_drop_down.h"

#include "core/script/lua_writer.h"
#include "core/script/script_helper.h"
#include "core/text/utf.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/widget_lifetime.h"

namespace ui {

namespace {
// Rows start in from the left edge by this fraction of the width.
constexpr float kRowIndent = 0.05f;
}  // namespace

UIDropDown::UIDropDown(UIWidget* parent, const std::string& name) : UIWidget(parent, name) {
  type_ = kTypeDropDown;
}

UIDropDown::~UIDropDown() = default;

bool UIDropDown::Within(const math::Vec2& point, const math::Vec2& position, const math::Vec2& size) {
  return position.x <= point.x && point.x <= position.x + size.x && position.y <= point.y &&
         point.y <= position.y + size.y;
}

void UIDropDown::PlaceOption(UIText& option, size_t index) const {
  option.SetRect({position_.x + kRowIndent * size_.x, position_.y + size_.y * static_cast<float>(index + 1)}, size_);
}

bool UIDropDown::AddOption(const std::string& utf8) {
  auto option = std::make_unique<UIText>();
  option->SetFont(text_.GetFontName());
  option->editable = option->swearFilter = 0;
  option->SetHJust("left");
  option->colour = text_.colour;
  option->owner = this;
  // On its row before the text is measured.
  PlaceOption(*option, options_.size());
  option->SetText(lang::UTF8ToWide(utf8));
  if (selected_ < 0) {
    selected_ = 0;
    SetTextW(option->GetDisplayed());
  }
  options_.push_back(std::move(option));
  return true;
}

void UIDropDown::SelectOption(int index, bool fire) {
  selected_ = index;
  if (const UIText* option = Selected()) {
    if (!covers_) SetTextW(option->GetDisplayed());
    if (uiManager_->GetOpenDropdown() == this) uiManager_->SetOpenDropdown(nullptr);
  }
  if (fire) RunEvent(kSelected);
}

void UIDropDown::SetCurrentOptionFromText(const std::string& utf8) {
  const std::u16string text = lang::UTF8ToWide(utf8);
  for (size_t i = 0; i < options_.size(); ++i)
    if (options_[i]->GetSource() == text) {
      SelectOption(static_cast<int>(i), false);
      return;
    }
}

const UIText* UIDropDown::Selected() const {
  return selected_ >= 0 && static_cast<size_t>(selected_) < options_.size() ? options_[selected_].get() : nullptr;
}

std::string UIDropDown::GetSelectedText() const {
  const UIText* option = Selected();
  return option ? lang::WideToUTF8(option->GetDisplayed()) : std::string();
}

std::string UIDropDown::GetOriginalSelectedText() const {
  const UIText* option = Selected();
  return option ? lang::WideToUTF8(option->GetSource()) : std::string();
}

void UIDropDown::Clear() {
  options_.clear();
  selected_ = -1;
}

bool UIDropDown::Load(const LuaPlus::LuaObject& table) {
  UIWidget::Load(table);
  LuaPlus::LuaObject options = table["Options"];
  if (options.IsTable())
    for (int i = 1, count = options.GetTableCount(); i <= count; ++i)
      if (options[i].IsString()) AddOption(options[i].GetString());
  covers_ = script::ReadBool(table, "CoversCompletely", false);
  for (auto [index, key] : {std::pair<int, const char*>{kImageIcon, "DropButton"}, {kImageListBack, "DropBG"}}) {
    const std::string name = script::ReadString(table, key, "");
    if (!name.empty()) LoadKindImage(index, name, uv1_, uv2_).Tick(0);
  }
  // The button is the square at the right end, or without an image the
  // whole widget.
  if (images_[kImageIcon].HasImage()) {
    buttonPosition_ = {position_.x + size_.x - size_.y, position_.y};
    buttonSize_ = {size_.y, size_.y};
  } else {
    buttonPosition_ = position_;
    buttonSize_ = size_;
  }
  return true;
}

void UIDropDown::SetPosition(const math::Vec2& relative) {
  buttonPosition_ = buttonPosition_ + (relative - GetPositionInParent());
  UIWidget::SetPosition(relative);
}

bool UIDropDown::IsInside(const math::Vec2& point) const {
  if (!open_) return UIWidget::IsInside(point);
  return Within(point, position_, {size_.x, size_.y * static_cast<float>(options_.size() + 1)});
}

bool UIDropDown::HasImage() const { return images_[kImageListBack].HasImage(); }

void UIDropDown::SetText(const std::string& utf8) {
  if (!covers_) UIWidget::SetText(utf8);
}

bool UIDropDown::SetTextW(const std::u16string& text) { return covers_ || UIWidget::SetTextW(text); }

bool UIDropDown::Update(float dt) {
  images_[kImageIcon].Tick(dt);
  images_[kImageListBack].Tick(dt);
  UIWidget::Update(dt);
  return true;
}

bool UIDropDown::Render(bool force) {
  if (!UIWidget::Render(force)) return false;
  UISprite& button = images_[kImageIcon];
  button.SetRect(buttonPosition_, buttonSize_, rotation_, 0, colour_);
  button.Render();
  if (!open_) return true;
  UISprite& back = images_[kImageListBack];
  back.SetRect({position_.x, position_.y + size_.y}, {size_.x, size_.y * static_cast<float>(options_.size())},
               rotation_, 0, colour_);
  back.Render();
  for (size_t i = 0; i < options_.size(); ++i) {
    PlaceOption(*options_[i], i);
    options_[i]->Render();
  }
  return true;
}

bool UIDropDown::OnMouseUp(const math::Vec2& point, int button) {
  if (!active_ || !visible_ || !IsInside(point)) return false;
  WidgetCallScope scope;
  if (open_)
    for (size_t i = 0; i < options_.size(); ++i)
      if (Within(point, options_[i]->GetTextPosition(), size_)) {
        open_ = false;
        SelectOption(static_cast<int>(i), true);
        return true;
      }
  const bool onRow = covers_ && Within(point, position_, {size_.x + buttonSize_.x, buttonSize_.y});
  if (onRow || Within(point, buttonPosition_, buttonSize_)) {
    if (!open_) uiManager_->SetOpenDropdown(this);
    open_ = !open_;
    return true;
  }
  return AnyChildForward([&](UIWidget* child) { return child->OnMouseHeld(point, button); });
}

bool UIDropDown::OnMouseHeld(const math::Vec2& point, int) { return active_ && visible_ && IsInside(point); }

void UIDropDown::RefreshText() {
  UIWidget::RefreshText();
  for (const std::unique_ptr<UIText>& option : options_) option->Refresh();
}

UIWidget* UIDropDown::GetClone() {
  UIDropDown* clone = new UIDropDown(parent_, NextCloneName());
  CopyInto(*clone);
  clone->selected_ = selected_;
  clone->open_ = open_;
  clone->buttonPosition_ = buttonPosition_;
  clone->buttonSize_ = buttonSize_;
  clone->covers_ = covers_;
  for (const std::unique_ptr<UIText>& option : options_) clone->AddOption(lang::WideToUTF8(option->GetSource()));
  return clone;
}

bool UIDropDown::SaveType(WriteLua& writer) {
  writer.WriteString("Type", GetWidgetTypeName(kTypeDropDown));
  if (images_[kImageIcon].HasImage()) writer.WriteString("DropButton", images_[kImageIcon].GetName());
  if (images_[kImageListBack].HasImage()) writer.WriteString("DropBG", images_[kImageListBack].GetName());
  writer.WriteInt("CoversCompletely", covers_ ? 1 : 0);
  return true;
}

}  // namespace ui
