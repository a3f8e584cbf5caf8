// The floor under the game board: tile pictures, the wear a hit does, the
// tiled background, and the drawing of floor and webs.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "board/effects/qor_well_sfx.h"
#include "board/qor_well.h"
#include "well/effects/explosion_sfx_set.h"
#include "well/effects/part2d_sfx_set.h"

namespace {

const math::Vec2 kWholeUV1{0.0f, 0.0f};
const math::Vec2 kWholeUV2{1.0f, 1.0f};
constexpr uint32_t kWhite = 0xFFFFFFFFu;

// The flip a tile of the type plays once when a hit changes it; null for none.
const char* FlipOf(int32_t type) {
  switch (type) {
    case kTileMetal:
      return "Tile_Flip_Metal";
    case kTileSand:
      return "Tile_Flip_Sand";
    case kTileCracked:
      return "Tile_Flip_Crack";
    case kTileGold:
      return "Tile_Flip_Gold";
    default:
      return nullptr;
  }
}

// The first and one-past-last background pictures in view along one axis.
void BackgroundRange(float scroll, float tileSize, int32_t count, int32_t& first, int32_t& end) {
  first = std::max(0, static_cast<int32_t>(scroll / tileSize));
  end = std::min(count, static_cast<int32_t>(1.0f / tileSize + scroll / tileSize + 1.0f));
}

}  // namespace

QORTile* QORWell::GetTile(int32_t x, int32_t y) {
  if (!tiles_ || !IsInside(x, y)) return nullptr;
  return &tiles_[GetCellIndex(x, y)];
}

void QORWell::RefreshTile(QORTile& tile) {
  if (tile.hit == 0) {
    char name[32];
    switch (tile.type) {
      case kTileMetal:
        std::snprintf(name, sizeof(name), "Tile_Normal_Metal");
        break;
      case kTileSand:
        std::snprintf(name, sizeof(name), "Tile_Normal_Sand%i", tile.crackVariant);
        break;
      case kTileCracked:
        std::snprintf(name, sizeof(name), "Tile_Crack_Sand%i", tile.crackVariant);
        break;
      case kTileGold:
        std::snprintf(name, sizeof(name), "Tile_Normal_Gold");
        break;
      case kTileEditOnly:
        if (!IsEditing()) return;
        std::snprintf(name, sizeof(name), "tile_edit_only");
        break;
      default:
        return;
    }
    tile.sprite.Setup(name, kWholeUV1, kWholeUV2, false);
    ListIfAnimated(tile);
    return;
  }
  // Gold is as far as a tile wears; its hit is cleared by RefreshHitTiles.
  if (tile.type == kTileGold && tile.hit > 0) return;
  if (const char* flip = FlipOf(tile.type)) {
    tile.sprite.Setup(flip, kWholeUV1, kWholeUV2, false);
    ListIfAnimated(tile);
  }
  if (tile.type >= kTileMetal && tile.type <= kTileCracked) {
    if (QORWellSFX* effects = GetGameEffects()) effects->TriggerAtCell(tile.x, tile.y, QORWellSFX::kShatter);
  }
  tile.type = std::clamp(tile.type + tile.hit, static_cast<int32_t>(kTileMetal), static_cast<int32_t>(kTileGold));
  tile.hit = 0;
}

void QORWell::RefreshHitTiles() {
  const size_t count = tiles_ ? static_cast<size_t>(width_) * height_ : 0;
  for (size_t i = 0; i < count; ++i) {
    if (tiles_[i].hit <= 0) continue;
    RefreshTile(tiles_[i]);
    tiles_[i].hit = 0;
  }
}

void QORWell::ListIfAnimated(QORTile& tile) {
  const size_t count = tiles_ ? static_cast<size_t>(width_) * height_ : 0;
  const size_t index = static_cast<size_t>(&tile - tiles_.get());
  if (tile.animated || !tile.sprite.CanEndCycle() || index >= count) return;
  tile.animated = 1;
  animatedTiles_.push_back(index);
}

void QORWell::TickTiles(float dt) {
  // A still picture has nothing to tick: only the listed tiles, in the order
  // of the board.
  std::sort(animatedTiles_.begin(), animatedTiles_.end());
  const size_t listed = animatedTiles_.size();
  for (size_t i = 0; i < listed; ++i) {
    QORTile& tile = tiles_[animatedTiles_[i]];
    // A flip that played its cycle gives way to the new type's picture.
    if (tile.type != kTileVoid && tile.sprite.TickEndsCycle(dt)) RefreshTile(tile);
  }
  animatedTiles_.erase(std::remove_if(animatedTiles_.begin(), animatedTiles_.end(),
                                      [this](size_t index) {
                                        QORTile& tile = tiles_[index];
                                        tile.animated = tile.sprite.CanEndCycle() ? 1 : 0;
                                        return !tile.animated;
                                      }),
                       animatedTiles_.end());
  webSprite_.Tick(dt);
}

