#include "game/win_main.h"

#include <string>

#include "app/game_rms.h"
#include "app/win32_application.h"
#include "game/qor_app.h"

std::string GameCaption() {
  return std::string("Vantor of Ostravine") + " : " + "v0.99" + "               (Built on " + __DATE__ + " )";
}

int WinMain(HINSTANCE instance) {
  const std::string caption = GameCaption();
  const std::string folder = GetUserDataPath();
  auto* app = new QORApp(folder + "vantor.log", caption, instance, folder + "vantor.lua");
  SetApp(app);
  if (!app->InitWindow(caption, 800, 600)) return -1;
  if (app->Init())
    while (app->Tick()) {
    }
  if (GameRMS* store = app->GetRecordStore()) store->Save();
  app->Shutdown();
  delete app;
  SetApp(nullptr);
  return 1;
}
