// A longer text wrapped into lines inside the widget: laid out once when the
// text is set, drawn from the layout every frame, each line centred unless
// the UI manager forces texts to the left. The widget's own text block stays
// empty. Scrolling moves the first line drawn.
//
// The layout points into the font's glyph cache, which a rebuilt font (after
// a device reset or a resize) or a crowded cache replaces: drawing lays the
// text out again, with the same box, whenever a glyph it holds is no longer
// the font's.
#pragma once
#include <string>

#include "render/dx8/dx8_font.h"
#include "render/fonts/text_layout.h"
#include "ui/widgets/ui_widget.h"

namespace ui {

class UIMultiLine : public UIWidget {
 public:
  UIMultiLine(UIWidget* parent, const std::string& name);

  bool Render(bool force) override;
  // Stores the text, translates it and lays it out with the text block's
  // font (without a font nothing is laid out until the text is set again).
  bool SetTextW(const std::u16string& text) override;
  // Lays the stored text out again (in the current language), then the
  // children's texts.
  void RefreshText() override;
  UIWidget* GetClone() override;
  bool SaveType(WriteLua& writer) override;

  // One line up, never above the first.
  void ScrollUp();
  // One line down while lines lie below the box; never without a font.
  void ScrollDown();
  int GetScroll() const { return scroll_; }
  int GetLineCount() const { return lineCount_; }
  const std::u16string& GetStoredText() const { return stored_; }

  // "MultiLineWidget".
  static void RegisterLua(LuaPlus::LuaState* state);

 protected:
  std::u16string SavedText() const override { return stored_; }

 private:
  DX8Font* LayoutFont() const;
  math::Vec2 BoxSize() const;
  void Layout(DX8Font* font);
  // Every glyph of the layout is still the font's glyph of its character.
  bool LayoutIntact() const;

  const DX8Font::Glyph* glyphs_[text::kMaxChars] = {};
  DX8Font::Line lines_[text::kMaxLines];
  int lineCount_ = 0;
  int charCount_ = 0;
  int scroll_ = 0;
  // The font and box width (pixels) of the layout.
  DX8Font* layoutFont_ = nullptr;
  int layoutWidth_ = 0;
  std::u16string stored_;
  // The translation laid out, which the glyphs index.
  std::u16string displayed_;
};

}  // namespace ui