void QORWell::RestoreCrackedTiles() {
  for (uint32_t x = 0; x < width_; ++x) {
    for (uint32_t y = 0; y < height_; ++y) {
      QORTile& tile = tiles_[GetCellIndex(x, y)];
      if (tile.type != kTileGold || std::rand() % 2 != 0) continue;
      tile.type = kTileCracked;
      RefreshTile(tile);
      PlayCellBurst(x, y);
    }
  }
}

void QORWell::PlayCellBurst(int32_t x, int32_t y) {
  QORWellSFX* effects = GetGameEffects();
  if (!effects) return;
  // The effects draw minus the scroll: the centre is taken in board space.
  const math::Vec2 centre = CellToScreen(x, y) + CellsToSize(1, 1) * 0.5f + scroll_;
  if (well::ExplosionSFXSet* burst = effects->GetExplosionSet(QORWellSFX::kBlueBurst)) {
    burst->Trigger(centre, 1.0f, 0.00625f, 0.25f);
  }
  if (well::Part2DSFXSet* sparks = effects->GetParticleSet(QORWellSFX::kTokenStart)) sparks->TriggerCount(10.0f, centre);
}

void QORWell::DrawBackground() {
  if (!backgroundSprites_) return;
  int32_t c0, c1, r0, r1;
  BackgroundRange(scroll_.x, kBackgroundWidth, backgroundColumns_, c0, c1);
  BackgroundRange(scroll_.y, kBackgroundHeight, backgroundRows_, r0, r1);
  for (int32_t column = c0; column < c1; ++column) {
    for (int32_t row = r0; row < r1; ++row) {
      ui::UISprite& sprite = backgroundSprites_[column * backgroundRows_ + row];
      const math::Vec2 stored = sprite.position;
      sprite.position = stored - scroll_;
      sprite.RenderClipped(math::Vec2(0.0f, 0.0f), math::Vec2(1.0f, 1.0f));
      sprite.position = stored;
    }
  }
  DrawBackDecorations();
  DrawTiles();
}

bool QORWell::IsCellInsideView(const math::Vec2& position) const {
  const math::Vec2 end = origin_ + viewSize_;
  return position.x >= origin_.x && position.y >= origin_.y && position.x + cellSize_.x < end.x &&
         position.y + cellSize_.y < end.y;
}

void QORWell::DrawTiles() {
  if (!tiles_) return;
  const well::CellRange range = GetVisibleRange();
  const math::Vec2 viewEnd = origin_ + viewSize_;
  for (int32_t x = range.x0; x < range.x1; ++x) {
    for (int32_t y = range.y0; y < range.y1; ++y) {
      QORTile& tile = tiles_[GetCellIndex(x, y)];
      if (tile.type == kTileVoid || (tile.type == kTileEditOnly && !IsEditing())) continue;
      if (!tile.sprite.HasImage()) continue;
      const math::Vec2 position = CellToScreen(x, y);
      tile.sprite.SetRect(position, cellSize_, 0.0f, 0, kWhite);
      if (IsCellInsideView(position)) {
        overlayBatch_.Add(&tile.sprite);
      } else {
        overlayBatch_.AddClipped(&tile.sprite, origin_, viewEnd);
      }
    }
  }
  overlayBatch_.Flush(true);
}

void QORWell::DrawWebs() {
  Graphics* graphics = GetGraphics();
  if (tiles_ && graphics && webSprite_.GetImage()) {
    // Every web in view in one draw: the quads of one picture, in the order
    // the cells are visited.
    webQuads_.clear();
    const well::CellRange range = GetVisibleRange();
    const math::Vec2 viewEnd = origin_ + viewSize_;
    for (int32_t x = range.x0; x < range.x1; ++x) {
      for (int32_t y = range.y0; y < range.y1; ++y) {
        if (!tiles_[GetCellIndex(x, y)].webbed) continue;
        const math::Vec2 position = CellToScreen(x, y);
        webSprite_.SetRect(position, cellSize_, 0.0f, 0, kWhite);
        const bool inside = IsCellInsideView(position);
        if (!inside && webSprite_.LiesOutside(origin_, viewEnd)) continue;
        webQuads_.resize(webQuads_.size() + ui::UISprite::kQuadVertices);
        Vertex2D* quad = &webQuads_[webQuads_.size() - ui::UISprite::kQuadVertices];
        if (inside) {
          webSprite_.BuildQuad(quad);
        } else {
          webSprite_.BuildClippedQuad(origin_, viewEnd, quad);
        }
      }
    }
    if (!webQuads_.empty()) {
      graphics->SetTexture(0, webSprite_.GetImage());
      graphics->DrawArray2D(webQuads_.data(), static_cast<uint32_t>(webQuads_.size()), Graphics::kTriangleList);
    }
  }
  DrawWalkers();
}
