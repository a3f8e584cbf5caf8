// 2D and 3D particles ticked and drawn per frame on the headless device; the
// "frame_share" counter is the time of one frame's particles over 16.7 ms.
#include <benchmark/benchmark.h>

#include <string>

#include "core/files/resman.h"
#include "core/math/matrix4.h"
#include "core/script/script_helper.h"
#include "render/dx8/dx8_graphics.h"
#include "render/particles/part2d.h"
#include "render/particles/particle_system.h"

namespace {

constexpr double kFrameSeconds = 1.0 / 60.0;
const std::string kDot = std::string(VANTOR_DATA_DIR) + "/particles/soft_dot.png";

// The headless device for the length of one benchmark.
class Device {
 public:
  Device() {
    Dx8Graphics::Create();
    graphics_ = GetDx8Graphics();
    ready_ = graphics_->Init() && graphics_->SetDisplayMode(800, 600, false, false);
    if (ready_) graphics_->SetDefaultRenderStates();
  }
  ~Device() {
    res::GetResMan().ClearResources();
    Graphics::SHUTDOWN();
  }
  bool Ready() const { return ready_; }
  template <typename Draw>
  void Frame(Draw draw) {
    graphics_->BeginScene();
    graphics_->Clear(0xFF000000u, 1.0f, 0, 1, 1, 0);
    draw();
    graphics_->EndScene();
    graphics_->Present();
  }

 private:
  Dx8Graphics* graphics_ = nullptr;
  bool ready_ = false;
};

void Report(benchmark::State& state, int64_t particles) {
  state.SetItemsProcessed(state.iterations() * particles);
  state.counters["particles"] = static_cast<double>(particles);
  state.counters["frame_share"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kFrameSeconds,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Particles2D(benchmark::State& state) {
  Device device;
  if (!device.Ready()) return state.SkipWithError("no headless device");
  const int count = static_cast<int>(state.range(0));
  part2d::Part2D system;
  part2d::PartGroup* group = system.CreateGroup();
  group->SetMaxC(count);
  group->SetImage(kDot);
  group->lifespan = {1e6f, 1e6f};
  group->fuzzyBirth = {0.5f, 0.5f};
  group->minSpeed = {-0.05f, -0.05f};
  group->maxSpeed = {0.05f, 0.05f};
  group->sizeFromMin = group->sizeFromMax = {0.02f, 0.02f};
  system.TriggerParticleSet(count, {0.5f, 0.5f});
  for (auto _ : state) {
    system.Tick(static_cast<float>(kFrameSeconds));
    device.Frame([&] { system.Draw({0, 0}, {}, {}); });
  }
  Report(state, group->GetLiveCount());
}
BENCHMARK(BM_Particles2D)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_Particles3D(benchmark::State& state) {
  Device device;
  if (!device.Ready()) return state.SkipWithError("no headless device");
  partsys::ParticleSystem system;
  LuaPlus::LuaState* lua = script::CreateLuaState();
  const std::string count = std::to_string(state.range(0));
  lua->DoString(("group = { Texture = '" + kDot + "', StartC = " + count + ", MaxC = " + count +
                 ", Emitter = { Type = 'box', BoxSize = { 7, 5, 0 }, Range = 0, MinLife = 2, MaxLife = 4,"
                 " MinSize = 0.3, MaxSize = 0.6 }, Forces = { { Type = 'linear', Force = { 0, 0.3, 0 } } } }")
                    .c_str());
  system.AddParticleGroup(lua->GetGlobal("group"));
  LuaPlus::LuaState::Destroy(lua);
  const math::Matrix4 view = math::LookAtLH({0, 0, -20}, {0, 0, 0}, {0, 1, 0});
  for (auto _ : state) {
    system.Update(static_cast<float>(kFrameSeconds));
    device.Frame([&] { system.Render(view, 1.0f); });
  }
  Report(state, system.GetGroup(0)->liveCount);
}
BENCHMARK(BM_Particles3D)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace
