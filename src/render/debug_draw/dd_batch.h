// Line batches of the debug drawing: vertices gathered into one array and
// drawn as a line list whenever it is about to fill.
#pragma once
#include <cstdint>
#include <memory>

#include "core/math/vector.h"
#include "render/device/graphics.h"

namespace dd {

constexpr uint32_t kBatchCapacity = 3000;

class Batch3D {
 public:
  // Allocates the array on first use; empties the batch.
  void Begin(Graphics* device);
  void AddLine(const math::Vec3& from, const math::Vec3& to, uint32_t colour);
  // Draws what is gathered as `type` and empties the batch.
  void Flush(uint32_t type);
  // Room for `count` more vertices after a flush when needed; null when
  // they cannot fit at all.
  Vertex3D* Reserve(uint32_t count);
  void Free() { vertices_.reset(); }

 private:
  Graphics* graphics_ = nullptr;
  std::unique_ptr<Vertex3D[]> vertices_;
  uint32_t count_ = 0;
};

class Batch2D {
 public:
  void Begin(Graphics* device);
  // Ends in screen units (0..1).
  void AddLine(const math::Vec2& from, const math::Vec2& to, uint32_t colour);
  void Flush();
  void Free() { vertices_.reset(); }

 private:
  Graphics* graphics_ = nullptr;
  std::unique_ptr<Vertex2D[]> vertices_;
  uint32_t count_ = 0;
  float width_ = 0.0f;
  float height_ = 0.0f;
};

}  // namespace dd
