// The text of a widget: the source text and the displayed text (the source
// translated through the string table unless the text is editable), laid
// out in the widget's rectangle with a horizontal and a vertical
// justification and drawn with its font. The one text being edited (the UI
// manager's edit text box) also takes the editing keys, the clipboard, a
// caret and a selection.
//
// The caret and the selection end are character indices; the selection is
// the characters from the caret up to (not including) the selection end.
// Wherever they are used they are first clamped to 0 .. text length.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "core/math/vector.h"

class Font;

namespace input {
struct KeyState;
}

namespace ui {

class UISprite;
class UIWidget;

class UIText {
 public:
  // Justification codes, vertical and horizontal.
  enum : int { kCentre = 0, kTopOrLeft = 1, kBottomOrRight = 2 };
  // Flags for a measure without justification.
  static constexpr uint32_t kNoJustification = 16;
  // Typing stops at this many characters.
  static constexpr size_t kMaxTypedLength = 64;

  UIText();
  ~UIText();
  UIText(const UIText&) = delete;
  UIText& operator=(const UIText&) = delete;

  // Every field but the caret image; the owner is the copier's to set.
  void CopyFrom(const UIText& other);

  // The source; passed through the swear filter when that flag is set.
  void SetText(const std::u16string& text);
  // The text's translation (or the text) appended to the displayed text,
  // which becomes the new source.
  void AppendText(const std::u16string& text);
  // Translates again, measures, lays out.
  void Refresh();
  void SetRect(const math::Vec2& boxPosition, const math::Vec2& boxSize);
  void Justify();
  // "top" / "left" 1, "bottom" / "right" 2, anything else 0, in any case.
  void SetVJust(const std::string& name);
  void SetHJust(const std::string& name);
  // The font of that name, else the font manager's current one; returns the
  // font found by name or null.
  Font* SetFont(const std::string& name);
  Font* GetFont() const { return font_; }
  void SetFontPointer(Font* font) { font_ = font; }
  // The font's registry name, "unknown" without a font.
  std::string GetFontName() const;

  bool Render();
  bool ContainsPoint(const math::Vec2& point) const;
  // 1-based: callers put the caret at the result - 1, before the character
  // under the point. Only x counts.
  int GetCharIndexAt(const math::Vec2& point) const;
  void SelectRange(const math::Vec2& from, const math::Vec2& to);
  // Measures the caret rectangle (editable text only).
  void UpdateSelection();
  void HandleKey(const input::KeyState* key);
  // Drops last characters while the text is wider than 90% of the box less
  // both borders; true when anything went.
  bool TrimToFit();
  // Repeated, leading and one trailing space leave the displayed text.
  void TrimSpaces();

  // The font's flags for the justifications.
  uint32_t JustificationFlags() const;

  const std::u16string& GetDisplayed() const { return displayed_; }
  const std::u16string& GetSource() const { return source_; }
  const math::Vec2& GetTextPosition() const { return textPosition_; }
  const math::Vec2& GetTextSize() const { return textSize_; }
  const math::Vec2& GetBoxPosition() const { return boxPosition_; }
  const math::Vec2& GetInnerSize() const { return innerSize_; }
  int GetVJust() const { return vJust_; }
  int GetHJust() const { return hJust_; }
  bool IsTall() const { return tall_ != 0; }
  const UISprite* GetCaretImage() const { return caretImage_.get(); }

  // The caret rectangle, relative to the box's inner corner.
  struct CaretRect {
    float width = 0, height = 0, x = 0, y = 0;
  };
  const CaretRect& GetCaretRect() const { return caretRect_; }

  math::Vec2 border{0.005f, 0.005f};
  uint32_t colour = 0xFFFFFFFFu;
  int caret = 0;
  int selectionEnd = 0;
  uint8_t editable = 0;
  uint8_t swearFilter = 0;
  UIWidget* owner = nullptr;

 private:
  // The caret and selection end clamped to 0 .. length, in order.
  void ClampedRange(size_t& from, size_t& to) const;
  // Size and top-left corner of the text as the font lays it out in `box`.
  void Measure(const std::u16string& text, const math::Vec2& box, uint32_t flags, math::Vec2& corner,
               math::Vec2& size) const;
  void EraseRange(size_t from, size_t to);
  bool IsEditBox() const;
  void Type(int code);

  math::Vec2 textPosition_;
  math::Vec2 textSize_;
  int vJust_ = kCentre;
  int hJust_ = kCentre;
  math::Vec2 boxPosition_;
  math::Vec2 innerSize_;
  std::u16string displayed_;
  std::u16string source_;
  Font* font_ = nullptr;
  CaretRect caretRect_;
  std::unique_ptr<UISprite> caretImage_;
  uint8_t tall_ = 0;
};

}  // namespace ui
