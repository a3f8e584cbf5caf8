// Immediate-mode debug shapes: any code queues world-space and screen-space
// shapes during a frame; the 3D pass calls Render3D and the end of the 2D
// pass Render2D, which draw what is queued as lines. Each render empties
// every queue, 3D and 2D alike. Queuing allocates nothing: every kind has a
// fixed pool, and a shape past its pool is dropped (the Add call is false).
#pragma once
#include <cstdint>
#include <vector>

#include "render/debug_draw/dd_primitives.h"

namespace dd {

class Manager {
 public:
  static constexpr uint32_t kArrows = 5000, kCurves = 10, kBoxes = 5000, kSpheres = 200, kPlanes = 200,
                            kOrientedBoxes = 200, kLines = 5000, kRects = 400, kCircles = 400, kPaths = 10;

  Manager();
  ~Manager() { Shutdown(); }
  Manager(const Manager&) = delete;
  Manager& operator=(const Manager&) = delete;

  bool AddArrow3D(const math::Vec3& from, const math::Vec3& to, bool arrow, uint32_t colour);
  bool AddBox3D(const math::Vec3& min, const math::Vec3& max, uint32_t colour);
  // The spline is not copied: it must live until the next render.
  bool AddCurve3D(const math::Vec3Spline* spline, float step, uint32_t colour);
  bool AddSphere3D(const math::Vec3& centre, float radius, bool solid, uint32_t colour);
  bool AddPlane3D(uint32_t colour, const math::Vec3& size, const math::Vec3& position, const math::Plane& plane,
                  bool solid);
  bool AddOrientedBox3D(const math::Vec3& size, const math::Matrix4& placement, uint32_t colour);
  // `head`, when given, holds the four arrow-head points.
  bool AddLine2D(const math::Vec2& from, const math::Vec2& to, uint32_t colour,
                 const math::Vec2* head = nullptr);
  bool AddRect2D(const math::Vec2& min, const math::Vec2& max, uint32_t colour);
  bool AddCircle2D(const math::Vec2& centre, float radius, uint32_t colour);
  bool AddPath2D(const math::Vec2Spline* spline, float step, uint32_t colour);
  // Two circles and the two lines joining them on either side.
  void AddCapsule2D(const math::Vec2& from, const math::Vec2& to, float radius, uint32_t colour);

  bool Render3D();
  bool Render2D();
  // Frees the vertex arrays; the next render allocates them again.
  void Shutdown();

 private:
  // A fixed pool of records and the number queued this frame.
  template <typename Record>
  struct Pool {
    explicit Pool(uint32_t size) : records(size) {}
    // The next free record, or null when the pool is full.
    Record* Next() { return count < records.size() ? &records[count++] : nullptr; }
    template <typename Batch>
    void DrawAll(Batch& batch) const {
      for (uint32_t i = 0; i < count; ++i) records[i].Draw(batch);
    }
    std::vector<Record> records;
    uint32_t count = 0;
  };

  void ClearQueues();

  Pool<Sphere3D> spheres_{kSpheres};
  Pool<Arrow3D> arrows_{kArrows};
  Pool<Box3D> boxes_{kBoxes};
  Pool<Curve3D> curves_{kCurves};
  Pool<Plane3D> planes_{kPlanes};
  Pool<OrientedBox3D> orientedBoxes_{kOrientedBoxes};
  Pool<Line2D> lines_{kLines};
  Pool<Rect2D> rects_{kRects};
  Pool<Circle2D> circles_{kCircles};
  Pool<Path2D> paths_{kPaths};
  Batch3D batch3D_;
  Batch2D batch2D_;
};

// The one manager, built on first use and destroyed at exit.
Manager* GetManager();

}  // namespace dd
