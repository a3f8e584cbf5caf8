// The top-left corners, in pixels, of the 2D draws a recording renderer made
// while one texture was bound, in the order drawn: where each picture drawn
// with that image stands.
#pragma once
#include <algorithm>
#include <cstddef>
#include <vector>

#include "core/math/vector.h"
#include "render/recording_graphics.h"

inline std::vector<math::Vec2> CornersDrawnWith(const RecordingGraphics& graphics, const Surface* texture) {
  std::vector<math::Vec2> corners;
  const Surface* bound = nullptr;
  size_t draw = 0;
  for (const RecordingGraphics::Call& call : graphics.calls) {
    if (call.kind == RecordingGraphics::Call::kBind) {
      bound = call.texture;
      continue;
    }
    const std::vector<Vertex2D>& quad = graphics.drawn[draw++];
    if (bound != texture || quad.empty()) continue;
    math::Vec2 corner(quad[0].x, quad[0].y);
    for (const Vertex2D& vertex : quad) corner = math::Vec2(std::min(corner.x, vertex.x), std::min(corner.y, vertex.y));
    corners.push_back(corner);
  }
  return corners;
}
