#include "swf/script/movieclip_loader.h"

#include "swf/base/log.h"

namespace swf {

movieclip_loader::movieclip_loader() { log_message("%s: \n", "swf::MovieClipLoader::MovieClipLoader"); }

movieclip_loader::~movieclip_loader() { log_message("%s: \n", "swf::MovieClipLoader::~MovieClipLoader"); }

void moviecliploader_new(const native_call& call) {
  log_message("%s: args=%d\n", "swf::moviecliploader_new", call.arg_count);
  movieclip_loader* loader = new movieclip_loader();
  const as_variant value(static_cast<scriptable*>(loader));
  loader->set_member("loadClip", as_variant(moviecliploader_loadclip));
  loader->set_member("unloadClip", as_variant(moviecliploader_unloadclip));
  loader->set_member("getProgress", as_variant(moviecliploader_getprogress));
  call.set_result(value);
}

void moviecliploader_loadclip(const native_call& call) { (void)call; }

void moviecliploader_unloadclip(const native_call& call) {
  log_message("%s: FIXME: Load Movie Clip: %s\n", "swf::moviecliploader_unloadclip", call.arg(0).to_string().c_str());
}

void moviecliploader_getprogress(const native_call& call) {
  auto* loader = dynamic_cast<movieclip_loader*>(call.this_object);
  if (!loader) return;
  as_plain_object* progress = new as_plain_object();
  const as_variant value(static_cast<scriptable*>(progress));
  progress->set_member("bytesLoaded", as_variant(loader->bytes_loaded));
  progress->set_member("bytesTotal", as_variant(loader->bytes_total));
  call.set_result(value);
}

}  // namespace swf
