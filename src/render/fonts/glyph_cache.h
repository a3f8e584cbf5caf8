// The cells of a font's glyph texture and the glyphs cached in them. Cells are
// made once per font size; a glyph takes a free cell on first use and keeps it
// until a newer text needs the cell.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "core/math/vector.h"

class GlyphCache {
 public:
  static constexpr int kTextureSize = 1024;
  // A glyph younger than this is never evicted, so one frame's text keeps its cells.
  static constexpr float kMinEvictAge = 0.01f;

  struct Glyph {
    char16_t code = 0;
    bool pending = false;  // allocated, not yet drawn into the texture
    float time = -1.0f;    // total time of the last use; -1 for a cell never used
    int sourceX = 0, sourceY = 0;  // where the last render pass drew it
    int width = 0, height = 0;     // as drawn; the width is also the advance
    int cellX = 0, cellY = 0;      // texels
    math::Vec2 uv;
    math::Vec2 uvSize;
  };

  // Discards every glyph and lays out square cells of the given size across
  // the texture. A size of 0 or one larger than the texture makes no cells.
  void Build(int cellSize, int glyphWidth, int glyphHeight);
  void Clear();

  // The cached glyph of the code (its time refreshed), else a newly allocated
  // one; null when every cell holds a glyph used within the last
  // kMinEvictAge seconds.
  Glyph* Get(char16_t code, float now);
  // The cached glyph of the code, else null.
  Glyph* Find(char16_t code) const;

  // Pending glyphs in ascending code order.
  void CollectPending(std::vector<Glyph*>& out) const;
  void ClearPending();
  int PendingCount() const { return pending_; }

  int CellSize() const { return cellSize_; }
  size_t CellCount() const { return cells_.size(); }
  size_t CachedCount() const { return map_.size(); }

 private:
  Glyph* Alloc(char16_t code, float now);
  Glyph* Victim(float now);

  std::vector<std::unique_ptr<Glyph>> cells_;
  std::vector<Glyph*> free_;  // used from its end
  std::map<char16_t, Glyph*> map_;
  int pending_ = 0;
  int cellSize_ = 0;
};
