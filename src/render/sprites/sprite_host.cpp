#include "render/sprites/sprite_host.h"

namespace ui {

namespace {

class DefaultSpriteHost : public SpriteHost {
 public:
  void RunClipEnded(UIWidget*) override {}
  const std::string& GetLanguage() const override { return language_; }

 private:
  std::string language_ = "English";
};

DefaultSpriteHost& Default() {
  static DefaultSpriteHost host;
  return host;
}

SpriteHost* g_host = nullptr;

}  // namespace

void SetSpriteHost(SpriteHost* host) { g_host = host; }

SpriteHost& GetSpriteHost() { return g_host ? *g_host : Default(); }

}  // namespace ui
