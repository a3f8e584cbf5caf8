// The Direct3D 8 renderer: owns the Direct3D interface and device, builds
// the presentation parameters, sets up the game window, recovers from a
// lost device, translates the engine's selectors into Direct3D values,
// draws vertex arrays, makes images by file type and takes screenshots.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3d8/d3d8.h"
#include "render/device/graphics.h"

class Dx8Graphics : public Graphics {
 public:
  // Makes the instance when there is none; registers the image types.
  static void Create();

  Dx8Graphics();
  ~Dx8Graphics() override = default;

  bool Init() override;
  bool SetDisplayMode(uint32_t width, uint32_t height, bool fullscreen, bool reference) override;
  void RegisterFileFormats() override;
  bool Shutdown() override;
  bool ReleaseDevice() override;
  bool SetResolution(uint32_t width, uint32_t height) override;
  bool BeginScene() override;
  void EndScene() override;
  void Clear(uint32_t colour, float depth, uint32_t stencil, uint32_t clearTarget, uint32_t clearDepth,
             uint32_t clearStencil) override;
  bool Present() override;
  void SetDefaultRenderStates() override;
  void SetDefaultTextureStages() override;
  void SetTextureStage(uint32_t stage, uint32_t setting, uint32_t value) override;
  void SetRenderState(uint32_t state, uint32_t value) override;
  bool SetTexture(uint32_t stage, Image* image) override;
  void SetTransform(uint32_t type, const D3DMATRIX& matrix) override;
  void SetViewport(const D3DVIEWPORT8& viewport) override;
  void DrawArray2D(const Vertex2D* vertices, uint32_t count, uint32_t type) override;
  void DrawArray3D(const Vertex3D* vertices, uint32_t count, uint32_t type) override;
  void DrawIndexedArray3D(const Vertex3D* vertices, uint32_t vertexCount, const uint16_t* indices,
                          uint32_t indexCount, uint32_t type) override;
  Image* LoadImageA(const std::string& fileName) override;
  Image* CreateDynamicImage(uint32_t width, uint32_t height, uint32_t bitsPerPixel) override;
  Font* CreateFontA(const std::string& faceName) override;
  void* ReservedFactory(uint32_t a, uint32_t b) override;
  void SetFiltering(bool on) override;
  bool ResetDevice(uint32_t width, uint32_t height, bool fullscreen) override;
  Image* CreateRenderTarget(uint32_t width, uint32_t height) override;
  bool SetRenderTarget(Image* target) override;

  // The adapter and system report; false when no adapter gives capabilities.
  bool LogSystemInfo();

  IDirect3DDevice8* GetDevice() const { return device_; }
  bool IsDeviceLost() const { return deviceLost_ != 0; }
  bool SquareTexturesOnly() const { return squareTexturesOnly_ != 0; }
  bool SixteenBitBackBuffer() const { return sixteenBitBackBuffer_ != 0; }
  uint32_t GetAdapter() const { return adapter_; }
  const std::vector<D3DDISPLAYMODE>& GetDisplayModes() const { return displayModes_; }
  const std::string& GetAdapterDescription() const { return adapterDescription_; }
  const std::string& GetSystemSummary() const { return systemSummary_; }

  // Selector translations (engine value -> Direct3D value).
  static D3DRENDERSTATETYPE RenderStateOf(uint32_t state, bool& known);
  static DWORD RenderStateValueOf(uint32_t state, uint32_t value);
  static D3DTEXTURESTAGESTATETYPE StageSettingOf(uint32_t setting);
  // False when the value is of the other kind (an argument for an operation
  // or the reverse).
  static bool StageValueOf(uint32_t setting, uint32_t value, DWORD& out);
  static D3DTRANSFORMSTATETYPE TransformOf(uint32_t type);
  static D3DPRIMITIVETYPE PrimitiveOf(uint32_t type, uint32_t count, uint32_t& primitiveCount);

 private:
  void BuildPresentParams(uint32_t width, uint32_t height, bool fullscreen);
  bool TryCreateDevice(D3DDEVTYPE type, DWORD behaviour);
  void SetupWindow(uint32_t width, uint32_t height, bool fullscreen);
  void ApplyResolution(uint32_t width, uint32_t height) { SetResolution(width, height); }
  void DrawUserArray(DWORD fvf, const void* vertices, UINT stride, uint32_t count, uint32_t type);
  void SaveScreenshot();
  void LogCapabilities(const char* label);
  void LogAdapterAndSystem();
  uint32_t EnumerateModes(D3DFORMAT format, uint32_t minWidth, uint32_t minHeight, uint32_t minRefresh);

  IDirect3D8* direct3d_ = nullptr;
  IDirect3DDevice8* device_ = nullptr;
  D3DDISPLAYMODE desktopMode_{};
  D3DCAPS8 caps_{};
  D3DPRESENT_PARAMETERS presentParams_{};
  uint8_t deviceLost_ = 1;
  std::vector<D3DDISPLAYMODE> displayModes_;
  std::string adapterDescription_;
  std::string systemSummary_;
  uint8_t squareTexturesOnly_ = 0;
  uint8_t sixteenBitBackBuffer_ = 0;
  bool sawThirtyTwoBitMode_ = false;
  uint32_t adapter_ = 0;
  // Blending as it was before an image became the target, and is again after.
  DWORD screenBlending_ = TRUE;
  bool drawingIntoImage_ = false;
};

Dx8Graphics* GetDx8Graphics();
