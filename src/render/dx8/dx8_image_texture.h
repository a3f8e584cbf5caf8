// The one-level texture a video or dynamic image keeps of its own (rather
// than a file surface's): created through D3DX, written whole, bound.
#pragma once
#include <cstdint>
#include <functional>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/d3d8_format.h"

class Dx8ImageTexture {
 public:
  // Level 0 locked for writing: its real size and format (D3DX may have
  // changed what was asked), and where its rows are.
  struct Level {
    uint32_t width;
    uint32_t height;
    const platform::d3d8::FormatInfo& format;
    uint8_t* bits;
    int pitch;
  };

  Dx8ImageTexture() = default;
  ~Dx8ImageTexture() { Release(); }
  Dx8ImageTexture(const Dx8ImageTexture&) = delete;
  Dx8ImageTexture& operator=(const Dx8ImageTexture&) = delete;

  // A dynamic texture on the renderer's device, replacing any before; false
  // (logged) when it cannot be made.
  bool Create(uint32_t width, uint32_t height, D3DFORMAT format, D3DPOOL pool);
  void Release();
  bool Exists() const { return texture_ != nullptr; }
  // Binds the texture to the stage, when there is one.
  void Bind(uint32_t stage);
  // Hands level 0, locked with D3DLOCK_DISCARD, to `write`; nothing without
  // a texture of plain texels or when the lock fails.
  void Write(const std::function<void(const Level&)>& write);

 private:
  IDirect3DTexture8* texture_ = nullptr;
};
