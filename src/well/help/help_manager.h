// Shows one hint at a time in a help panel and queues the others: each opens
// once the one before it was dismissed, unless the manager no longer wants
// it shown by then. A derived manager says which hints may show, records
// those shown, makes the panel and names each hint's text.
#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "core/countdown_timer.h"
#include "core/math/vector.h"

namespace well {

class HelpPanel;

class HelpManager {
 public:
  HelpManager() = default;
  virtual ~HelpManager();
  HelpManager(const HelpManager&) = delete;
  HelpManager& operator=(const HelpManager&) = delete;

  virtual bool CanShow(int32_t id) = 0;
  virtual void MarkShown(int32_t id) = 0;
  // Must store a new panel.
  virtual void CreatePanel() = 0;
  // "HINT_01" for id 0 up to "HINT_09", then "HINT_10" and on.
  virtual std::string GetHintTextId(int32_t id);

  // Queues the hint over the screen rectangle, with the icon its box shows
  // (none when empty), and shows the next one due.
  void TriggerHint(int32_t id, const math::Vec2& min, const math::Vec2& max, const std::string& icon = "");
  // Opens the oldest queued hint that may still show, once the panel is closed.
  void ShowNext();
  // Closes the hint (a click); only once it may close. A hint waiting opens
  // at once, without the closing sound.
  void Dismiss();
  bool IsHintOpen() const;
  void Tick(float dt);
  void Draw(const math::Vec2& offset);
  // Closed at once, without sound.
  void CloseHint();

  HelpPanel* GetPanel() const { return panel_.get(); }
  size_t GetQueuedCount() const { return queue_.size(); }

 protected:
  struct QueuedHint {
    int32_t id;
    math::Vec2 min, max;
    std::string icon;
  };

  // The hint's turn has come: called just before the panel opens with it.
  virtual void OnOpening(const QueuedHint&) {}

  std::unique_ptr<HelpPanel> panel_;
  CountdownTimer timer_{0.0f, 0.0f};
  std::deque<QueuedHint> queue_;
  math::Vec2 areaMax_{10.9f, 10.99f};
  math::Vec2 areaMin_{0.01f, 0.05f};
};

}  // namespace well
