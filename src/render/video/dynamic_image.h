// An image whose texture is made empty (all zero) for the program to fill,
// rather than loaded from a file. Its name is "dynamic".
#pragma once
#include <cstdint>
#include <string>

#include "render/device/image.h"

class DynamicImage : public Image {
 public:
  static constexpr uint32_t kType = 0x64796E78;  // "dynx"

  // Sides are kept as 16-bit values: one that does not fit is taken as 0,
  // and the texture is then refused rather than made at a wrapped size.
  DynamicImage(uint32_t width, uint32_t height, uint32_t bitsPerPixel);

  // Makes the texture; the name is ignored. True once the texture exists.
  bool Load(const std::string& name) override;
  bool Update() override { return false; }
  virtual uint32_t GetType() const { return kType; }

  uint16_t GetBitsPerPixel() const { return bitsPerPixel_; }

 protected:
  // False, logged, when the texture cannot be made.
  virtual bool CreateTexture() = 0;

  uint16_t bitsPerPixel_;
};
