#include "swf/text/fontlib.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "swf/base/open_hash.h"
#include "swf/geometry/shape_character.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/render/render_backend.h"
#include "swf/text/font.h"
#include "swf/text/glyph_packer.h"
#include "swf/text/glyph_rasterizer.h"

namespace swf {
namespace fontlib {
namespace {

constexpr int kTextureSize = glyph_packer::kTextureSize;
constexpr int kBorder = 3;

struct rendered_glyph {
  font* owner;
  int glyph_index;
  std::unique_ptr<alpha_image> image;
  uint32_t image_hash;
  float offset_x, offset_y;
};

struct pending_glyph {
  font* owner;
  int glyph_index;
  cached_glyph glyph;
};

// The texture being filled and the glyphs waiting for it.
class texture_builder {
 public:
  explicit texture_builder(movie_definition_sub* m) : movie_(m), pixels_(new uint8_t[kTextureSize * kTextureSize]) {}

  bool pending() const { return !pending_.empty(); }
  const cached_glyph* find_pending(const font* owner, int glyph_index) const {
    for (const pending_glyph& p : pending_) {
      if (p.owner == owner && p.glyph_index == glyph_index) return &p.glyph;
    }
    return nullptr;
  }
  void add_pending(font* owner, int glyph_index, const cached_glyph& glyph) {
    pending_.push_back(pending_glyph{owner, glyph_index, glyph});
  }

  // Places the glyph's image in a cell of the texture; false when no cell is left.
  bool place(const rendered_glyph& g) {
    if (pending_.empty()) {
      std::memset(pixels_.get(), 0, kTextureSize * kTextureSize);
      packer_.reset();
    }
    const int width = g.image->width, height = g.image->height;
    int x = 0, y = 0;
    if (!packer_.place(width + 2 * kBorder, height + 2 * kBorder, &x, &y)) return false;
    for (int row = 0; row < height; ++row) {
      std::memcpy(pixels_.get() + (y + kBorder + row) * kTextureSize + x + kBorder,
                  g.image->data + row * g.image->pitch, static_cast<size_t>(width));
    }
    const float size = kTextureSize;
    cached_glyph c;
    c.bounds.x_min = x / size;
    c.bounds.x_max = (x + width + 2 * kBorder) / size;
    c.bounds.y_min = y / size;
    c.bounds.y_max = (y + height + 2 * kBorder) / size;
    c.origin_x = (x + g.offset_x) / size;
    c.origin_y = (y + g.offset_y) / size;
    add_pending(g.owner, g.glyph_index, c);
    return true;
  }

  // Makes the texture and hands every pending glyph its bitmap.
  void finish() {
    if (pending_.empty()) return;
    backend_bitmap* bitmap = render::new_alpha_bitmap(kTextureSize, kTextureSize, pixels_.get());
    movie_->keep_bitmap(bitmap);
    for (pending_glyph& p : pending_) {
      p.glyph.bitmap = bitmap;
      p.owner->add_cached_glyph(p.glyph_index, p.glyph);
    }
    pending_.clear();
  }

