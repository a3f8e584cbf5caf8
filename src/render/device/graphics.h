// The abstract renderer every drawing part talks to. One instance exists
// (the Direct3D implementation), reached through GetGraphics. All 2D
// geometry is built in screen units (0..1 across the logical resolution)
// and turned into pixels by the quad builders.
#pragma once
#include <cstdint>
#include <string>

#include "platform/d3d8/d3d8.h"

class Image;
class Font;

// Pre-transformed vertex: pixels, z 0, rhw 1.
struct Vertex2D {
  float x, y, z, rhw;
  uint32_t diffuse;  // 0xAARRGGBB
  float u, v;
};
static_assert(sizeof(Vertex2D) == 28, "Vertex2D is drawn with a 28-byte stride");

struct Vertex3D {
  float x, y, z;
  uint32_t diffuse;
  float u, v;
};
static_assert(sizeof(Vertex3D) == 24, "Vertex3D is drawn with a 24-byte stride");

class Graphics {
 public:
  enum PrimitiveType : uint32_t {
    kPointList = 0,
    kLineList = 1,
    kLineStrip = 2,
    kTriangleList = 3,
    kTriangleStrip = 4,
    kTriangleFan = 5,
  };
  enum RenderStateType : uint32_t {
    kAlphaBlend = 0,
    kAlphaTest = 1,
    kAlphaRef = 2,
    kLighting = 3,
    kDepthWrite = 4,
    kDepthTest = 5,
    kSourceBlend = 6,
    kDestBlend = 7,
    kCullMode = 8,
  };
  enum BlendFactor : uint32_t {
    kBlendOne = 3,
    kBlendZero = 4,
    kBlendSourceColour = 5,
    kBlendInverseSourceColour = 6,
    kBlendSourceAlpha = 7,
    kBlendInverseSourceAlpha = 8,
  };
  enum CullMode : uint32_t { kCullClockwise = 0, kCullCounterClockwise = 1, kCullNone = 2 };
  enum TextureStageSetting : uint32_t {
    kColourArg1 = 0,
    kColourArg2 = 1,
    kAlphaArg1 = 2,
    kAlphaArg2 = 3,
    kColourOp = 4,
    kAlphaOp = 5,
  };
  enum TextureStageValue : uint32_t {
    kModulate = 0,
    kAdd = 1,
    kSelectArg1 = 2,
    kSelectArg2 = 3,
    kDisable = 4,
    kDiffuse = 5,
    kCurrent = 6,
    kTexture = 7,
    kTextureFactor = 8,
  };
  enum TransformType : uint32_t { kWorld = 0, kView = 1, kProjection = 2, kTexture0 = 3 };

  Graphics() = default;
  virtual ~Graphics() = default;
  Graphics(const Graphics&) = delete;
  Graphics& operator=(const Graphics&) = delete;

  virtual bool Init() = 0;
  virtual bool SetDisplayMode(uint32_t width, uint32_t height, bool fullscreen, bool reference) = 0;
  virtual void RegisterFileFormats() = 0;
  virtual bool Shutdown() = 0;
  virtual bool ReleaseDevice() = 0;
  virtual bool SetResolution(uint32_t width, uint32_t height);
  virtual bool BeginScene() = 0;
  virtual void EndScene() = 0;
  virtual void Clear(uint32_t colour, float depth, uint32_t stencil, uint32_t clearTarget, uint32_t clearDepth,
                     uint32_t clearStencil) = 0;
  virtual bool Present() = 0;
  virtual void SetDefaultRenderStates() = 0;
  virtual void SetDefaultTextureStages() = 0;
  virtual void SetTextureStage(uint32_t stage, uint32_t setting, uint32_t value) = 0;
  virtual void SetRenderState(uint32_t state, uint32_t value) = 0;
  virtual bool SetTexture(uint32_t stage, Image* image) = 0;
  virtual void SetTransform(uint32_t type, const D3DMATRIX& matrix) = 0;
  virtual void SetViewport(const D3DVIEWPORT8& viewport) = 0;
  virtual void DrawArray2D(const Vertex2D* vertices, uint32_t count, uint32_t type) = 0;
  virtual void DrawArray3D(const Vertex3D* vertices, uint32_t count, uint32_t type) = 0;
  virtual void DrawIndexedArray3D(const Vertex3D* vertices, uint32_t vertexCount, const uint16_t* indices,
                                  uint32_t indexCount, uint32_t type) = 0;
  virtual Image* LoadImageA(const std::string& fileName) = 0;
  virtual Image* CreateDynamicImage(uint32_t width, uint32_t height, uint32_t bitsPerPixel) = 0;
  virtual Font* CreateFontA(const std::string& faceName) = 0;
  virtual void* ReservedFactory(uint32_t a, uint32_t b) = 0;
  virtual void SetFiltering(bool on) { filtering_ = on; }
  virtual bool ResetDevice(uint32_t width, uint32_t height, bool fullscreen) = 0;
  // An image of that many pixels that draws can go into, its contents
  // undefined until drawn; null where the device draws only to the screen.
  virtual Image* CreateRenderTarget(uint32_t width, uint32_t height);
  // Draws go into the image from here on, with its viewport and a pixel for
  // each of its texels, or to the screen again for null. While an image is
  // the target draws replace its pixels rather than blend with them, so the
  // image, drawn later, blends as they would have.
  virtual bool SetRenderTarget(Image* target);

  // Deletes the instance after its Shutdown; nothing without one.
  static void SHUTDOWN();

  uint16_t GetScreenWidth() const { return screenWidth_; }
  uint16_t GetScreenHeight() const { return screenHeight_; }
  bool IsWindowed() const { return windowed_ != 0; }
  bool GetFiltering() const { return filtering_ != 0; }
  uint32_t GetFrameCount() const { return frameCount_; }
  uint32_t GetHardwareClass() const { return hardwareClass_; }
  HWND GetWindow() const { return window_; }
  void SetWindow(HWND window) { window_ = window; }
  // The next EndScene saves the frame as name + ".bmp", at half size on request.
  void RequestScreenshot(const std::string& name, bool halfSize) {
    screenshotName_ = name;
    screenshotHalfSize_ = halfSize ? 1 : 0;
  }
  const std::string& GetPendingScreenshot() const { return screenshotName_; }

 protected:
  uint16_t screenWidth_ = 0;
  uint16_t screenHeight_ = 0;
  uint8_t windowed_ = 0;
  uint8_t filtering_ = 0;
  uint32_t frameCount_ = 0;
  std::string screenshotName_;
  uint8_t screenshotHalfSize_ = 0;
  HWND window_ = nullptr;
  uint32_t hardwareClass_ = 3;
};

Graphics* GetGraphics();
// Makes `graphics` the instance (the device factory does).
void SetGraphics(Graphics* graphics);

// Height over width and width over height of the logical resolution.
float GetAspectHeightOverWidth();
float GetAspectWidthOverHeight();

// Each channel times 255, truncated, low 8 bits kept (no clamping); a channel
// that is NaN, infinite or too large for 64 bits gives 0.
uint32_t PackARGB(float red, float green, float blue, float alpha);
