#include "swf/engine/flash_driver.h"

#include <string>

#include "core/files/loose_path.h"
#include "core/log.h"
#include "render/dx8/dx8_graphics.h"
#include "swf/action/get_url.h"
#include "swf/base/file_object.h"
#include "swf/base/log.h"
#include "swf/movie/movie_library.h"
#include "swf/render/render_backend_d3d8.h"
#include "swf/sound/sound_backend.h"
#include "swf/sound/sound_backend_bass.h"

namespace flash {

FlashDriver::FlashDriver() = default;

FlashDriver::~FlashDriver() {
  // Uninstalled before it goes, so that nothing can reach a deleted backend.
  swf::set_render_backend(nullptr);
  renderBackend_.reset();
  swf::set_sound_backend(nullptr);
  soundBackend_.reset();
  swf::clear_movie_library();
}

void FlashDriver::Init() {
  swf::register_file_opener_callback(&OpenFile);
  swf::set_fscommand_handler(&OnFsCommand);
  swf::set_log_handler(&LogOutput);
  // The graphics in place may be another renderer than the device's.
  auto* graphics = dynamic_cast<Dx8Graphics*>(GetGraphics());
  IDirect3DDevice8* device = graphics ? graphics->GetDevice() : nullptr;
  renderBackend_.reset(swf::create_render_backend_d3d8(device));
  if (!renderBackend_) LOG_LINE(MSG_ERROR, "No graphics device for the movie player: movies will not draw");
  swf::set_render_backend(renderBackend_.get());
  soundBackend_.reset(swf::create_sound_backend_bass());
  swf::set_sound_backend(soundBackend_.get());
}

swf::file_object* FlashDriver::OpenFile(const char* path) {
  // Movies are read straight from the disk, never from the archive.
  return swf::file_object::open(vfs::ResolveLoosePath(path ? path : "").c_str(), "rb");
}

void FlashDriver::LogOutput(bool error, const char* text) {
  if (!text) return;
  LOG_LINE(error ? MSG_ERROR : MSG_COMMENT, text);
}

void FlashDriver::OnFsCommand(swf::movie_root*, const char* command, const char* argument) {
  LOG_LINE(MSG_COMMENT, "fs_callback: '");
  LOG_LINE(MSG_COMMENT, std::string("   Command  : ") + (command ? command : ""));
  LOG_LINE(MSG_COMMENT, std::string("   Argument : ") + (argument ? argument : ""));
}

}  // namespace flash
