#include "render/sprites/quad_builders.h"

#include <cmath>

namespace {

constexpr uint32_t kDiscSegments = 16;

struct DiscTables {
  float sine[kDiscSegments + 1];
  float cosine[kDiscSegments + 1];
  DiscTables() {
    for (uint32_t k = 0; k <= kDiscSegments; ++k) {
      // The last entry closes the circle at exactly 6.28318.
      float angle = k == kDiscSegments ? 6.28318f : static_cast<float>(k) * 0.39269876f;
      sine[k] = std::sin(angle);
      cosine[k] = std::cos(angle);
    }
  }
};
const DiscTables kDisc;

float ScreenW() { return static_cast<float>(GetGraphics() ? GetGraphics()->GetScreenWidth() : 0); }
float ScreenH() { return static_cast<float>(GetGraphics() ? GetGraphics()->GetScreenHeight() : 0); }

void Put(Vertex2D& v, float x, float y, uint32_t colour, float u, float tv) {
  v = {x, y, 0.0f, 1.0f, colour, u, tv};
}

// The 12 vertices of one line segment in pixels (F, T and the offset o).
struct LinePoints {
  float fx, fy, tx, ty, ox, oy;
};

LinePoints LineOf(const math::Vec2& from, const math::Vec2& to, float halfWidth) {
  const float W = ScreenW(), H = ScreenH();
  float dx = to.x - from.x;
  float ny = -(to.y - from.y);
  float length = std::sqrt(dx * dx + ny * ny);
  if (length == 0.0f) length = 1.0f;
  return {W * from.x, H * from.y, W * to.x, H * to.y, W * (ny / length) * halfWidth, H * (dx / length) * halfWidth};
}

void WriteLine(Vertex2D* out, const LinePoints& p, uint32_t fromColour, uint32_t toColour, float edgeU0, float edgeU1,
               float centreU, float vFrom, float vTo) {
  Put(out[0], p.tx - p.ox, p.ty - p.oy, toColour, edgeU0, vTo);
  Put(out[1], p.tx, p.ty, toColour, centreU, vTo);
  Put(out[2], p.fx, p.fy, fromColour, centreU, vFrom);
  Put(out[3], p.tx - p.ox, p.ty - p.oy, toColour, edgeU0, vTo);
  Put(out[4], p.fx, p.fy, fromColour, centreU, vFrom);
  Put(out[5], p.fx - p.ox, p.fy - p.oy, fromColour, edgeU0, vFrom);
  Put(out[6], p.tx, p.ty, toColour, centreU, vTo);
  Put(out[7], p.tx + p.ox, p.ty + p.oy, toColour, edgeU1, vTo);
  Put(out[8], p.fx + p.ox, p.fy + p.oy, fromColour, edgeU1, vFrom);
  Put(out[9], p.tx, p.ty, toColour, centreU, vTo);
  Put(out[10], p.fx + p.ox, p.fy + p.oy, fromColour, edgeU1, vFrom);
  Put(out[11], p.fx, p.fy, fromColour, centreU, vFrom);
}

}  // namespace

void BuildCornerQuad(Vertex2D* out, const math::Vec2 corners[4], const math::Vec2* uvs, const uint32_t* colours) {
  static const math::Vec2 kUnitUvs[4] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
  static const int kOrder[6] = {1, 0, 3, 2, 3, 0};
  const float W = ScreenW(), H = ScreenH();
  if (!uvs) uvs = kUnitUvs;
  for (int i = 0; i < 6; ++i) {
    int c = kOrder[i];
    Put(out[i], W * corners[c].x - 0.5f, H * corners[c].y - 0.5f, colours ? colours[c] : 0xFFFFFFFFu, uvs[c].x,
        uvs[c].y);
  }
}

void BuildRectQuad(Vertex2D* out, const math::Vec2& position, const math::Vec2& size, const math::Vec2& uvMin,
                   const math::Vec2& uvMax, uint32_t colour) {
  const float W = ScreenW(), H = ScreenH();
  float x0 = W * position.x - 0.5f;
  float y0 = H * position.y - 0.5f;
  float x1 = (W * position.x + W * size.x) - 0.5f;
  float y1 = (H * size.y + H * position.y) - 0.5f;
  Put(out[0], x0, y1, colour, uvMin.x, uvMax.y);
  Put(out[1], x0, y0, colour, uvMin.x, uvMin.y);
  Put(out[2], x1, y1, colour, uvMax.x, uvMax.y);
  Put(out[3], x1, y0, colour, uvMax.x, uvMin.y);
  Put(out[4], x1, y1, colour, uvMax.x, uvMax.y);
  Put(out[5], x0, y0, colour, uvMin.x, uvMin.y);
}

