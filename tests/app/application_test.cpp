#include "app/win32_application.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "core/frame_timer.h"
#include "core/input/input.h"
#include "core/input/keyboard.h"
#include "core/log.h"
#include "core/input/mouse.h"
#include "core/input/mouse_listener.h"
#include "platform/cursor_fixtures.h"
#include "platform/input/dinput_testing.h"
#include "platform/window/win32_testing.h"
#include "read_file.h"
#include "temp_folder.h"
#include "ui/gameflow/game_flow_manager.h"

namespace {
constexpr UINT kUserMessage = 0x0400;

std::string LogPath(const std::string& caption) { return ::testing::TempDir() + caption + ".log"; }

class CountingApp : public Win32Application {
 public:
  explicit CountingApp(const std::string& caption)
      : Win32Application(::testing::TempDir() + caption + ".lua", nullptr, caption, LogPath(caption)) {}
  // The log is the process's one log: closed here, the next application of
  // the same test program opens its own file afresh.
  ~CountingApp() override {
    GetLog().Close();
    std::remove(LogPath(GetAppName()).c_str());
  }
  bool Init() override { return true; }
  bool Shutdown() override { return true; }
  bool Update() override {
    ++updates;
    return true;
  }
  int updates = 0;
};

std::string LogText(const std::string& caption) { return ReadFile(LogPath(caption)); }

class ApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    app_ = std::make_unique<CountingApp>(std::string("application test ") + info->name());
    ASSERT_TRUE(app_->InitWindow("test window", 800, 600));
    platform::testing::ClearMessageQueue();
  }
  void TearDown() override {
    DestroyWindow(app_->GetWindow());
    platform::testing::ClearMessageQueue();
  }
  std::unique_ptr<CountingApp> app_;
};

TEST_F(ApplicationTest, EachQueuedMessageCostsOneStepWithoutAFrame) {
  for (int i = 0; i < 10; ++i) platform::testing::PostWindowMessage(app_->GetWindow(), kUserMessage, 0, 0);
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(app_->Tick());
  EXPECT_EQ(app_->updates, 0);
  EXPECT_TRUE(app_->Tick());
  EXPECT_EQ(app_->updates, 1);
}

