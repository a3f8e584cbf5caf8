// The script's MovieClipLoader: movies cannot load clips through it here; it
// answers a progress of nothing loaded out of nothing.
#pragma once
#include <cstdint>

#include "swf/base/small_string.h"
#include "swf/script/as_plain_object.h"
#include "swf/script/native_call.h"

namespace swf {

class movieclip_loader : public as_plain_object {
 public:
  movieclip_loader();
  ~movieclip_loader() override;

  small_string name;
  const int32_t bytes_loaded = 0;
  const int32_t bytes_total = 0;
};

// "MovieClipLoader": a new loader with loadClip, unloadClip and getProgress.
void moviecliploader_new(const native_call& call);
void moviecliploader_loadclip(const native_call& call);
void moviecliploader_unloadclip(const native_call& call);
void moviecliploader_getprogress(const native_call& call);

}  // namespace swf
