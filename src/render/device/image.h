// A drawable texture handle: a name and the surface resource holding the
// texture. The resource manager owns the surface; the image's owner owns
// the image.
#pragma once
#include <cstdint>
#include <string>

class Surface;

class Image {
 public:
  Image() = default;
  virtual ~Image() = default;
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  // Finds the surface of that name among the loaded resources, else loads
  // it, and loads a released one again; false (the resource manager has
  // logged why) when there is none.
  virtual bool Load(const std::string& name);
  virtual void SetSurface(Surface* surface) { surface_ = surface; }
  virtual bool Update() { return true; }
  virtual Surface* GetSurface() { return surface_; }
  // Binds the image's texture to the stage: a file image its surface's,
  // when there is one; video and dynamic images their own.
  virtual bool Bind(uint32_t stage);

  const std::string& GetName() const { return name_; }
  uint32_t GetWidth() const { return width_; }
  uint32_t GetHeight() const { return height_; }

 protected:
  std::string name_;
  uint32_t width_ = 256;
  uint32_t height_ = 256;
  Surface* surface_ = nullptr;
};
