// One floor tile under a cell of the game board: where the board has floor,
// how far matches have worn it, and whether a spider web lies on it.
#pragma once
#include <cstdint>

#include "render/sprites/ui_sprite.h"

// The tile kinds; other values are kept and drawn as nothing.
enum QORTileType : int32_t {
  kTileVoid = 0,     // no floor: an invisible block fills the cell
  kTileMetal = 1,
  kTileSand = 2,
  kTileCracked = 3,
  kTileGold = 4,     // broken through
  kTileBare = 5,     // floor without a tile image
  kTileEditOnly = 6, // a placeholder shown only while editing; void in play
};

struct QORTile {
  // A floor tile, as the critters and the explorer count floor.
  bool IsFloor() const { return type >= kTileMetal; }

  ui::UISprite sprite;
  int32_t type = kTileVoid;
  int32_t hit = 0;           // pending change of type
  int32_t crackVariant = 1;  // 1 to 3: which of the three sand pictures
  uint8_t webbed = 0;
  uint8_t animated = 0;  // listed by the board among the tiles it ticks
  int32_t x = 0;
  int32_t y = 0;
};
