#include "render/fonts/glyph_cache.h"

void GlyphCache::Build(int cellSize, int glyphWidth, int glyphHeight) {
  Clear();
  cellSize_ = cellSize;
  if (cellSize <= 0 || cellSize > kTextureSize) return;
  const int n = kTextureSize / cellSize;
  const float texture = float(kTextureSize);
  cells_.reserve(size_t(n) * n);
  free_.reserve(size_t(n) * n);
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      auto glyph = std::make_unique<Glyph>();
      glyph->cellX = i * cellSize;
      glyph->cellY = j * cellSize;
      glyph->uv = math::Vec2(glyph->cellX / texture, glyph->cellY / texture);
      glyph->uvSize = math::Vec2(glyphWidth / texture, glyphHeight / texture);
      free_.push_back(glyph.get());
      cells_.push_back(std::move(glyph));
    }
  }
}

void GlyphCache::Clear() {
  map_.clear();
  free_.clear();
  cells_.clear();
  pending_ = 0;
}

GlyphCache::Glyph* GlyphCache::Find(char16_t code) const {
  auto it = map_.find(code);
  return it != map_.end() ? it->second : nullptr;
}

GlyphCache::Glyph* GlyphCache::Get(char16_t code, float now) {
  // Use refreshes the time, so a text never evicts a glyph it is itself using.
  Glyph* glyph = Find(code);
  if (!glyph) return Alloc(code, now);
  glyph->time = now;
  return glyph;
}

GlyphCache::Glyph* GlyphCache::Victim(float now) {
  Glyph* victim = nullptr;
  float youngest = 1e11f;
  for (const auto& entry : map_) {
    float age = now - entry.second->time;
    if (age > kMinEvictAge && age < youngest) {
      youngest = age;
      victim = entry.second;
    }
  }
  if (victim) map_.erase(victim->code);
  return victim;
}

GlyphCache::Glyph* GlyphCache::Alloc(char16_t code, float now) {
  Glyph* glyph = nullptr;
  if (!free_.empty()) {
    glyph = free_.back();
    free_.pop_back();
  } else {
    glyph = Victim(now);
    if (!glyph) return nullptr;
  }
  glyph->code = code;
  glyph->time = now;
  // A victim evicted before it was ever drawn is already counted.
  if (!glyph->pending) ++pending_;
  glyph->pending = true;
  map_[code] = glyph;
  return glyph;
}

void GlyphCache::CollectPending(std::vector<Glyph*>& out) const {
  out.clear();
  for (const auto& entry : map_)
    if (entry.second->pending) out.push_back(entry.second);
}

void GlyphCache::ClearPending() {
  for (const auto& entry : map_) entry.second->pending = false;
  pending_ = 0;
}
