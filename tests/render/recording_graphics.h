// A renderer without a device that records the texture binds and 2D draws it
// is asked for. Its images are made up: a name "anything_<W>x<H>.png" gives a
// W x H image (else 256 x 256), one texture per distinct name. It is the
// instance from construction to destruction.
#pragma once
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "render/device/graphics.h"
#include "render/device/image.h"
#include "render/device/surface.h"

class RecordingGraphics : public Graphics {
 public:
  struct Call {
    enum Kind { kBind, kDraw } kind;
    const Surface* texture;  // bound (null unbinds)
    uint32_t count;          // vertices drawn
    bool operator==(const Call& other) const {
      return kind == other.kind && texture == other.texture && count == other.count;
    }
  };

  RecordingGraphics() {
    screenWidth_ = 800;
    screenHeight_ = 600;
    previous_ = GetGraphics();
    SetGraphics(this);
  }
  ~RecordingGraphics() override { SetGraphics(previous_); }

  static Call Bind(const Surface* texture) { return {Call::kBind, texture, 0}; }
  static Call Draw(uint32_t count) { return {Call::kDraw, nullptr, count}; }

  // The texture of the images made under that name.
  const Surface* TextureOf(const std::string& name) { return SurfaceFor(name); }

  std::vector<Call> calls;
  std::vector<std::vector<Vertex2D>> drawn;
  std::vector<std::pair<uint32_t, uint32_t>> renderStates;
  std::vector<std::string> loaded;
  // 3D draws: vertex count and primitive type, and the vertices.
  std::vector<std::pair<uint32_t, uint32_t>> draws3D;
  std::vector<std::vector<Vertex3D>> drawn3D;
  std::vector<std::pair<uint32_t, uint32_t>> textureStages;  // setting, value (stage 0)
  // Images made and not yet deleted.
  static int& LiveImages() {
    static int live = 0;
    return live;
  }

  bool SetTexture(uint32_t, Image* image) override {
    calls.push_back(Bind(image ? image->GetSurface() : nullptr));
    return true;
  }
  void DrawArray2D(const Vertex2D* vertices, uint32_t count, uint32_t) override {
    calls.push_back(Draw(count));
    drawn.emplace_back(vertices, vertices + count);
  }
  void SetRenderState(uint32_t state, uint32_t value) override { renderStates.emplace_back(state, value); }
  Image* LoadImageA(const std::string& name) override {
    loaded.push_back(name);
    if (name.find("missing") != std::string::npos) return nullptr;
    return new FakeImage(name, SurfaceFor(name));
  }

  bool Init() override { return true; }
  bool SetDisplayMode(uint32_t, uint32_t, bool, bool) override { return true; }
  void RegisterFileFormats() override {}
  bool Shutdown() override { return true; }
  bool ReleaseDevice() override { return true; }
  bool BeginScene() override { return true; }
  void EndScene() override {}
  void Clear(uint32_t, float, uint32_t, uint32_t, uint32_t, uint32_t) override {}
  bool Present() override { return true; }
  void SetDefaultRenderStates() override {}
  void SetDefaultTextureStages() override {}
  void SetTextureStage(uint32_t stage, uint32_t setting, uint32_t value) override {
    if (stage == 0) textureStages.emplace_back(setting, value);
  }
  void SetTransform(uint32_t, const D3DMATRIX&) override {}
  void SetViewport(const D3DVIEWPORT8&) override {}
  void DrawArray3D(const Vertex3D* vertices, uint32_t count, uint32_t type) override {
    draws3D.emplace_back(count, type);
    drawn3D.emplace_back(vertices, vertices + count);
  }
  void DrawIndexedArray3D(const Vertex3D*, uint32_t, const uint16_t*, uint32_t, uint32_t) override {}
  Image* CreateDynamicImage(uint32_t, uint32_t, uint32_t) override { return nullptr; }
  Font* CreateFontA(const std::string&) override { return nullptr; }
  void* ReservedFactory(uint32_t, uint32_t) override { return nullptr; }
  bool ResetDevice(uint32_t, uint32_t, bool) override { return true; }

 private:
  class FakeSurface : public Surface {
   public:
    FakeSurface(uint32_t width, uint32_t height) {
      width_ = width;
      height_ = height;
    }
    bool Bind(uint32_t) override { return true; }
    SurfaceMask* GenerateMask() override { return nullptr; }
    void InitTexture() override {}
  };
  class FakeImage : public Image {
   public:
    FakeImage(const std::string& name, Surface* surface) {
      name_ = name;
      surface_ = surface;
      width_ = static_cast<FakeSurface*>(surface)->GetWidth();
      height_ = static_cast<FakeSurface*>(surface)->GetHeight();
      ++LiveImages();
    }
    ~FakeImage() override { --LiveImages(); }
  };

  Surface* SurfaceFor(const std::string& name) {
    std::unique_ptr<FakeSurface>& surface = surfaces_[name];
    if (!surface) {
      unsigned width = 256, height = 256;
      size_t at = name.rfind('_');
      if (at != std::string::npos) std::sscanf(name.c_str() + at + 1, "%ux%u", &width, &height);
      surface = std::make_unique<FakeSurface>(width, height);
    }
    return surface.get();
  }

  std::map<std::string, std::unique_ptr<FakeSurface>> surfaces_;
  Graphics* previous_ = nullptr;
};
