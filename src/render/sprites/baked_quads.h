// Many quads of one picture that seldom change, a map's floor: drawn into an
// image of their own when they change, and from then on as that one image,
// so a frame's cost no longer follows their number. Where the device cannot
// draw into images they are drawn as they are every time. Either way they
// reach the device so many quads a draw.
#pragma once
#include <cstdint>
#include <vector>

#include "render/device/graphics.h"

class BakedQuads {
 public:
  explicit BakedQuads(uint32_t quadsPerDraw) : quadsPerDraw_(quadsPerDraw) {}
  ~BakedQuads();
  BakedQuads(const BakedQuads&) = delete;
  BakedQuads& operator=(const BakedQuads&) = delete;

  // The quads' vertices, six a quad in screen pixels, for the caller to
  // fill anew; the image is drawn again at the next Draw.
  std::vector<Vertex2D>& Rebuild();
  // The quads textured with `texture`; a texture other than the last one
  // draws the image again as well.
  void Draw(Image* texture);

 private:
  // The quads into an image the size of the screen area they cover, placed
  // there; false when the device has no image to give.
  bool Bake(Graphics& graphics, Image* texture);
  void DrawQuads(Graphics& graphics, Image* texture, const std::vector<Vertex2D>& vertices) const;

  uint32_t quadsPerDraw_;
  std::vector<Vertex2D> quads_;
  Image* image_ = nullptr;  // owned
  Vertex2D imageQuad_[6] = {};
  Image* bakedTexture_ = nullptr;
  bool stale_ = true;
  bool inImage_ = false;  // else drawn as they are
};
