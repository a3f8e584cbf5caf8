// What every font has (registry name, face, size, weight, line spacing,
// outline flag) and the drawing interface. Positions and boxes are in 0..1
// screen units.
#pragma once
#include <cstdint>
#include <string>

#include "core/math/vector.h"

class Font {
 public:
  // Drawing flags.
  enum : uint32_t {
    kCentre = 1,          // each line centred in the box
    kRight = 2,           // right-aligned (ignored with kCentre)
    kVerticalCentre = 4,  // the block of lines centred vertically
    kBottom = 8,          // bottom-aligned (tested before kVerticalCentre)
  };

  explicit Font(const std::string& name) : name_(name) {}
  virtual ~Font() = default;
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  // Stores the five values, then builds.
  virtual bool Init(const std::string& face, int width, int height, uint8_t flag, int weight);
  // Init again only when the face (ignoring case), width, height or weight changed.
  virtual void Resize(const std::string& face, int width, int height, int weight, int charset);
  virtual void DrawTextW(const std::u16string& text, const math::Vec2& position, const math::Vec2& box,
                         uint32_t flags, uint32_t colour, int unused) = 0;
  virtual void DrawText(const std::string& text, const math::Vec2& position, const math::Vec2& box,
                        uint32_t flags, uint32_t colour, int unused) = 0;
  // The box position goes in through `position`; the top-left corner and size
  // of the inked area come out.
  virtual void GetTextRectW(const std::u16string& text, const math::Vec2& box, math::Vec2& position,
                            math::Vec2& size, uint32_t flags) = 0;
  virtual void GetTextRect(const std::string& text, const math::Vec2& box, math::Vec2& position,
                           math::Vec2& size, uint32_t flags) = 0;
  // The fraction of the screen height one line takes, without extra spacing.
  virtual float GetHeight() const;
  // Before a device reset.
  virtual void ResetResources() {}
  // After the font manager has drawn its queued texts.
  virtual void Flush() {}
  // After a device reset.
  virtual void Reload();
  virtual bool Build() { return true; }

  const std::string& GetName() const { return name_; }
  const std::string& GetFace() const { return face_; }
  int GetWidth() const { return width_; }
  int GetPixelHeight() const { return height_; }
  int GetWeight() const { return weight_; }
  int GetLineSpacing() const { return lineSpacing_; }
  void SetLineSpacing(int pixels) { lineSpacing_ = pixels; }
  bool HasBorder() const { return border_ != 0; }
  void SetBorder(bool on) { border_ = on ? 1 : 0; }

 protected:
  std::string name_;
  std::string face_;
  int width_ = 0;
  int height_ = 0;
  int weight_ = 0;
  int lineSpacing_ = 0;
  uint8_t flag_ = 0;
  uint8_t border_ = 0;
};
