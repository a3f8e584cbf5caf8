// A surface held in memory: an image surface of its own, or one level of a
// texture. A level hands its reference counting to its texture (a surface
// keeps its container alive) and reports each unlock, so the texture can
// upload what was written.
#pragma once
#include <cstdint>
#include <optional>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/d3d8_format.h"
#include "platform/memory/zeroed_buffer.h"

namespace platform::d3d8 {

class SurfaceOwner {
 public:
  // `area` is the part of the surface that changed.
  virtual void SurfaceWritten(uint32_t index, const RECT& area) = 0;
  // Writes what the owner holds of a surface whose memory copy was dropped
  // into its new copy; false when it cannot.
  virtual bool RestoreCopy(uint32_t index, uint8_t* bytes) = 0;

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
  // Null when the memory could not be had, or while the copy is dropped.
  const uint8_t* Bytes() const { return bytes_ ? bytes_->data() : nullptr; }
  uint8_t* Bytes() { return bytes_ ? bytes_->data() : nullptr; }
  size_t ByteCount() const { return byteCount_; }
  DWORD Usage() const { return usage_; }
  // The texture a level belongs to (null for a standalone surface), and
  // its place among the texture's faces and levels.
  IUnknown* Container() const { return container_; }
  uint32_t Index() const { return index_; }
  // Once uploaded, pages that read as zeros give their memory back.
  void ReleaseZeroPages();
  // A texture level whose owner holds the same bytes needs no copy of its
  // own until it is next locked; the owner then writes it anew.
  void DropCopy() { bytes_.reset(); }
  bool CopyDropped() const { return !bytes_; }
  // A new copy, written by the owner; false, with none, when it cannot be had.
  bool TakeCopyBack();

 private:
  const FormatInfo& format_;
  uint32_t width_;
  uint32_t height_;
  uint32_t pitch_;
  D3DPOOL pool_;
  DWORD usage_;
  size_t byteCount_;
  std::optional<ZeroedBuffer> bytes_;  // levels that are never written take no memory
  IUnknown* container_ = nullptr;
  SurfaceOwner* owner_ = nullptr;
  uint32_t index_ = 0;
  ULONG references_ = 1;
  bool locked_ = false;
  bool lockedForWriting_ = false;  // and marking what it locked as changed
  bool restoredToRead_ = false;    // the copy came back for a read-only lock
  RECT lockedArea_{};
};

}  // namespace platform::d3d8
