#include "game/game_test_support.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include "core/script/console.h"
#include "platform/window/win32_testing.h"
#include "render/font_test_support.h"
#include "ui/gameflow/game_flow_manager.h"

namespace game_test {

HeadlessGame::HeadlessGame()
    : QORApp(InTempFolder("game_test.log"), "game test", nullptr, InTempFolder("game_test.lua")) {}

namespace {

class GameEnvironment : public ::testing::Environment {
 public:
  HeadlessGame* Start() {
    if (app_ || tried_) return app_.get();
    tried_ = true;
    folder_ = std::make_unique<font_test::InDataFolder>();
    if (!folder_->ok()) return nullptr;
    auto app = std::make_unique<HeadlessGame>();
    SetApp(app.get());
    if (!app->InitWindow("game test", 800, 600) || !app->Init()) {
      Stop(app.get());
      return nullptr;
    }
    app_ = std::move(app);
    return app_.get();
  }
  void TearDown() override {
    if (app_) Stop(app_.get());
    app_.reset();
    folder_.reset();
  }

 private:
  static void Stop(HeadlessGame* app) {
    app->Shutdown();
    gameflow::GetGameFlowManager().SetApplication(nullptr);
    DestroyWindow(app->GetWindow());
    SetApp(nullptr);
    platform::testing::ClearMessageQueue();
  }

  bool tried_ = false;
  std::unique_ptr<font_test::InDataFolder> folder_;
  std::unique_ptr<HeadlessGame> app_;
};

GameEnvironment* const kEnvironment =
    static_cast<GameEnvironment*>(::testing::AddGlobalTestEnvironment(new GameEnvironment));

}  // namespace

HeadlessGame* StartedGame() {
  HeadlessGame* app = kEnvironment->Start();
  EXPECT_NE(app, nullptr) << "the game did not start";
  return app;
}

std::string ConsoleCallSince(const std::string& mark, const std::string& call) {
  const std::deque<std::string>& history = GetConsole()->GetHistory();
  for (auto line = history.rbegin(); line != history.rend() && *line != mark; ++line)
    if (line->rfind(call, 0) == 0) return *line;
  return std::string();
}

}  // namespace game_test