TEST_F(ApplicationTest, FocusEventsSetTheFlagsAndLog) {
  HWND window = app_->GetWindow();
  platform::testing::SendWindowMessage(window, WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_TRUE(app_->IsInactive());
  EXPECT_FALSE(app_->HasFocus());
  gameflow::GameFlowManager& flow = gameflow::GetGameFlowManager();
  GetFrameTimer().totalTime += 5.0f;
  platform::testing::SendWindowMessage(window, WM_ACTIVATE, WA_CLICKACTIVE, 0);
  EXPECT_FALSE(app_->IsInactive());
  EXPECT_TRUE(app_->HasFocus());
  // Input stays suppressed for a moment from now on.
  EXPECT_EQ(flow.GetLastFocusGain(), GetFrameTimer().totalTime);
  EXPECT_FALSE(flow.IsActive());
  // Activation while minimised carries a non-zero high word: still a loss.
  platform::testing::SendWindowMessage(window, WM_ACTIVATE, WA_ACTIVE | (WPARAM{1} << 16), 0);
  EXPECT_TRUE(app_->IsInactive());
  EXPECT_FALSE(app_->HasFocus());
  std::string log = LogText(app_->GetAppName());
  EXPECT_NE(log.find("GAINED FOCUS  [MSG_WARNING]\n"), std::string::npos);
  EXPECT_NE(log.find("LOST FOCUS  [MSG_WARNING]\n"), std::string::npos);
}

class PressCounter : public input::MouseListener {
 public:
  void OnMouseDown(const input::MouseButton*, const math::Vec2*) override { ++presses; }
  int presses = 0;
};

TEST_F(ApplicationTest, FocusGainReleasesTheKeysAndButtonsHeldBefore) {
  HWND window = app_->GetWindow();
  input::Input& devices = input::GetInput();
  ASSERT_TRUE(devices.Init(window));
  input::Keyboard& keyboard = *devices.GetKeyboard();
  input::Mouse& mouse = *devices.GetMouse();
  PressCounter counter;
  platform::testing::FeedKey(SDL_SCANCODE_ESCAPE, true);
  platform::testing::FeedMouseButton(SDL_BUTTON_LEFT, true);
  ASSERT_TRUE(keyboard.Update(false, 0.02f, 1.0f));
  ASSERT_TRUE(mouse.Update(false, 0.02f, 1.0f));
  ASSERT_TRUE(keyboard.GetKeyState(DIK_ESCAPE).down);
  ASSERT_EQ(counter.presses, 1);

  platform::testing::SendWindowMessage(window, WM_ACTIVATE, WA_INACTIVE, 0);
  platform::testing::SendWindowMessage(window, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_FALSE(keyboard.GetKeyState(DIK_ESCAPE).down);
  EXPECT_TRUE(keyboard.GetKeyState(DIK_ESCAPE).changed);
  // The button is still down on the device, so it comes again as a press.
  EXPECT_TRUE(mouse.Update(false, 0.02f, 1.1f));
  EXPECT_EQ(counter.presses, 2);
  // Leave the process-wide devices released for the other tests of this process.
  platform::testing::FeedKey(SDL_SCANCODE_ESCAPE, false);
  platform::testing::FeedMouseButton(SDL_BUTTON_LEFT, false);
  keyboard.Update(false, 0.02f, 1.2f);
  mouse.Update(false, 0.02f, 1.2f);
}

TEST_F(ApplicationTest, InactiveStepsSleepInsteadOfUpdating) {
  platform::testing::SendWindowMessage(app_->GetWindow(), WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_TRUE(app_->Tick());
  EXPECT_EQ(app_->updates, 0);
}

TEST_F(ApplicationTest, QueuedSizeMessagesChangeActivity) {
  HWND window = app_->GetWindow();
  platform::testing::PostWindowMessage(window, WM_SIZE, SIZE_MINIMIZED, 0);
  app_->Tick();
  EXPECT_TRUE(app_->IsInactive());
  platform::testing::PostWindowMessage(window, WM_SIZE, SIZE_MAXIMIZED, 0);
  app_->Tick();
  EXPECT_FALSE(app_->IsInactive());
}

TEST_F(ApplicationTest, ClosingTheWindowEndsTheLoop) {
  platform::testing::SendWindowMessage(app_->GetWindow(), WM_CLOSE, 0, 0);  // destroys it
  EXPECT_FALSE(app_->Tick());
  EXPECT_TRUE(app_->IsQuitting());
}

TEST_F(ApplicationTest, MouseMovesGiveClientAndRelativePositions) {
  platform::testing::PostWindowMessage(app_->GetWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(403, -3));
  app_->Tick();
  const MouseClientPosition& mouse = GetMouseClientPosition();
  EXPECT_EQ(mouse.x, 403);
  EXPECT_EQ(mouse.y, -3);
  const RECT& client = app_->GetClientRect();
  EXPECT_FLOAT_EQ(mouse.relativeX, 403.0f / static_cast<float>(client.right - client.left));
}

TEST_F(ApplicationTest, ACollapsedClientAreaKeepsTheLastRelativePosition) {
  HWND window = app_->GetWindow();
  platform::testing::PostWindowMessage(window, WM_MOUSEMOVE, 0, MAKELPARAM(400, 300));
  app_->Tick();
  const MouseClientPosition before = GetMouseClientPosition();
  // An outer size of the frame alone, and one smaller than the frame.
  const int frameWidth = 2 * GetSystemMetrics(SM_CXBORDER);
  const int frameHeight = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYBORDER);
  for (int shrink : {0, 1}) {
    SCOPED_TRACE(shrink);
    SetWindowPos(window, nullptr, 0, 0, frameWidth - shrink, frameHeight - shrink, SWP_NOMOVE | SWP_NOZORDER);
    platform::testing::PostWindowMessage(window, WM_MOUSEMOVE, 0, MAKELPARAM(10, 20));
    app_->Tick();
    const MouseClientPosition& mouse = GetMouseClientPosition();
    EXPECT_EQ(mouse.x, 10);
    EXPECT_EQ(mouse.y, 20);
    EXPECT_EQ(mouse.relativeX, before.relativeX);
    EXPECT_EQ(mouse.relativeY, before.relativeY);
  }
}

TEST_F(ApplicationTest, TheWindowIsCentredOnTheDesktop) {
  uint32_t width = 0, height = 0, bits = 0;
  app_->GetDesktopMode(&width, &height, &bits);
  RECT outer{};
  GetWindowRect(app_->GetWindow(), &outer);
  EXPECT_EQ(outer.left, (static_cast<int>(width) - 800) / 2);
  EXPECT_EQ(outer.top, (static_cast<int>(height) - 600) / 2);
}

TEST(WindowPlacementTest, AWindowLargerThanTheDesktopOverhangsItsTopLeftCorner) {
  CountingApp app("window placement test");
  uint32_t width = 0, height = 0, bits = 0;
  app.GetDesktopMode(&width, &height, &bits);
  ASSERT_TRUE(app.InitWindow("large", width + 100, height + 50));
  RECT outer{};
  GetWindowRect(app.GetWindow(), &outer);
  EXPECT_EQ(outer.left, -50);
  EXPECT_EQ(outer.top, -25);
  DestroyWindow(app.GetWindow());
  platform::testing::ClearMessageQueue();
}

TEST(SingleInstanceTest, ASecondApplicationOfTheSameNameIsRefused) {
  CountingApp first("single instance test");
  ASSERT_TRUE(first.InitWindow("first", 800, 600));
  // The same class from this process is found directly; another process
  // finds it through the lock (see the game's end-to-end test).
  EXPECT_EQ(FindWindowA("single instance test", nullptr), first.GetWindow());
  DestroyWindow(first.GetWindow());
  EXPECT_EQ(FindWindowA("single instance test", nullptr), nullptr);
  platform::testing::ClearMessageQueue();
}

TEST(WindowClassTest, AFailedRegistrationIsReportedAndTheWindowStillMade) {
  {
    CountingApp first("window class test");
    ASSERT_TRUE(first.InitWindow("first", 800, 600));
    DestroyWindow(first.GetWindow());
  }
  // The class outlives the first window, so registering it again fails.
  CountingApp second("window class test");
  const int boxes = platform::testing::LastMessageBox().count;
  ASSERT_TRUE(second.InitWindow("second", 800, 600));
  const std::string log = LogText("window class test");
  EXPECT_NE(log.find("> Unable to create class!  [MSG_FATAL]\n"), std::string::npos);
  EXPECT_NE(log.find("> Windows Error: 1410  [MSG_ERROR]\n"), std::string::npos);
  EXPECT_EQ(log.find("Unable to create window!"), std::string::npos);
  const platform::testing::MessageBoxRecord& box = platform::testing::LastMessageBox();
  EXPECT_EQ(box.count, boxes + 1);
  EXPECT_EQ(box.caption, "Windows Error: 1410");
  EXPECT_EQ(box.text, "Class already exists.\r\n");
  DestroyWindow(second.GetWindow());
  platform::testing::ClearMessageQueue();
}

// The test cursor, written to a file.
void WriteCursorFile(const std::string& path) {
  const std::vector<uint8_t> bytes = cursor_fixtures::ArrowCursor();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

TEST(CursorFileTest, ACursorIsReplacedOnlyByOneThatLoaded) {
  TempFolder folder;
  const std::string file = (folder.Path() / "arrow.cur").string();
  WriteCursorFile(file);
  {
    CountingApp app("cursor test");
    app.SetCursorFile(file);
    const HCURSOR first = app.GetCursorHandle();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetCursor(), first);

    // A file that does not load leaves the loaded cursor current.
    app.SetCursorFile("no such cursor.cur");
    EXPECT_EQ(app.GetCursorHandle(), first);
    EXPECT_EQ(GetCursor(), first);

    // The replacement loads before the old cursor goes.
    app.SetCursorFile(file);
    const HCURSOR second = app.GetCursorHandle();
    EXPECT_NE(second, first);
    EXPECT_EQ(GetCursor(), second);

    // A cursor the application did not load is not its to destroy.
    HCURSOR foreign =
        static_cast<HCURSOR>(LoadImageA(nullptr, file.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(foreign, nullptr);
    SetCursor(foreign);
    app.SetCursorFile("no such cursor.cur");
    EXPECT_EQ(GetCursor(), foreign);
    EXPECT_EQ(app.GetCursorHandle(), second);
    DestroyCursor(foreign);
    SetCursor(second);
  }
  // The application destroys its own cursor when it goes.
  EXPECT_EQ(GetCursor(), nullptr);
}

TEST_F(ApplicationTest, ALoadedCursorIsKeptOverTheWindow) {
  HWND window = app_->GetWindow();
  EXPECT_EQ(platform::testing::SendWindowMessage(window, WM_SETCURSOR, 0, 0), 0);
  TempFolder folder;
  const std::string file = (folder.Path() / "arrow.cur").string();
  WriteCursorFile(file);
  app_->SetCursorFile(file);
  ASSERT_NE(app_->GetCursorHandle(), nullptr);
  EXPECT_EQ(platform::testing::SendWindowMessage(window, WM_SETCURSOR, 0, 0), TRUE);
}
}  // namespace
