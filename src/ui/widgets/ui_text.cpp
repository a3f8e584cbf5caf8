#include "ui/widgets/ui_text.h"

#include <algorithm>
#include <cctype>

#include "core/input/input.h"
#include "core/input/keyboard.h"
#include "core/text/strman.h"
#include "core/script/swear_filter.h"
#include "core/text/utf.h"
#include "platform/input/dinput.h"
#include "render/fonts/font.h"
#include "render/fonts/font_manager.h"
#include "render/sprites/ui_sprite.h"
#include "audio/audio.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"

namespace ui {

namespace {

constexpr const char* kCaretImage = "ui_img/cursor.png";
constexpr const char* kKeySound = "textbox_new_text";
constexpr float kTallLines = 1.9f;
constexpr float kFitShare = 0.9f;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The table's text for the key, or none.
const std::u16string& Translation(const std::u16string& key) { return lang::GetStrMan().LookupWide(key); }

bool KeyDown(const input::Keyboard* keyboard, int code) {
  return keyboard && keyboard->GetKeyState(static_cast<uint8_t>(code)).down;
}

}  // namespace

UIText::UIText() = default;

UIText::~UIText() = default;

void UIText::CopyFrom(const UIText& other) {
  textPosition_ = other.textPosition_;
  textSize_ = other.textSize_;
  border = other.border;
  vJust_ = other.vJust_;
  hJust_ = other.hJust_;
  boxPosition_ = other.boxPosition_;
  innerSize_ = other.innerSize_;
  displayed_ = other.displayed_;
  source_ = other.source_;
  font_ = other.font_;
  colour = other.colour;
  caret = other.caret;
  selectionEnd = other.selectionEnd;
  caretRect_ = other.caretRect_;
  editable = other.editable;
  swearFilter = other.swearFilter;
  tall_ = other.tall_;
}

void UIText::SetText(const std::u16string& text) {
  source_ = swearFilter ? GetSwearFilter().FilterWide(text) : text;
  Refresh();
  if (!editable) return;
  caret = selectionEnd = static_cast<int>(displayed_.size()) + 1;
  UpdateSelection();
}

void UIText::AppendText(const std::u16string& text) {
  const std::u16string& translated = Translation(text);
  SetText(displayed_ + (translated.empty() ? text : translated));
}

void UIText::Refresh() {
  const std::u16string& translated = editable ? std::u16string() : Translation(source_);
  displayed_ = translated.empty() ? source_ : translated;
  if (!displayed_.empty() && font_) {
    math::Vec2 corner;
    Measure(displayed_, innerSize_, kNoJustification, corner, textSize_);
    tall_ = font_->GetHeight() * kTallLines < textSize_.y ? 1 : 0;
  }
  Justify();
}

void UIText::SetRect(const math::Vec2& boxPosition, const math::Vec2& boxSize) {
  boxPosition_ = boxPosition;
  innerSize_ = {boxSize.x - 2 * border.x, boxSize.y - 2 * border.y};
  Justify();
}

void UIText::Justify() {
  switch (vJust_) {
    case kCentre: textPosition_.y = (innerSize_.y - textSize_.y) * 0.5f + boxPosition_.y; break;
    case kBottomOrRight: textPosition_.y = innerSize_.y - textSize_.y + boxPosition_.y - border.y; break;
    default: textPosition_.y = boxPosition_.y + border.y; break;
  }
  switch (hJust_) {
    case kCentre: textPosition_.x = (innerSize_.x - textSize_.x) * 0.5f + boxPosition_.x; break;
    case kBottomOrRight: textPosition_.x = innerSize_.x - textSize_.x + boxPosition_.x - border.x; break;
    default: textPosition_.x = boxPosition_.x + border.x; break;
  }
}

void UIText::SetVJust(const std::string& name) {
  const std::string lower = Lower(name);
  vJust_ = lower == "top" ? kTopOrLeft : lower == "bottom" ? kBottomOrRight : kCentre;
  Justify();
}

void UIText::SetHJust(const std::string& name) {
  const std::string lower = Lower(name);
  hJust_ = lower == "left" ? kTopOrLeft : lower == "right" ? kBottomOrRight : kCentre;
  Justify();
}

Font* UIText::SetFont(const std::string& name) {
  Font* found = GetFontManager()->Find(name);
  font_ = found ? found : GetFontManager()->GetCurrentFont();
  return found;
}

std::string UIText::GetFontName() const { return font_ ? font_->GetName() : "unknown"; }

uint32_t UIText::JustificationFlags() const {
  uint32_t flags = 0;
  if (hJust_ == kCentre) flags |= Font::kCentre;
  if (hJust_ == kBottomOrRight) flags |= Font::kRight;
  if (vJust_ == kCentre) flags |= Font::kVerticalCentre;
  if (vJust_ == kBottomOrRight) flags |= Font::kBottom;
  return flags;
}

void UIText::Measure(const std::u16string& text, const math::Vec2& box, uint32_t flags, math::Vec2& corner,
                     math::Vec2& size) const {
  corner = {0, 0};
  font_->GetTextRectW(text, box, corner, size, flags);
}

bool UIText::IsEditBox() const { return GetUIMan()->GetEditTextBox() == this; }

bool UIText::Render() {
  if (!font_) return false;
  uint32_t flags = JustificationFlags();
  // Long blocks of centred text read better from the left when asked.
  if (UIManager::IsForceLeftAlign() && tall_) flags &= ~static_cast<uint32_t>(Font::kCentre | Font::kRight);
  if (!displayed_.empty()) {
    font_->DrawTextW(displayed_, {boxPosition_.x + border.x, boxPosition_.y + border.y},
                     {innerSize_.x - border.x, innerSize_.y}, flags, colour, 0);
    font_->Flush();
  }
  if (editable && IsEditBox()) {
    if (!caretImage_) {
      caretImage_ = std::make_unique<UISprite>();
      caretImage_->Setup(kCaretImage, {0, 0}, {1, 1}, false);
    }
    caretImage_->SetRect({boxPosition_.x + border.x + caretRect_.x, boxPosition_.y + border.y + caretRect_.y},
                         {caretRect_.width, caretRect_.height}, 0, 0, 0xFFFFFFFFu);
    caretImage_->Render();
  }
  return true;
}

bool UIText::ContainsPoint(const math::Vec2& point) const {
  if (owner) return owner->IsInside(point);
  return point.x >= textPosition_.x && point.x <= textPosition_.x + textSize_.x && point.y >= textPosition_.y &&
         point.y <= textPosition_.y + textSize_.y;
}

int UIText::GetCharIndexAt(const math::Vec2& point) const {
  const int afterEnd = static_cast<int>(displayed_.size()) + 1;
  if (!font_) return afterEnd;
  math::Vec2 corner, size;
  Measure(displayed_, innerSize_, JustificationFlags(), corner, size);
  const float left = boxPosition_.x + border.x + corner.x;
  if (point.x < left) return 1;
  if (point.x > left + size.x) return afterEnd;
  for (size_t i = 0; i < displayed_.size(); ++i) {
    math::Vec2 partCorner, partSize;
    Measure(displayed_.substr(0, i), innerSize_, kNoJustification, partCorner, partSize);
    if (left + partSize.x > point.x) return static_cast<int>(i);
  }
  return afterEnd;
}

void UIText::SelectRange(const math::Vec2& from, const math::Vec2& to) {
  caret = GetCharIndexAt(from) - 1;
  selectionEnd = GetCharIndexAt(to);
  if (caret > selectionEnd) {
    const int oldCaret = caret;
    caret = GetCharIndexAt(to) - 1;
    selectionEnd = oldCaret + 1;
  }
  caret = std::max(caret, 0);
  selectionEnd = std::min(selectionEnd, static_cast<int>(displayed_.size()));
  UpdateSelection();
}

void UIText::ClampedRange(size_t& from, size_t& to) const {
  const int length = static_cast<int>(displayed_.size());
  from = static_cast<size_t>(std::clamp(caret, 0, length));
  to = static_cast<size_t>(std::clamp(selectionEnd, 0, length));
}

void UIText::UpdateSelection() {
  if (!editable || !font_) return;
  const math::Vec2 box{innerSize_.x - 2 * border.x, innerSize_.y};
  size_t from = 0, to = 0;
  ClampedRange(from, to);
  std::u16string a, b, whole;
  if (displayed_.empty()) {
    a = u" ";
    b = u"X";
    whole = u" ";
  } else {
    a = displayed_.substr(0, from);
    b = displayed_.substr(0, to);
    if (a.empty()) a = u" ";
    if (b.empty()) b = u" ";
    // An empty selection still marks the character after the caret.
    if (a.size() == b.size()) {
      if (to < displayed_.size())
        b = displayed_.substr(0, to) + (displayed_[to] == u' ' ? u'i' : displayed_[to]);
      else
        b += u'X';
    }
    whole = displayed_;
  }
  math::Vec2 aCorner, aSize, bCorner, bSize, wholeCorner, wholeSize;
  Measure(a, box, kNoJustification, aCorner, aSize);
  Measure(b, box, kNoJustification, bCorner, bSize);
  Measure(whole, box, JustificationFlags(), wholeCorner, wholeSize);
  if (a.size() < 2) {
    math::Vec2 spaceCorner, spaceSize;
    font_->GetTextRect(" ", innerSize_, spaceCorner, spaceSize, kNoJustification);
    wholeCorner.x -= spaceSize.x;
    bSize.x += spaceSize.x;
  }
  caretRect_.x = aSize.x + wholeCorner.x;
  caretRect_.y = wholeCorner.y;
  caretRect_.width = (bSize.x - bCorner.x) - (aSize.x - aCorner.x);
  caretRect_.height = bSize.y - bCorner.y;
}

void UIText::EraseRange(size_t from, size_t to) {
  std::u16string text = displayed_;
  text.erase(from, to - from);
  SetText(text);
}

void UIText::HandleKey(const input::KeyState* key) {
  if (!key) return;
  const int code = key->code;
  input::Keyboard* keyboard = input::GetInput().GetKeyboard();
  const bool shift = KeyDown(keyboard, DIK_LSHIFT) || KeyDown(keyboard, DIK_RSHIFT);
  const bool control = KeyDown(keyboard, DIK_LCONTROL) || KeyDown(keyboard, DIK_RCONTROL);
  if (code != DIK_LSHIFT && code != DIK_RSHIFT && code != DIK_LCONTROL && code != DIK_RCONTROL)
    audio::GetAudio().PlaySound(kKeySound);
  size_t from = 0, to = 0;
  ClampedRange(from, to);
  const size_t length = displayed_.size();
  const bool selected = from < to;
  switch (code) {
    case DIK_HOME: caret = selectionEnd = 0; break;
    case DIK_END: caret = selectionEnd = static_cast<int>(length); break;
    case DIK_LEFT:
      if (from > 0) caret = selectionEnd = static_cast<int>(from) - 1;
      break;
    case DIK_RIGHT:
      if (from < length) caret = selectionEnd = static_cast<int>(from) + 1;
      break;
    case DIK_RETURN:
      if (owner) owner->RunEvent(UIWidget::kTextEnter);
      break;
    case DIK_BACK:
      if (from == 0 && !selected) break;
      EraseRange(selected ? from : from - 1, selected ? to : from);
      caret = selectionEnd = static_cast<int>(selected ? from : from - 1);
      break;
    case DIK_DELETE:
      if (from == length) break;
      EraseRange(from, selected ? to : from + 1);
      caret = selectionEnd = static_cast<int>(from);
      break;
    default:
      if (code == DIK_INSERT && shift) {
        std::string pasted;
        if (keyboard) keyboard->GetClipboardText(pasted);
        SetText(displayed_ + lang::UTF8ToWide(pasted));
        TrimToFit();
      } else if (code == DIK_INSERT && control) {
        if (keyboard) keyboard->SetClipboardText(selected ? displayed_.substr(from, to - from) : displayed_);
      } else {
        Type(code);
      }
      break;
  }
  UpdateSelection();
}

void UIText::Type(int code) {
  char typed[8] = {};
  input::Keyboard::ScanCodeToAscii(static_cast<uint32_t>(code), typed);
  if (static_cast<signed char>(typed[0]) < 32) return;
  size_t from = 0, to = 0;
  ClampedRange(from, to);
  if (from < to) EraseRange(from, to);
  if (displayed_.size() >= kMaxTypedLength) {
    caret = selectionEnd = static_cast<int>(from);
    return;
  }
  std::u16string text = displayed_;
  text.insert(std::min(from, text.size()), 1, static_cast<char16_t>(typed[0]));
  SetText(text);
  size_t at = from + 1;
  if (TrimToFit()) at = displayed_.size();
  caret = selectionEnd = static_cast<int>(at);
}

bool UIText::TrimToFit() {
  if (!font_) return false;
  const float limit = innerSize_.x * kFitShare - 2 * border.x;
  math::Vec2 corner, size;
  Measure(displayed_, innerSize_, kNoJustification, corner, size);
  bool trimmed = false;
  while (size.x > limit && !displayed_.empty()) {
    displayed_.pop_back();
    trimmed = true;
    Measure(displayed_, innerSize_, kNoJustification, corner, size);
  }
  return trimmed;
}

void UIText::TrimSpaces() {
  std::u16string text;
  for (char16_t c : displayed_) {
    if (c == u' ' && (text.empty() || text.back() == u' ')) continue;
    text.push_back(c);
  }
  if (!text.empty() && text.back() == u' ') text.pop_back();
  displayed_ = text;
}

}  // namespace ui