uint32_t BuildRotatedQuad(Vertex2D* out, const math::Vec2& centre, const math::Vec2& size, float angle,
                          const math::Vec2& uvMin, const math::Vec2& uvMax, uint32_t colour) {
  const float W = ScreenW(), H = ScreenH();
  float a = angle * 0.01745f;
  float s = std::sin(a);
  float c = std::sin(a + 1.57079f);
  float A = c * size.x / 2;
  float B = -(s * size.x * GetAspectWidthOverHeight()) / 2;
  float C = s * size.y * GetAspectHeightOverWidth() / 2;
  float D = c * size.y / 2;
  Put(out[0], (centre.x - A - C) * W, (centre.y - B - D) * H, colour, uvMin.x, uvMin.y);
  Put(out[1], (centre.x + A - C) * W, (centre.y + B - D) * H, colour, uvMax.x, uvMin.y);
  Put(out[2], (centre.x + A + C) * W, (centre.y + B + D) * H, colour, uvMax.x, uvMax.y);
  out[3] = out[0];
  out[4] = out[2];
  Put(out[5], (centre.x - A + C) * W, (centre.y - B + D) * H, colour, uvMin.x, uvMax.y);
  return 6;
}

void BuildOrientedQuad(Vertex2D* out, const math::Vec2& position, const math::Vec2& size, const math::Vec2& uvMin,
                       const math::Vec2& uvMax, uint32_t colour, uint32_t orientation) {
  if (orientation == 2) {
    BuildRectQuad(out, position, size, uvMax, uvMin, colour);
    return;
  }
  if (orientation != 1 && orientation != 3) {
    BuildRectQuad(out, position, size, uvMin, uvMax, colour);
    return;
  }
  float down = GetAspectWidthOverHeight() * size.x;
  float across = GetAspectHeightOverWidth() * size.y;
  const math::Vec2 corners[4] = {position, {position.x, position.y + down}, {position.x + across, position.y},
                                 {position.x + across, position.y + down}};
  const uint32_t colours[4] = {colour, colour, colour, colour};
  const math::Vec2 clockwise[4] = {{uvMin.x, uvMax.y}, {uvMax.x, uvMax.y}, {uvMin.x, uvMin.y}, {uvMax.x, uvMin.y}};
  const math::Vec2 counter[4] = {{uvMax.x, uvMin.y}, {uvMin.x, uvMin.y}, {uvMax.x, uvMax.y}, {uvMin.x, uvMax.y}};
  BuildCornerQuad(out, corners, orientation == 1 ? clockwise : counter, colours);
}

uint32_t BuildLineQuads(Vertex2D* out, const math::Vec2& from, const math::Vec2& to, float halfWidth,
                        uint32_t fromColour, uint32_t toColour, const math::Vec2& uvMin, const math::Vec2& uvMax) {
  float mid = uvMin.x + (uvMax.x - uvMin.x) * 0.5f;
  WriteLine(out, LineOf(from, to, halfWidth), fromColour, toColour, uvMin.x, uvMax.x, mid, uvMin.y, uvMax.y);
  return 12;
}

uint32_t BuildTrailStrip(Vertex2D* out, const math::Vec2& origin, const math::Vec2* points, uint32_t count,
                         float halfWidth) {
  if (count < 2) return 0;
  for (uint32_t i = 0; i + 1 < count; ++i) {
    auto alphaAt = [count](uint32_t k) {
      return static_cast<uint32_t>(static_cast<float>(k) / static_cast<float>(count) * 255.0f) << 24 | 0xFFFFFFu;
    };
    // One v for all; the edges at u 0.95, the centre at 0.05.
    WriteLine(out + 12 * i, LineOf(points[i] - origin, points[i + 1] - origin, halfWidth), alphaAt(i), alphaAt(i + 1),
              0.95f, 0.95f, 0.05f, 0.5f, 0.5f);
  }
  return 12 * (count - 1);
}

uint32_t BuildDisc(Vertex2D* out, const math::Vec2& centre, float radius, uint32_t centreColour,
                   uint32_t rimColour) {
  const float W = ScreenW(), H = ScreenH();
  float cx = W * centre.x, cy = H * centre.y;
  for (uint32_t k = 0; k < kDiscSegments; ++k) {
    Put(out[3 * k], cx, cy, centreColour, 0.1f, 0.5f);
    Put(out[3 * k + 1], cx + W * radius * kDisc.cosine[k], cy + H * radius * kDisc.sine[k], rimColour, 0.9f, 0.5f);
    Put(out[3 * k + 2], cx + W * radius * kDisc.cosine[k + 1], cy + H * radius * kDisc.sine[k + 1], rimColour, 0.9f,
        0.5f);
  }
  return 48;
}
