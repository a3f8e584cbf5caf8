#include "render/debug_draw/dd_batch.h"

namespace dd {

void Batch3D::Begin(Graphics* device) {
  graphics_ = device;
  if (!vertices_) vertices_ = std::make_unique<Vertex3D[]>(kBatchCapacity);
  count_ = 0;
}

void Batch3D::AddLine(const math::Vec3& from, const math::Vec3& to, uint32_t colour) {
  if (count_ + 2 >= kBatchCapacity && count_ > 0) Flush(Graphics::kLineList);
  Vertex3D* out = vertices_.get() + count_;
  out[0].x = from.x, out[0].y = from.y, out[0].z = from.z, out[0].diffuse = colour;
  out[1].x = to.x, out[1].y = to.y, out[1].z = to.z, out[1].diffuse = colour;
  count_ += 2;
}

Vertex3D* Batch3D::Reserve(uint32_t count) {
  if (count > kBatchCapacity) return nullptr;
  if (count_ + count > kBatchCapacity) Flush(Graphics::kLineList);
  Vertex3D* out = vertices_.get() + count_;
  count_ += count;
  return out;
}

void Batch3D::Flush(uint32_t type) {
  if (count_ > 0 && graphics_) graphics_->DrawArray3D(vertices_.get(), count_, type);
  count_ = 0;
}

void Batch2D::Begin(Graphics* device) {
  graphics_ = device;
  if (!vertices_) vertices_ = std::make_unique<Vertex2D[]>(kBatchCapacity);
  count_ = 0;
  width_ = device ? device->GetScreenWidth() : 0.0f;
  height_ = device ? device->GetScreenHeight() : 0.0f;
}

void Batch2D::AddLine(const math::Vec2& from, const math::Vec2& to, uint32_t colour) {
  if (count_ + 2 >= kBatchCapacity && count_ > 0) Flush();
  vertices_[count_++] = {from.x * width_, from.y * height_, 0.0f, 1.0f, colour, 0.0f, 0.0f};
  vertices_[count_++] = {to.x * width_, to.y * height_, 0.0f, 1.0f, colour, 0.0f, 0.0f};
}

void Batch2D::Flush() {
  if (count_ > 0 && graphics_) graphics_->DrawArray2D(vertices_.get(), count_, Graphics::kLineList);
  count_ = 0;
}

}  // namespace dd
