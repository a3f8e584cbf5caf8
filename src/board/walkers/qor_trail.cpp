#include "board/walkers/qor_trail.h"

#include <algorithm>

#include "render/device/graphics.h"
#include "render/device/image.h"
#include "render/sprites/quad_builders.h"

namespace {

// The vertices of the longest strip: 12 for each of its 50 segments.
constexpr uint32_t kSharedVertices = 12 * (QORTrail::kMaxPoints - 1);
Vertex2D sharedVertices[kSharedVertices];

}  // namespace

QORTrail::QORTrail() = default;

QORTrail::~QORTrail() = default;

void QORTrail::Init(float interval, float duration) {
  // In double precision from the single-precision values: 0.1 s over 1.3 s
  // holds 25 points, not 26.
  const double wanted = 1.0 / static_cast<double>(interval) * static_cast<double>(duration) * 2.0;
  // A bad interval or duration (zero, negative, not a number) holds nothing.
  capacity_ = wanted >= 0.0 ? static_cast<int32_t>(std::min(wanted, static_cast<double>(kMaxPoints))) : 0;
  points_ = std::make_unique<math::Vec2[]>(static_cast<size_t>(capacity_));
  sampleTimer_ = CountdownTimer(interval, interval);
  first_ = count_ = 0;
  interval_ = interval;
  duration_ = duration;
  fadeTimer_ = CountdownTimer(duration, duration);
}

void QORTrail::AddPoint(const math::Vec2& position) {
  if (!sampleTimer_.IsExpired()) return;
  sampleTimer_.remaining = interval_;
  if (capacity_ <= 0) return;
  // An owner that never lets points go fills the array: the oldest makes room.
  if (count_ >= capacity_) {
    first_ = std::max(first_, 1);
    Compact();
  }
  points_[count_++] = position;
  if (count_ >= capacity_) Compact();
}

void QORTrail::Compact() {
  std::copy(points_.get() + first_, points_.get() + count_, points_.get());
  count_ -= first_;
  first_ = 0;
}

void QORTrail::Tick(float dt) {
  sampleTimer_.Tick(dt);
  fadeTimer_.Tick(dt);
  if (!fadeTimer_.IsExpired()) return;
  if (first_ < count_) ++first_;
  fadeTimer_ = CountdownTimer(interval_, interval_);
}

void QORTrail::Render(const math::Vec2& origin) {
  Graphics* graphics = GetGraphics();
  if (!texture_ || !graphics) return;
  if (additive_) {
    graphics->SetRenderState(Graphics::kSourceBlend, Graphics::kBlendSourceAlpha);
    graphics->SetRenderState(Graphics::kDestBlend, Graphics::kBlendOne);
    graphics->SetRenderState(Graphics::kAlphaTest, 0);
  }
  const auto live = static_cast<uint32_t>(GetLiveCount());
  const uint32_t vertices = BuildTrailStrip(sharedVertices, origin, points_.get() + first_, live, width_);
  if (vertices > 0) {
    graphics->SetTexture(0, texture_.get());
    graphics->DrawArray2D(sharedVertices, vertices, Graphics::kTriangleList);
  }
  if (additive_) {
    graphics->SetRenderState(Graphics::kSourceBlend, Graphics::kBlendSourceAlpha);
    graphics->SetRenderState(Graphics::kDestBlend, Graphics::kBlendInverseSourceAlpha);
    graphics->SetRenderState(Graphics::kAlphaTest, 1);
  }
}

void QORTrail::LoadTexture(const std::string& fileName) {
  Graphics* graphics = GetGraphics();
  texture_.reset(graphics ? graphics->LoadImageA(fileName) : nullptr);
}
