// The splash pages shown before the game starts: each page fades in, holds
// and fades out, and any key or mouse-button release can skip it. It runs a
// loop of its own: the owner calls Tick and Render alternately until done.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "core/countdown_timer.h"
#include "core/input/key_listener.h"
#include "core/input/mouse_listener.h"
#include "render/sprites/ui_sprite.h"

class BootLoader : public input::KeyListener, public input::MouseListener {
 public:
  struct Page {
    float hold = 0.0f;
    float fadeIn = 0.0f;
    float fadeOut = 0.0f;
    std::string picture;
    ui::UISprite sprite;  // without an image until the page's picture loads
  };

  // A page shows the top-left 800 x 600 texels of its picture, the whole
  // picture when it is no larger: a picture of 1024 x 1024 shows the part
  // (0, 0) to (0.78125, 0.5859375) of its texture.
  static constexpr float kShownWidth = 800.0f;
  static constexpr float kShownHeight = 600.0f;

  // A skippable loader skips pages on key and button releases.
  explicit BootLoader(bool skippable);
  ~BootLoader() override;

  // A page whose picture file cannot be read is left out. Only the first
  // page's picture is decoded here; the others are decoded as their pages
  // come up, so that start-up shows its first frame after one picture, and
  // a page whose picture then fails to decode is left out too.
  void AddPage(const std::string& imageName, float hold, float fadeIn, float fadeOut);
  // One step: the frame clock, one phase of the current page (or the switch
  // to the next page), a 10 ms pause and the input devices.
  void Tick();
  // One whole frame of the current page at its brightness.
  void Render();

  void OnKeyUp(const input::KeyState*) override { Skip(); }
  void OnMouseUp(const input::MouseButton*, const math::Vec2*) override { Skip(); }

  size_t GetPageCount() const { return pages_.size(); }
  // -1 before the first step.
  int GetCurrentPage() const { return currentPage_; }
  const CountdownTimer& GetFadeIn() const { return fadeIn_; }
  const CountdownTimer& GetHold() const { return hold_; }
  const CountdownTimer& GetFadeOut() const { return fadeOut_; }

  // Set once the pages are exhausted.
  bool done = false;
  // Set by the owner after the pages are added: a skip then moves straight
  // to the next page instead of fading the page out.
  bool skipFadeOut = false;

 private:
  void SetPage(int index);
  // Loads the page's picture into its sprite; false when it does not load.
  static bool LoadPicture(Page& page);
  static void ReleasePicture(Page& page);
  void Skip();

  std::vector<std::unique_ptr<Page>> pages_;
  int currentPage_ = -1;
  CountdownTimer fadeIn_;
  CountdownTimer hold_;
  CountdownTimer fadeOut_;
  bool skippable_;
};
