#include "render/sprites/baked_quads.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "render/device/image.h"
#include "render/sprites/quad_builders.h"

namespace {
constexpr uint32_t kQuadVertices = 6;
}

BakedQuads::~BakedQuads() { delete image_; }

std::vector<Vertex2D>& BakedQuads::Rebuild() {
  stale_ = true;
  quads_.clear();
  return quads_;
}

void BakedQuads::Draw(Image* texture) {
  Graphics* graphics = GetGraphics();
  if (!graphics || quads_.empty()) return;
  if (stale_ || texture != bakedTexture_) {
    inImage_ = Bake(*graphics, texture);
    bakedTexture_ = texture;
    stale_ = false;
  }
  if (!inImage_) {
    DrawQuads(*graphics, texture, quads_);
    return;
  }
  graphics->SetTexture(0, image_);
  graphics->DrawArray2D(imageQuad_, kQuadVertices, Graphics::kTriangleList);
}

bool BakedQuads::Bake(Graphics& graphics, Image* texture) {
  float minX = std::numeric_limits<float>::max(), minY = minX;
  float maxX = std::numeric_limits<float>::lowest(), maxY = maxX;
  for (const Vertex2D& vertex : quads_) {
    minX = std::min(minX, vertex.x);
    minY = std::min(minY, vertex.y);
    maxX = std::max(maxX, vertex.x);
    maxY = std::max(maxY, vertex.y);
  }
  // Whole pixels around every pixel centre the quads cover, within the screen.
  const int32_t screenWidth = graphics.GetScreenWidth(), screenHeight = graphics.GetScreenHeight();
  const int32_t left = std::max(0, static_cast<int32_t>(std::floor(minX)));
  const int32_t top = std::max(0, static_cast<int32_t>(std::floor(minY)));
  const int32_t right = std::min(screenWidth, static_cast<int32_t>(std::ceil(maxX)) + 1);
  const int32_t bottom = std::min(screenHeight, static_cast<int32_t>(std::ceil(maxY)) + 1);
  if (right <= left || bottom <= top) return false;
  const uint32_t width = static_cast<uint32_t>(right - left), height = static_cast<uint32_t>(bottom - top);
  if (!image_ || image_->GetWidth() != width || image_->GetHeight() != height) {
    delete image_;
    image_ = graphics.CreateRenderTarget(width, height);
  }
  if (!image_ || !graphics.SetRenderTarget(image_)) return false;
  graphics.Clear(0u, 1.0f, 0, 1, 0, 0);
  std::vector<Vertex2D> placed = quads_;
  for (Vertex2D& vertex : placed) {
    vertex.x -= static_cast<float>(left);
    vertex.y -= static_cast<float>(top);
  }
  DrawQuads(graphics, texture, placed);
  graphics.SetRenderTarget(nullptr);
  const float screenW = static_cast<float>(screenWidth), screenH = static_cast<float>(screenHeight);
  BuildRectQuad(imageQuad_, math::Vec2(static_cast<float>(left) / screenW, static_cast<float>(top) / screenH),
                math::Vec2(static_cast<float>(width) / screenW, static_cast<float>(height) / screenH),
                math::Vec2(0.0f, 0.0f), math::Vec2(1.0f, 1.0f), 0xFFFFFFFFu);
  return true;
}

void BakedQuads::DrawQuads(Graphics& graphics, Image* texture, const std::vector<Vertex2D>& vertices) const {
  const size_t batch = static_cast<size_t>(quadsPerDraw_) * kQuadVertices;
  for (size_t first = 0; first < vertices.size(); first += batch) {
    graphics.SetTexture(0, texture);
    graphics.DrawArray2D(&vertices[first], static_cast<uint32_t>(std::min(batch, vertices.size() - first)),
                         Graphics::kTriangleList);
  }
}
