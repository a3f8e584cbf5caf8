#include "app/boot_loader.h"

#include <algorithm>

#include "app/startup_frame.h"
#include "core/files/vfs.h"
#include "core/frame_timer.h"
#include "core/input/input.h"
#include "core/input/keyboard.h"
#include "core/input/mouse.h"
#include "platform/window/win32.h"
#include "render/device/graphics.h"
#include "render/device/image.h"
#include "render/device/surface.h"

namespace {
// Whether the file can be read, as a texture's file is read, without
// decoding it.
bool PictureReadable(const std::string& name) {
  vfs::FileData file;
  return vfs::GetVFS().LoadFile(vfs::GetVFS().GetFilePath(name), file);
}
}  // namespace

BootLoader::BootLoader(bool skippable) : skippable_(skippable) {}

// The pages' sprites release their pictures as the pages go; the listener
// bases then leave the devices.
BootLoader::~BootLoader() = default;

void BootLoader::AddPage(const std::string& imageName, float hold, float fadeIn, float fadeOut) {
  auto page = std::make_unique<Page>();
  page->picture = imageName;
  page->hold = hold;
  page->fadeIn = fadeIn;
  page->fadeOut = fadeOut;
  if (pages_.empty() ? !LoadPicture(*page) : !PictureReadable(imageName)) return;
  pages_.push_back(std::move(page));
}

bool BootLoader::LoadPicture(Page& page) {
  ui::UISprite& sprite = page.sprite;
  sprite.LoadImage(page.picture);
  sprite.GetNativeSize(sprite.size);
  if (!sprite.HasImage()) return false;
  const Image& image = *sprite.GetImage();
  sprite.uv1 = {0.0f, 0.0f};
  sprite.uv2 = {std::min(1.0f, kShownWidth / static_cast<float>(image.GetWidth())),
                std::min(1.0f, kShownHeight / static_cast<float>(image.GetHeight()))};
  return true;
}

void BootLoader::SetPage(int index) {
  if (currentPage_ >= 0 && currentPage_ != index) ReleasePicture(*pages_[static_cast<size_t>(currentPage_)]);
  // A later page's picture loads now; one that does not is left out.
  while (index >= 0 && static_cast<size_t>(index) < pages_.size() &&
         !pages_[static_cast<size_t>(index)]->sprite.HasImage() && !LoadPicture(*pages_[static_cast<size_t>(index)]))
    pages_.erase(pages_.begin() + index);
  if (index < 0 || static_cast<size_t>(index) >= pages_.size()) {
    done = true;
    return;
  }
  currentPage_ = index;
  const Page& page = *pages_[static_cast<size_t>(index)];
  fadeIn_ = CountdownTimer(page.fadeIn, page.fadeIn);
  hold_ = CountdownTimer(page.hold, page.hold);
  fadeOut_ = CountdownTimer(page.fadeOut, page.fadeOut);
}

// A page is shown once: its texture goes as the page does. The surface stays
// listed with the resource manager and loads again should anything use it.
void BootLoader::ReleasePicture(Page& page) {
  Image* image = page.sprite.GetImage();
  if (Surface* surface = image ? image->GetSurface() : nullptr) surface->Release();
}

void BootLoader::Tick() {
  FrameTimer& timer = GetFrameTimer();
  timer.Tick();
  const float dt = timer.frameDelta;
  if (currentPage_ == -1) SetPage(0);
  if (done) return;
  // A phase of 0 seconds still takes one step.
  if (fadeIn_.remaining >= 0.0f)
    fadeIn_.Tick(dt);
  else if (hold_.remaining >= 0.0f)
    hold_.Tick(dt);
  else if (fadeOut_.remaining >= 0.0f)
    fadeOut_.Tick(dt);
  else
    SetPage(currentPage_ + 1);
  Sleep(10);
  input::Input& devices = input::GetInput();
  if (input::Mouse* mouse = devices.GetMouse()) mouse->Update(false, dt, timer.totalTime);
  if (input::Keyboard* keyboard = devices.GetKeyboard()) keyboard->Update(false, dt, timer.totalTime);
}

void BootLoader::Render() {
  if (done || currentPage_ < 0 || static_cast<size_t>(currentPage_) >= pages_.size()) return;
  float brightness;
  if (fadeIn_.remaining >= 0.0f)
    brightness = fadeIn_.GetProgress();
  else if (hold_.remaining >= 0.0f)
    brightness = 1.0f;
  else if (fadeOut_.remaining >= 0.0f)
    brightness = 1.0f - fadeOut_.GetProgress();
  else
    return;  // faded out: the next step switches pages
  DrawStartupFrame(0, [this, brightness] {
    ui::UISprite& sprite = pages_[static_cast<size_t>(currentPage_)]->sprite;
    sprite.SetRect({0.0f, 0.0f}, {1.0f, 1.0f}, 0.0f, 0, PackARGB(1.0f, 1.0f, 1.0f, brightness));
    sprite.Render();
  });
}

void BootLoader::Skip() {
  if (!skippable_) return;
  if (skipFadeOut) {
    fadeIn_.remaining = -1.0f;
    hold_.remaining = -1.0f;
    fadeOut_.remaining = -1.0f;
    return;
  }
  // The fade-out starts from the brightness the fade-in has reached.
  if (fadeIn_.remaining >= 0.0f) fadeOut_.remaining = fadeIn_.GetProgress() * fadeOut_.period;
  fadeIn_.remaining = -1.0f;
  hold_.remaining = -1.0f;
}
