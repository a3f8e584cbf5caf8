// A surface held in memory: an image surface of its own, or one level of a
// texture. A level hands its reference counting to its texture (a surface
// keeps its container alive) and reports each unlock, so the texture can
// upload what was written.
#pragma once
#include <cstdint>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/d3d8_format.h"
#include "platform/memory/zeroed_buffer.h"

namespace platform::d3d8 {

class SurfaceOwner {
 public:
  // `area` is the part of the surface that changed.
  virtual void SurfaceWritten(uint32_t index, const RECT& area) = 0;

 protected:
  ~SurfaceOwner() = default;
};

class MemorySurface : public IDirect3DSurface8 {
 public:
  // A standalone surface, counted by itself.
  MemorySurface(const FormatInfo& format, uint32_t width, uint32_t height, D3DPOOL pool, DWORD usage);
  // A texture level: counted through `container`, written back to `owner`.
  MemorySurface(const FormatInfo& format, uint32_t width, uint32_t height, D3DPOOL pool, DWORD usage,
                IUnknown* container, SurfaceOwner* owner, uint32_t index);
  ~MemorySurface() override = default;

  ULONG AddRef() override;
  ULONG Release() override;
  HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
  HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
  HRESULT UnlockRect() override;

  const FormatInfo& Format() const { return format_; }
  uint32_t Width() const { return width_; }
  uint32_t Height() const { return height_; }
  uint32_t Pitch() const { return pitch_; }
  // Null when the memory could not be had.
  const uint8_t* Bytes() const { return bytes_.data(); }
  uint8_t* Bytes() { return bytes_.data(); }
  size_t ByteCount() const { return bytes_.size(); }
  // Once uploaded, pages that read as zeros give their memory back.
  void ReleaseZeroPages() { bytes_.ReleaseZeroPages(); }

 private:
  const FormatInfo& format_;
  uint32_t width_;
  uint32_t height_;
  uint32_t pitch_;
  D3DPOOL pool_;
  DWORD usage_;
  ZeroedBuffer bytes_;  // levels that are never written take no memory
  IUnknown* container_ = nullptr;
  SurfaceOwner* owner_ = nullptr;
  uint32_t index_ = 0;
  ULONG references_ = 1;
  bool locked_ = false;
  bool lockedForWriting_ = false;  // and marking what it locked as changed
  RECT lockedArea_{};
};

}  // namespace platform::d3d8
