#include "game/qor_app.h"

#include <string>

#include "app/boot_loader.h"
#include "board/effects/coin_sfx.h"
#include "board/game_variables.h"
#include "core/script/console.h"
#include "core/log.h"
#include "core/files/vfs.h"
#include "game/qor_credit_state.h"
#include "game/qor_game_state.h"
#include "game/qor_map_state.h"
#include "game/qor_mini_game_state.h"
#include "render/fonts/font_manager.h"
#include "render/device/graphics.h"
#include "render/sprites/sprite_set.h"
#include "ui/gameflow/game_flow_manager.h"

QORApp::QORApp(const std::string& logFileName, const std::string& caption, HINSTANCE instance,
               const std::string& configFileName)
    : GameApp(configFileName, instance, caption, logFileName) {}

QORApp::~QORApp() = default;

namespace {
struct GameFont {
  const char* name;
  int width, height, weight;
};
const GameFont kGameFonts[] = {
    {"BigFont", 18, 45, 550},
    {"MediumFont", 12, 32, 550},
    {"SmallFont", 8, 20, 550},
    {"TinyFont", 5, 13, 400},
};
}  // namespace

void QORApp::InitFonts() {
  FontManager* fonts = GetFontManager();
  fonts->LoadFonts("times new roman", 6, 12);
  for (const GameFont& wanted : kGameFonts) {
    if (fonts->Find(wanted.name)) continue;
    Font* font = GetGraphics()->CreateFontA(wanted.name);
    if (!font) continue;
    font->Resize("Daravur", wanted.width, wanted.height, wanted.weight, 1);
    if (!fonts->Add(wanted.name, font)) delete font;
  }
  LOG_LINE(MSG_INIT, "Font manager initialized");
}
// The maker's, the publisher's and the distributor's pages; a key or button
// skips straight to the next one. The loop pumps no window messages.
void QORApp::ShowSplash() {
  BootLoader loader(true);
  loader.AddPage("ui_img/talmin_splash.jpg", 1.0f, 1.0f, 2.0f);
  loader.AddPage("ui_img/quorvel_splash.jpg", 1.0f, 1.0f, 2.0f);
  loader.AddPage("ui_img/splash_distributor.jpg", 3.0f, 1.0f, 1.0f);
  loader.skipFadeOut = true;
  while (!loader.done) {
    loader.Tick();
    loader.Render();
  }
}
void QORApp::InitScripts() {
  console::Console* console = GetConsole();
  console->Do("ReloadGame()");
  console->BindKey(60, "CaptureAutoScreenshot()");
  console->BindKey(61, "CaptureMiniScreenshot()");
}
// The loading bar moves 28 of its 50 steps here. The game's own script API
// is registered first and its states are added last.
void QORApp::OnCreateStates() {
  if (LuaPlus::LuaState* lua = GetConsole()->GetState()) {
    QORGameState::RegisterLua(lua);
    RegisterGameVariables(lua);
    QORMapState::RegisterLua(lua);
  }
  // Landing coins pay into the current profile.
  CoinSFX::SetGoldAccess(&GetGold, &SetGold);
  AdvanceLoadingProgress(2);
  ui::GetSpriteSet()->Load("img/sprites.lua");
  AdvanceLoadingProgress(10);
  ui::GetSpriteSet()->Load("ui_img/sprites.lua");
  AdvanceLoadingProgress(10);
  AdvanceLoadingProgress(2);
  gameflow::GameFlowManager& flow = gameflow::GetGameFlowManager();
  flow.SetCamera(GetCamera());
  flow.SetFadeOverlay(false);
  flow.SetApplication(this);
  AdvanceLoadingProgress(4);
  GetConsole()->Do("OnInitUI()");
  // Shows whether the total still matches the steps really taken.
  LOG_LINE(MSG_COMMENT, "Loading units : " + std::to_string(GetLoadingProgress()) + ", total units " +
                            std::to_string(GetLoadingTotal()));
  flow.AddTransitionState("game", new QORGameState(GetCamera()));
  flow.AddTransitionState("minigame", new QORMiniGameState(GetCamera()));
  flow.AddTransitionState("map", new QORMapState("OnEnterMap()", "ui/map.ui", GetCamera(), "OnExitGeneric()"));
  flow.AddTransitionState("credits", new QORCreditState(GetCamera()));
}
void QORApp::MountArchives() { vfs::GetVFS().AddArchive("zev.arc"); }
