// Screen-space geometry for 2D drawing. Positions, sizes and radii are in
// screen units (fractions of the logical resolution); every vertex written
// has z 0 and rhw 1. Each builder writes into a caller-supplied array that
// must hold the number of vertices written.
#pragma once
#include <cstdint>

#include "core/math/vector.h"
#include "render/device/graphics.h"

// Corners 0 top-left, 1 bottom-left, 2 top-right, 3 bottom-right; UVs and
// colours may be null (unit square, white). 6 vertices, half-pixel offset.
void BuildCornerQuad(Vertex2D* out, const math::Vec2 corners[4], const math::Vec2* uvs, const uint32_t* colours);
// 6 vertices, half-pixel offset.
void BuildRectQuad(Vertex2D* out, const math::Vec2& position, const math::Vec2& size, const math::Vec2& uvMin,
                   const math::Vec2& uvMax, uint32_t colour);
// Turned counter-clockwise on screen by a positive angle (degrees); returns 6.
uint32_t BuildRotatedQuad(Vertex2D* out, const math::Vec2& centre, const math::Vec2& size, float angle,
                          const math::Vec2& uvMin, const math::Vec2& uvMax, uint32_t colour);
// The texture turned inside an upright rectangle by quarter turns 0..3
// (1 clockwise, 3 counter-clockwise; anything above 3 as 0). 6 vertices.
void BuildOrientedQuad(Vertex2D* out, const math::Vec2& position, const math::Vec2& size, const math::Vec2& uvMin,
                       const math::Vec2& uvMax, uint32_t colour, uint32_t orientation);
// Two quads side by side along the line; returns 12.
uint32_t BuildLineQuads(Vertex2D* out, const math::Vec2& from, const math::Vec2& to, float halfWidth,
                        uint32_t fromColour, uint32_t toColour, const math::Vec2& uvMin, const math::Vec2& uvMax);
// A trail fading in from its first point; returns 12 x (count - 1), 0 below two points.
uint32_t BuildTrailStrip(Vertex2D* out, const math::Vec2& origin, const math::Vec2* points, uint32_t count,
                         float halfWidth);
// A 16-sided fan as a triangle list; returns 48.
uint32_t BuildDisc(Vertex2D* out, const math::Vec2& centre, float radius, uint32_t centreColour,
                   uint32_t rimColour);
