#include "well/effects/explosion_sfx_set.h"

#include <algorithm>

#include "render/sprites/quad_builders.h"
#include "well/effects/effect_duration.h"
#include "well/effects/well_sfx.h"

namespace well {

void ExplosionSFXSet::Load(const std::string& image, size_t count, uint32_t colourA, uint32_t colourB) {
  sprite_.Setup(image, {0.0f, 0.0f}, {1.0f, 1.0f}, false);
  particles_.assign(count, Particle());
  colourA_ = colourA;
  colourB_ = colourB;
  running_ = 0;
}

void ExplosionSFXSet::Trigger(const math::Vec2& position, float duration, float startSize, float endSize) {
  if (running_ >= particles_.size()) return;
  for (Particle& particle : particles_) {
    if (particle.IsRunning()) continue;
    particle.timer.period = particle.timer.remaining = EffectDuration(duration);
    particle.position = position;
    particle.startSize = startSize;
    particle.endSize = endSize;
    ++running_;
    return;
  }
}

void ExplosionSFXSet::Tick(float dt) {
  for (Particle& particle : particles_) {
    if (!particle.IsRunning()) continue;
    particle.timer.Tick(dt);
    if (!particle.IsRunning()) --running_;
  }
}

void ExplosionSFXSet::Draw() {
  Graphics* graphics = GetGraphics();
  if (!graphics || particles_.empty() || running_ == 0) return;
  graphics->SetRenderState(Graphics::kSourceBlend, Graphics::kBlendSourceAlpha);
  graphics->SetRenderState(Graphics::kDestBlend, Graphics::kBlendOne);
  graphics->SetRenderState(Graphics::kAlphaTest, 0);
  Vertex2D vertices[kBatchVertices];
  uint32_t count = 0;
  const math::Vec2 offset = effects_->GetOffset();
  for (const Particle& particle : particles_) {
    if (!particle.IsRunning()) continue;
    const float progress = particle.timer.GetProgress();
    const float size = particle.startSize + progress * (particle.endSize - particle.startSize);
    const uint32_t b = static_cast<uint32_t>(std::clamp(static_cast<int>((1.0f - progress) * 255.0f),
                                                        kMinBrightness, 255));
    const uint32_t centre = b << 24 | b << 16 | b << 8 | b;
    count += BuildDisc(vertices + count, particle.position - offset, size, centre, 0x00FFFFFFu);
    if (count + kDiscVertices >= kBatchVertices) {
      Flush(vertices, count);
      count = 0;
    }
  }
  Flush(vertices, count);
  graphics->SetRenderState(Graphics::kSourceBlend, Graphics::kBlendSourceAlpha);
  graphics->SetRenderState(Graphics::kDestBlend, Graphics::kBlendInverseSourceAlpha);
  graphics->SetRenderState(Graphics::kAlphaTest, 1);
}

void ExplosionSFXSet::Flush(Vertex2D* vertices, uint32_t count) {
  if (count == 0) return;
  GetGraphics()->SetTexture(0, sprite_.GetImage());
  GetGraphics()->DrawArray2D(vertices, count, Graphics::kTriangleList);
}

}  // namespace well