 private:
  movie_definition_sub* movie_;
  std::unique_ptr<uint8_t[]> pixels_;
  glyph_packer packer_;
  std::vector<pending_glyph> pending_;
};

// The cached glyph of an earlier glyph with the same image, moved to this
// glyph's origin; false when the earlier one has none yet.
bool share_cell(const rendered_glyph& g, const rendered_glyph& earlier, texture_builder* builder) {
  cached_glyph shared = earlier.owner->get_cached_glyph(earlier.glyph_index);
  if (!shared.bitmap) {
    const cached_glyph* pending = builder->find_pending(earlier.owner, earlier.glyph_index);
    if (!pending) return false;
    shared = *pending;
  }
  shared.origin_x = g.offset_x / kTextureSize + shared.bounds.x_min;
  shared.origin_y = g.offset_y / kTextureSize + shared.bounds.y_min;
  if (shared.bitmap) {
    g.owner->add_cached_glyph(g.glyph_index, shared);
  } else {
    builder->add_pending(g.owner, g.glyph_index, shared);
  }
  return true;
}

int first_unpacked(const std::vector<bool>& packed, size_t from) {
  for (size_t i = from; i < packed.size(); ++i) {
    if (!packed[i]) return static_cast<int>(i);
  }
  return -1;
}

void pack(std::vector<rendered_glyph>& glyphs, movie_definition_sub* m) {
  std::stable_sort(glyphs.begin(), glyphs.end(), [](const rendered_glyph& a, const rendered_glyph& b) {
    return a.image->width + a.image->height > b.image->width + b.image->height;
  });
  std::vector<bool> packed(glyphs.size(), false);
  open_hash<uint32_t, int32_t> by_hash;
  texture_builder builder(m);
  int at = glyphs.empty() ? -1 : 0;
  while (at >= 0) {
    const rendered_glyph& g = glyphs[at];
    int32_t earlier = -1;
    bool done = by_hash.get(g.image_hash, &earlier) && glyphs[earlier].image->equals(*g.image) &&
                share_cell(g, glyphs[earlier], &builder);
    if (!done && builder.place(g)) {
      if (!by_hash.find(g.image_hash)) by_hash.add(g.image_hash, at);
      done = true;
    }
    if (done) {
      packed[at] = true;
      at = first_unpacked(packed, 0);
      continue;
    }
    // A glyph that does not fit lets smaller ones after it use the space;
    // when none fits, the texture is full.
    at = first_unpacked(packed, static_cast<size_t>(at) + 1);
    if (at < 0) {
      builder.finish();
      at = first_unpacked(packed, 0);
    }
  }
  builder.finish();
}

}  // namespace

void build_glyph_textures(const dyn_array<font*>& fonts, movie_definition_sub* m) {
  glyph_rasterizer rasterizer;
  std::vector<rendered_glyph> glyphs;
  for (font* f : fonts) {
    f->set_nominal_glyph_size(glyph_rasterizer::kNominalSize);
    for (int i = 0; i < f->glyph_count(); ++i) {
      shape_character* outline = f->get_glyph(i);
      if (f->get_cached_glyph(i).bitmap || !outline) continue;
      bounds_rect bounds;
      outline->outline_bounds(&bounds);
      if (bounds.x_max - bounds.x_min < 0) continue;
      rasterized_glyph r = rasterizer.rasterize(outline, bounds);
      if (!r.image) continue;
      const uint32_t image_hash = r.image->hash();
      glyphs.push_back(rendered_glyph{f, i, std::move(r.image), image_hash, r.offset_x, r.offset_y});
    }
  }
  pack(glyphs, m);
}

void draw_cached_glyph(const matrix2x3& m, const cached_glyph& glyph, rgba_color color, int nominal_size) {
  if (!glyph.bitmap || nominal_size < 1) return;
  // Glyph units per texture width; the image's origin lies inside the cell's border.
  const float s = glyph_rasterizer::kGlyphSpace * kTextureSize / static_cast<float>(nominal_size);
  const float origin_x = glyph.origin_x + static_cast<float>(kBorder) / kTextureSize;
  const float origin_y = glyph.origin_y + static_cast<float>(kBorder) / kTextureSize;
  bounds_rect coords;
  coords.x_min = (glyph.bounds.x_min - origin_x) * s;
  coords.x_max = (glyph.bounds.x_max - origin_x) * s;
  coords.y_min = (glyph.bounds.y_min - origin_y) * s;
  coords.y_max = (glyph.bounds.y_max - origin_y) * s;
  render::render_bitmap(m, glyph.bitmap.get(), coords, glyph.bounds, color);
}

float cached_glyph_em_size(const font& f) {
  return f.nominal_glyph_size() / glyph_rasterizer::kGlyphSpace * 1024.0f;
}

}  // namespace fontlib
}  // namespace swf
