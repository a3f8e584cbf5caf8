// 3D particle files as an effect meets them: loaded, then updated through
// the opening burst, rebirths and forces, and drawn.
#include "core/math/matrix4.h"
#include "fuzz_target.h"
#include "render/particles/particle_system.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteInput("effect.lua", data, size);
  partsys::ParticleSystem system;
  if (!system.Load(path)) return 0;
  for (int step = 0; step < 6; ++step) {
    system.Update(0.3f);
    system.Render(math::Matrix4::Identity(), 1.0f);
  }
  return 0;
}

// The game's own effect, and one with every force, a mesh emitter and odd cells.
void WriteSeeds(fuzz::Seeds& seeds) {
  seeds.AddSourceFile("data/particles/title_glow.lua");
  seeds.AddText("forces.lua",
                "ParticleGroups = { { StartC = 20, MaxC = 10, Rebirth = 0, DirAlign = 1,\n"
                "  Emitter = { Type = 'MESH', MinMag = 2, MaxMag = 1 },\n"
                "  ImageSubSet = { Width = 2, Height = 0, FrameC = 9, FrameTime = 0 },\n"
                "  Forces = { { Type = 'attractor', AttractorType = 'InvSqr' }, { Type = 'killplane' },\n"
                "    { Type = 'sphereex', Action = 'bounce' }, { Type = 'path', ClosePath = 1 },\n"
                "    { Type = 'steer' }, { Type = 'linear' }, 4 } }, 'x' }\n");
}
