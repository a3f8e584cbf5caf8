#include "platform/d3d8/d3d8_vertex_buffer.h"

namespace platform::d3d8 {

HRESULT VertexBuffer::Lock(UINT offset, UINT size, BYTE** data, DWORD) {
  if (!data || locked_ || offset > bytes_.size()) return D3DERR_INVALIDCALL;
  if (size != 0 && size > bytes_.size() - offset) return D3DERR_INVALIDCALL;
  // A discarding lock gets the same memory: the draws that used it are done.
  *data = bytes_.data() + offset;
  locked_ = true;
  return D3D_OK;
}

HRESULT VertexBuffer::Unlock() {
  if (!locked_) return D3DERR_INVALIDCALL;
  locked_ = false;
  return D3D_OK;
}

}  // namespace platform::d3d8
