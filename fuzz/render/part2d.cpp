// 2D particle files as an effect meets them: loaded, every group ticked with
// particles triggered and dying, saved, and the saved file loaded again.
#include "fuzz_target.h"
#include "render/particles/part2d.h"

namespace {

void Exercise(part2d::Part2D& system) {
  system.TriggerParticleSet(20, {0.5f, 0.5f});
  system.Trigger({0.25f, 0.75f});
  for (int step = 0; step < 8; ++step) {
    for (int i = 0; i < system.GroupC(); ++i) {
      part2d::PartGroup* group = system.GetGroup(static_cast<unsigned>(i));
      for (int made = 0; made < 64 && group->TickGeneration(step == 0 ? 0.5f : 0.0f); ++made) {
        group->AddParticle({0.5f, 0.5f});
      }
    }
    system.Tick(0.25f);
    system.Draw({0, 0}, {}, {});
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteInput("effect.p2d", data, size);
  const std::string saved = fuzz::ScratchPath("saved.p2d");
  {
    part2d::Part2D system;
    if (!system.Load(path)) return 0;
    Exercise(system);
    system.Save(saved);
  }
  part2d::Part2D again;
  again.Load(saved);
  Exercise(again);
  return 0;
}

// The game's own effects, and a file with each death action and odd values.
void WriteSeeds(fuzz::Seeds& seeds) {
  seeds.AddSourceFile("data/particles/title_sparkle.p2d");
  seeds.AddText("odd.p2d",
                "Part2D = { 3, { MaxC = 5, GenRate = 0, PartDie = { Type = 'PART_DIRECTION', Group = 1,\n"
                "  Probability = 0.255 } }, { MaxC = -1, Color = { { 1, 0, 0, 1 }, 'x', { 0, 0, 1 } },\n"
                "  Lifespan = { 0, 0 }, PartDie = { Group = 0 } } }\n");
}
