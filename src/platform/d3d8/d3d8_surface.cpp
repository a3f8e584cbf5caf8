#include "platform/d3d8/d3d8_surface.h"

namespace platform::d3d8 {

MemorySurface::MemorySurface(const FormatInfo& format, uint32_t width, uint32_t height, D3DPOOL pool, DWORD usage)
    : format_(format),
      width_(width),
      height_(height),
      pitch_(RowPitch(format, width)),
      pool_(pool),
      usage_(usage),
      byteCount_(static_cast<size_t>(pitch_) * RowCount(format, height)),
      bytes_(std::in_place, byteCount_) {}

MemorySurface::MemorySurface(const FormatInfo& format, uint32_t width, uint32_t height, D3DPOOL pool, DWORD usage,
                             IUnknown* container, SurfaceOwner* owner, uint32_t index)
    : MemorySurface(format, width, height, pool, usage) {
  container_ = container;
  owner_ = owner;
  index_ = index;
}

ULONG MemorySurface::AddRef() {
  if (container_) return container_->AddRef();
  return ++references_;
}

ULONG MemorySurface::Release() {
  if (container_) return container_->Release();
  ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT MemorySurface::GetDesc(D3DSURFACE_DESC* desc) {
  if (!desc) return D3DERR_INVALIDCALL;
  desc->Format = format_.format;
  desc->Type = D3DRTYPE_SURFACE;
  desc->Usage = usage_;
  desc->Pool = pool_;
  desc->Size = static_cast<UINT>(byteCount_);
  desc->Width = width_;
  desc->Height = height_;
  return D3D_OK;
}

void MemorySurface::ReleaseZeroPages() {
  if (bytes_) bytes_->ReleaseZeroPages();
}

bool MemorySurface::TakeCopyBack() {
  bytes_.emplace(byteCount_);
  if (bytes_->data() && owner_->RestoreCopy(index_, bytes_->data())) {
    ReleaseZeroPages();
    return true;
  }
  bytes_.reset();
  return false;
}

HRESULT MemorySurface::LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
  if (!locked || locked_) return D3DERR_INVALIDCALL;
  const bool dropped = CopyDropped() && owner_;
  if (dropped && !TakeCopyBack()) return D3DERR_INVALIDCALL;
  if (!Bytes()) return D3DERR_INVALIDCALL;
  uint32_t left = 0, top = 0;
  if (rect) {
    if (rect->left < 0 || rect->top < 0 || rect->right > static_cast<LONG>(width_) ||
        rect->bottom > static_cast<LONG>(height_) || rect->left >= rect->right || rect->top >= rect->bottom) {
      return D3DERR_INVALIDCALL;
    }
    left = static_cast<uint32_t>(rect->left);
    top = static_cast<uint32_t>(rect->top);
    if (format_.bytesPerBlock && ((left | top) & 3)) return D3DERR_INVALIDCALL;
  }
  size_t offset = format_.bytesPerBlock
                      ? static_cast<size_t>(top / 4) * pitch_ + (left / 4) * format_.bytesPerBlock
                      : static_cast<size_t>(top) * pitch_ + left * format_.bytesPerTexel;
  locked->Pitch = static_cast<int>(pitch_);
  locked->pBits = Bytes() + offset;
  locked_ = true;
  lockedForWriting_ = (flags & (D3DLOCK_READONLY | D3DLOCK_NO_DIRTY_UPDATE)) == 0;
  restoredToRead_ = dropped && (flags & D3DLOCK_READONLY);
  lockedArea_ = rect ? *rect : RECT{0, 0, static_cast<LONG>(width_), static_cast<LONG>(height_)};
  return D3D_OK;
}

HRESULT MemorySurface::UnlockRect() {
  if (!locked_) return D3DERR_INVALIDCALL;
  locked_ = false;
  if (lockedForWriting_ && owner_) owner_->SurfaceWritten(index_, lockedArea_);
  // Nothing was written: the owner still holds the same bytes.
  if (restoredToRead_) DropCopy();
  return D3D_OK;
}

}  // namespace platform::d3d8
