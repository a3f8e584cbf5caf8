#include "game/qor_app.h"

#include "core/vfs.h"

QORApp::QORApp(const std::string& logFileName, const std::string& caption, HINSTANCE instance,
               const std::string& configFileName)
    : GameApp(configFileName, instance, caption, logFileName) {}

QORApp::~QORApp() = default;

void QORApp::InitFonts() {}
void QORApp::ShowSplash() {}
void QORApp::InitScripts() {}
void QORApp::OnCreateStates() {}
void QORApp::MountArchives() { vfs::GetVFS().AddArchive("zev.arc"); }
