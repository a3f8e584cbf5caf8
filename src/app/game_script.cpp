#include "app/game_script.h"

#include <strings.h>

#include <cstdint>

#include "app/game_application.h"
#include "app/game_rms.h"
#include "audio/audio.h"
#include "core/frame_timer.h"
#include "core/log.h"
#include "core/text/strman.h"
#include "platform/window/win32.h"
#include "render/device/graphics.h"
#include "render/fonts/font_manager.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"

namespace {

// The dialogs' path and name buffers, as the classic dialogs had them.
constexpr DWORD kDialogPathSize = 256;
// One pair: a name, then its pattern; the literal's own terminator ends the list.
const char kAllFilesFilter[] = "All Files (*.*)\0*.*\0";

constexpr float kTestSoundInterval = 0.8f;
const char kTestSoundFile[] = "sounds/block_select.ogg";
uint32_t g_testSound = 0;
// So that the first request plays at once.
float g_lastTestSoundStart = -kTestSoundInterval;

std::string g_locale = "english";

// The GDI character set and the extra line spacing for a locale's script.
struct LocaleFont {
  const char* locale;
  int charSet;
  int lineSpacing;
};
const LocaleFont kLocaleFonts[] = {
    {"korean", 129, 3},
    {"chinese", 136, 3},
    {"taiwanese", 134, 3},
    {"japanese", 128, 3},
};
const LocaleFont kDefaultLocaleFont = {"", 1, 0};

const LocaleFont& LocaleFontOf(const std::string& locale) {
  for (const LocaleFont& entry : kLocaleFonts)
    if (strcasecmp(entry.locale, locale.c_str()) == 0) return entry;
  return kDefaultLocaleFont;
}

Font* NamedOrCurrentFont(const std::string& name) {
  FontManager* fonts = GetFontManager();
  Font* font = fonts->Find(name);
  return font ? font : fonts->GetCurrentFont();
}

std::string ShowFileDialog(bool save, const std::string& title) {
  GameApp* app = GetApp();
  const bool wasFullScreen = app && app->IsFullScreen();
  if (wasFullScreen) GameScript::WindowedMode();
  char path[kDialogPathSize] = "";
  char name[kDialogPathSize] = "";
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = app ? app->GetWindow() : nullptr;
  dialog.lpstrFilter = kAllFilesFilter;
  dialog.lpstrFile = path;
  dialog.nMaxFile = kDialogPathSize;
  dialog.lpstrFileTitle = name;
  dialog.nMaxFileTitle = kDialogPathSize;
  dialog.lpstrInitialDir = ".";
  dialog.lpstrTitle = title.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (save) dialog.Flags |= OFN_OVERWRITEPROMPT;
  const BOOL chosen = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
  if (!chosen && CommDlgExtendedError() == CDERR_INITIALIZATION) {
    LOG_LINE(MSG_WARNING, "No file chooser could be started (is zenity installed?): \"" + title +
                              "\" counts as cancelled");
  }
  if (wasFullScreen) GameScript::FullScreenMode();
  return chosen ? path : "";
}

}  // namespace

std::string GameScript::GetOpenFile(const std::string& title) { return ShowFileDialog(false, title); }

std::string GameScript::GetSaveFile(const std::string&) { return ShowFileDialog(true, "Save Level"); }

void GameScript::LoadLanguage(const std::string& path) {
  lang::GetStrMan().LoadLangBin(path);
  GetUIMan()->ForEachPanel([](ui::UIWidget* panel) { panel->RefreshText(); });
}

void GameScript::HardQuitGame() {
  GameApp* app = GetApp();
  if (!app) return;
  ForceSave();
  // The stored full-screen choice stays for the next start.
  if (app->IsFullScreen()) app->SetWindowedMode(app->GetWidth(), app->GetHeight());
  app->Quit();
}

void GameScript::FullScreenMode() {
  GameApp* app = GetApp();
  if (!app) return;
  // A failed switch leaves the game windowed with the flag off (GameApp).
  if (!app->IsFullScreen()) app->SetFullScreenMode(app->GetWidth(), app->GetHeight());
  // The player's choice stands for the next start even when this switch failed.
  if (GameRMS* store = app->GetRecordStore()) store->SetUseFullscreenEnabled(true);
}

void GameScript::WindowedMode() {
  GameApp* app = GetApp();
  if (!app) return;
  if (app->IsFullScreen()) app->SetWindowedMode(app->GetWidth(), app->GetHeight());
  if (GameRMS* store = app->GetRecordStore()) store->SetUseFullscreenEnabled(false);
}

bool GameScript::IsFullscreenMode() {
  const GameApp* app = GetApp();
  return app && app->IsFullScreen();
}

void GameScript::CreateFont(const std::string& name, const std::string& face, int width, int height) {
  FontManager* fonts = GetFontManager();
  Graphics* graphics = GetGraphics();
  if (fonts->Find(name) || !graphics) return;
  Font* font = graphics->CreateFontA(name);
  if (!font) return;
  font->Resize(face, width, height, 700, 1);
  if (!fonts->Add(name, font)) delete font;
}

void GameScript::ResizeFont(const std::string& name, const std::string& face, int width, int height, int weight) {
  Font* font = NamedOrCurrentFont(name);
  if (!font) {
    CreateFont(name, face, width, height);
    return;
  }
  const LocaleFont& settings = LocaleFontOf(g_locale);
  font->Resize(face, width, height, weight, settings.charSet);
  font->SetLineSpacing(settings.lineSpacing);
}

void GameScript::SetFontBorder(const std::string& name, bool on) {
  if (Font* font = NamedOrCurrentFont(name)) font->SetBorder(on);
}

void GameScript::TakeScreenshot(const std::string& fileName, bool halfSize) {
  if (Graphics* graphics = GetGraphics()) graphics->RequestScreenshot(fileName, halfSize);
}

void GameScript::ToggleFilter() {
  if (Graphics* graphics = GetGraphics()) graphics->SetFiltering(!graphics->GetFiltering());
}

void GameScript::ReloadImages() {
  if (GameApp* app = GetApp()) app->ReloadResources();
}

void GameScript::ForceSave() {
  GameApp* app = GetApp();
  if (GameRMS* store = app ? app->GetRecordStore() : nullptr) store->Save();
}

void GameScript::StartPlayTestSound() {
  const float now = GetFrameTimer().totalTime;
  if (now - g_lastTestSoundStart < kTestSoundInterval) return;
  g_lastTestSoundStart = now;
  audio::Audio& sound = audio::GetAudio();
  if (!g_testSound) g_testSound = sound.LoadSound(kTestSoundFile, false);
  // The sample's own channels tell whether it still plays.
  if (g_testSound && !sound.IsSamplePlaying(g_testSound)) sound.PlaySample(g_testSound, 1.0f);
}

void GameScript::ForceRedraw() {
  if (GameApp* app = GetApp()) app->ForceRedraw();
}

void GameScript::SetLocale(const std::string& name) {
  g_locale = name;
  ui::UIManager* ui = GetUIMan();
  ui->SetLanguage(name);
  ui->ForEachPanel([](ui::UIWidget* panel) { panel->ReloadImages(); });
}

const std::string& GameScript::GetLocale() { return g_locale; }
