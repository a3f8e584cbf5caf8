// UI panel files: loaded with all their widgets, updated and drawn, saved,
// and the saved file loaded again, as the UI manager meets them.
#include "fuzz_target.h"
#include "render/dx8/dx8_graphics.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"

namespace {

// A device for the widgets' images and drawing.
bool Prepare() {
  Dx8Graphics::Create();
  Dx8Graphics* graphics = GetDx8Graphics();
  return graphics->Init() && graphics->SetDisplayMode(800, 600, false, false);
}

void Show(ui::UIManager& manager) {
  manager.Update(0.1f);
  if (GetGraphics()->BeginScene()) {
    manager.Render();
    GetGraphics()->EndScene();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool prepared = Prepare();
  if (!prepared) return 0;
  const std::string saved = fuzz::ScratchPath("saved.ui");
  {
    ui::UIManager manager;
    ui::UIWidget* panel = manager.AddPanel(fuzz::WriteInput("panel.ui", data, size));
    if (!panel) return 0;
    Show(manager);
    manager.SavePanel(panel, saved);
  }
  ui::UIManager again;
  if (again.AddPanel(saved)) Show(again);
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) {
  seeds.AddSourceFile("data/ui/title.ui");
  seeds.AddSourceFile("data/ui/options.ui");
  seeds.AddSourceFile("data/ui/loading.ui");
}
