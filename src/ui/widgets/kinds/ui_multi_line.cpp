#include "ui/widgets/kinds/ui_multi_line.h"

#include <algorithm>
#include <cmath>

#include "core/script/lua_writer.h"
#include "core/text/strman.h"
#include "render/device/graphics.h"
#include "ui/manager/ui_manager.h"

namespace ui {

UIMultiLine::UIMultiLine(UIWidget* parent, const std::string& name) : UIWidget(parent, name) {
  type_ = kTypeMultiLine;
}

DX8Font* UIMultiLine::LayoutFont() const { return dynamic_cast<DX8Font*>(text_.GetFont()); }

math::Vec2 UIMultiLine::BoxSize() const { return size_ - text_.border * 2.0f; }

bool UIMultiLine::SetTextW(const std::u16string& text) {
  stored_ = text;
  const std::u16string& translated = lang::GetStrMan().LookupWide(text);
  displayed_ = translated.empty() ? text : translated;
  const Graphics* graphics = GetGraphics();
  layoutWidth_ = graphics ? static_cast<int>(BoxSize().x * graphics->GetScreenWidth()) : 0;
  Layout(graphics ? LayoutFont() : nullptr);
  return true;
}

void UIMultiLine::Layout(DX8Font* font) {
  lineCount_ = charCount_ = 0;
  layoutFont_ = font;
  if (font) font->LayoutText(displayed_, layoutWidth_, lines_, glyphs_, lineCount_, charCount_);
}

bool UIMultiLine::LayoutIntact() const {
  const GlyphCache& cache = layoutFont_->GetCache();
  for (int i = 0; i < charCount_; ++i)
    if (glyphs_[i] && cache.Find(displayed_[i]) != glyphs_[i]) return false;
  return true;
}

void UIMultiLine::RefreshText() {
  SetTextW(stored_);
  EachChildForward([](UIWidget* child) { child->RefreshText(); });
}

void UIMultiLine::ScrollUp() { scroll_ = std::max(scroll_ - 1, 0); }

void UIMultiLine::ScrollDown() {
  const Font* font = text_.GetFont();
  const float lineHeight = font ? font->GetHeight() : 0.0f;
  if (!(lineHeight > 0.0f)) return;
  if (scroll_ <= lineCount_ - static_cast<int>(std::floor(size_.y / lineHeight)) + 1) ++scroll_;
}

bool UIMultiLine::Render(bool force) {
  if (!UIWidget::Render(force)) return false;
  DX8Font* font = LayoutFont();
  if (!font) return false;
  // Laid out with another font, or none: blank until the text is set again.
  if (font != layoutFont_) return true;
  if (!LayoutIntact()) Layout(font);
  const int first = std::min(scroll_, lineCount_);
  if (first == lineCount_) return true;
  const uint32_t flags = UIManager::IsForceLeftAlign() ? 0u : static_cast<uint32_t>(Font::kCentre);
  font->RenderText(displayed_.data(), position_, BoxSize(), colour_, lines_ + first, glyphs_, lineCount_ - first,
                   flags, true);
  return true;
}

UIWidget* UIMultiLine::GetClone() {
  UIMultiLine* clone = new UIMultiLine(parent_, NextCloneName());
  CopyInto(*clone);
  clone->scroll_ = scroll_;
  clone->SetTextW(stored_);
  return clone;
}

bool UIMultiLine::SaveType(WriteLua& writer) {
  writer.WriteString("Type", GetWidgetTypeName(kTypeMultiLine));
  return true;
}

}  // namespace ui
