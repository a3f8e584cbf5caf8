#include "app/application.h"

#include "core/script/config_file.h"
#include "core/frame_timer.h"
#include "core/log.h"
#include "core/memory/profiler.h"
#include "core/files/resman.h"
#include "core/files/vfs.h"
#include "platform/audio/bass.h"
#include "platform/window/win32.h"

Application::Application(const std::string& configFileName, const std::string& logFileName) {
  Log& log = GetLog();
  log.Open(logFileName.c_str(), false);
  log.flushEachLine = true;
  log.prefix = true;
  LOG_LINE(MSG_INIT, "Logfile created");
  config::ConfigFile& config = config::GetConfig();
  config.Load(configFileName);
  appName_ = config.GetString("AppName", "Application 1.0");
  vfs::GetVFS();
  hasFocus_ = true;
}

Application::~Application() { ShutdownEngine(); }

bool Application::OnEvent(int code, intptr_t, intptr_t) {
  switch (code) {
    case kFocusGained: inactive_ = false; break;
    case kFocusLost: inactive_ = true; break;
    case kQuit: quit_ = true; break;
    case kMinimised: inactive_ = true; break;
    case kMaximised: inactive_ = false; break;
    default: break;
  }
  return true;
}

bool Application::Tick() {
  util::Profiler& profiler = util::GetProfiler();
  profiler.BeginFrame();
  if (!PumpMessage()) {
    UpdateTimer();
    if (inactive_)
      Sleep(100);
    else
      Update();
  }
  profiler.EndFrame();
  return !quit_;
}

void Application::ReloadResources() { res::GetResMan().ReloadAll(); }

vfs::VFS& Application::GetVFS() { return vfs::GetVFS(); }

void Application::ShutdownEngine() {
  BASS_Free();
  LOG_LINE(MSG_INIT, "Audio manager shutdown");
  res::GetResMan().ClearResources();
  LOG_LINE(MSG_INIT, "Resource manager shutdown");
}

void Application::UpdateTimer() { GetFrameTimer().Tick(); }
