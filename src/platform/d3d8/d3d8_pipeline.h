// Direct3D's fixed-function state (render states, stage states, transforms,
// viewport, bound textures, vertex format) kept as Direct3D keeps it, and
// turned into OpenGL state and calls at each draw. A draw gives OpenGL only
// what changed since the draw before: raster state, transforms, stage
// enables, combiners and client arrays are remembered as last given.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/d3d8_stream_ring.h"

namespace platform::d3d8 {

class Pipeline {
 public:
  Pipeline();
  ~Pipeline();
  Pipeline(const Pipeline&) = delete;
  Pipeline& operator=(const Pipeline&) = delete;

  // Direct3D's initial state for a render target of the given size; binds
  // no texture. Needs the device's OpenGL context to be current.
  void Reset(uint32_t targetWidth, uint32_t targetHeight);
  // Draws go to a target of that size from here on, the viewport all of it:
  // a texture (rows from the top, as it is sampled) or the window's buffer
  // (rows from the bottom, as OpenGL counts them).
  void SetTarget(uint32_t targetWidth, uint32_t targetHeight, bool texture);
  void ReleaseTextures();

  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value);
  HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) const;
  HRESULT SetStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value);
  HRESULT GetStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) const;
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix);
  HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) const;
  HRESULT SetViewport(const D3DVIEWPORT8* viewport);
  const D3DVIEWPORT8& Viewport() const { return viewport_; }
  HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture8* texture);
  void SetVertexFormat(DWORD fvf) { fvf_ = fvf; }

  // Draws from user memory, streamed through the ring; `indices` null draws
  // the vertices in order.
  HRESULT Draw(D3DPRIMITIVETYPE type, UINT primitiveCount, const uint8_t* vertices, UINT vertexCount,
               UINT stride, const uint16_t* indices);
  // Clears the viewport (within `rects` when given) of the bound target.
  void Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, DWORD stencil);
  // OpenGL state was changed behind the pipeline's back: the next draw gives
  // all of it again.
  void ForgetApplied();
  // How many pieces of state draws have given OpenGL so far (raster state,
  // transforms, a stage's enable or combiner, a client array switched).
  uint64_t AppliedChanges() const { return appliedChanges_; }

 private:
  struct VertexLayout {
    bool pretransformed = false;
    uint32_t size = 0;
    uint32_t diffuseOffset = 0;
    bool hasDiffuse = false;
    uint32_t texCoordOffset = 0;
    uint32_t texCoordSets = 0;
  };
  bool DescribeVertices(VertexLayout& layout) const;
  uint32_t ActiveStageCount() const;
  // Every pretransformed vertex has an rhw of exactly 1.
  static bool AllRhwOne(const uint8_t* vertices, UINT vertexCount, UINT stride);
  void ApplyRasterState();
  void ApplyStages(uint32_t activeStages);
  void ApplyCombiner(uint32_t stage);
  void ApplySampler(uint32_t stage, uint32_t target);
  void ApplyTransforms(bool pretransformed);
  // `inRing` is where the vertices lie in the bound stream ring; the CPU
  // reads `vertices` for what it computes itself.
  void SetVertexArrays(const VertexLayout& layout, const uint8_t* vertices, size_t inRing, UINT vertexCount,
                       UINT stride, uint32_t activeStages);
  // Client arrays read user memory while the ring is unbound.
  void ReadArraysFromRing(bool ring);
  bool NeedsGeneratedCoords(uint32_t stage) const;
  void GenerateCoords(uint32_t stage, const VertexLayout& layout, const uint8_t* vertices, UINT vertexCount,
                      UINT stride);

  // What a stage's combiners are made of.
  struct CombinerKey {
    DWORD colourOp, colourArg1, colourArg2, alphaOp, alphaArg1, alphaArg2, factor;
    bool operator==(const CombinerKey& other) const;
  };
  // A texture unit as the pipeline last left it.
  struct AppliedUnit {
    bool known = false;      // after ForgetApplied nothing is known
    uint32_t enabled = 0;    // the texture target enabled, 0 for none
    bool combinerKnown = false;
    CombinerKey combiner{};
    bool coordArray = false;  // its texture coordinate array is on
  };
  CombinerKey CombinerOf(uint32_t stage) const;
  void SelectUnit(uint32_t stage);
  void SelectClientUnit(uint32_t stage);
  void SetClientArray(uint32_t array, bool on, bool& applied);

  DWORD renderStates_[kD3DRenderStateCount];
  DWORD stageStates_[kD3DStageCount][kD3DStageStateCount];
  IDirect3DBaseTexture8* textures_[kD3DStageCount] = {};
  D3DMATRIX world_, view_, projection_;
  D3DMATRIX textureMatrices_[kD3DStageCount];
  D3DVIEWPORT8 viewport_{};
  DWORD fvf_ = 0;
  uint32_t targetWidth_ = 0;
  uint32_t targetHeight_ = 0;
  bool textureTarget_ = false;
  uint32_t whiteTexture_ = 0;
  StreamRing ring_;
  std::vector<float> positions_;
  std::vector<float> generatedCoords_[kD3DStageCount];

  bool rasterApplied_ = false;
  bool transformsApplied_ = false;
  bool appliedPretransformed_ = false;
  AppliedUnit units_[kD3DStageCount];
  int32_t activeUnit_ = -1;  // -1: not known
  int32_t clientUnit_ = -1;
  bool vertexArray_ = false;
  bool colourArray_ = false;
  bool arraysKnown_ = false;
  uint64_t appliedChanges_ = 0;
};

}  // namespace platform::d3d8
