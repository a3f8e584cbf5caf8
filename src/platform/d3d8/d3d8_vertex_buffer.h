// IDirect3DVertexBuffer8 as a block of memory: OpenGL draws the fixed
// pipeline's vertices from client memory, so a lock only hands out bytes.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/d3d8/d3d8_com_object.h"

namespace platform::d3d8 {

class VertexBuffer : public ComObject<IDirect3DVertexBuffer8> {
 public:
  explicit VertexBuffer(uint32_t length) : bytes_(length) {}

  HRESULT Lock(UINT offset, UINT size, BYTE** data, DWORD flags) override;
  HRESULT Unlock() override;

  const uint8_t* Bytes() const { return bytes_.data(); }
  uint32_t Length() const { return static_cast<uint32_t>(bytes_.size()); }
  bool Locked() const { return locked_; }

 private:
  std::vector<uint8_t> bytes_;
  bool locked_ = false;
};

}  // namespace platform::d3d8
