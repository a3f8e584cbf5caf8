// A font over Direct3D 8 and GDI: each character is rasterised once into a
// 1024 x 1024 glyph texture and text is drawn as two textured triangles per
// character, one draw call per text.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "render/fonts/font.h"
#include "render/fonts/glyph_cache.h"
#include "render/fonts/glyph_rasteriser.h"
#include "render/fonts/text_layout.h"

class IDirect3DTexture8;

class DX8Font : public Font {
 public:
  using Glyph = GlyphCache::Glyph;
  using Line = text::Line;

  explicit DX8Font(const std::string& name);
  ~DX8Font() override;

  // Discards every glyph and builds the texture, the cells and the GDI fonts
  // for the new size; logs and stops at the first part that fails.
  void Resize(const std::string& face, int width, int height, int weight, int charset) override;
  void DrawTextW(const std::u16string& text, const math::Vec2& position, const math::Vec2& box, uint32_t flags,
                 uint32_t colour, int unused) override;
  void DrawText(const std::string& text, const math::Vec2& position, const math::Vec2& box, uint32_t flags,
                uint32_t colour, int unused) override;
  // An empty text leaves the outputs alone; a text that inks nothing gives
  // the box position and an empty size.
  void GetTextRectW(const std::u16string& text, const math::Vec2& box, math::Vec2& position, math::Vec2& size,
                    uint32_t flags) override;
  void GetTextRect(const std::string& text, const math::Vec2& box, math::Vec2& position, math::Vec2& size,
                   uint32_t flags) override;

  // Fetches a glyph per character (at most text::kMaxChars), renders the new
  // ones, then breaks the lines; returns the line count (0 when abandoned).
  int LayoutText(const std::u16string& text, int boxWidth, Line* lines, const Glyph** glyphs, int& lineCount,
                 int& charCount);
  // Builds the quads of laid-out text at a position within a box, both in
  // screen units, growing the text bounds; draws them when asked.
  void RenderText(const char16_t* text, const math::Vec2& position, const math::Vec2& box, uint32_t colour,
                  const Line* lines, const Glyph* const* glyphs, int lineCount, uint32_t flags, bool draw);
  Glyph* GetGlyph(char16_t code);
  void DeInit();

  int GetCellSize() const { return cache_.CellSize(); }
  const GlyphCache& GetCache() const { return cache_; }

 private:
  void RenderGlyphs();
  void MarkCellDirty(const Glyph& glyph, bool border);
  // Screen size in pixels; zero without a device.
  static math::Vec2 ScreenPixels();

  IDirect3DTexture8* texture_ = nullptr;
  GlyphRasteriser rasteriser_;
  GlyphCache cache_;
  std::vector<Glyph*> pending_;
  int lineHeight_ = 0;  // pixels: the asked height, else the one GDI chose
  math::Vec2 boundsMin_;
  math::Vec2 boundsMax_;
  uint32_t alternateColour_ = 0xFFFFFF00u;
};
