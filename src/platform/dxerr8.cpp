#include "platform/dxerr8.h"

#include "platform/d3dx8.h"

namespace {

struct ErrorName {
  HRESULT code;
  const char* name;
};

const ErrorName kNames[] = {
    {D3D_OK, "S_OK"},
    {E_FAIL, "E_FAIL"},
    {E_OUTOFMEMORY, "E_OUTOFMEMORY"},
    {D3DERR_WRONGTEXTUREFORMAT, "D3DERR_WRONGTEXTUREFORMAT"},
    {D3DERR_NOTFOUND, "D3DERR_NOTFOUND"},
    {D3DERR_DEVICELOST, "D3DERR_DEVICELOST"},
    {D3DERR_DEVICENOTRESET, "D3DERR_DEVICENOTRESET"},
    {D3DERR_NOTAVAILABLE, "D3DERR_NOTAVAILABLE"},
    {D3DERR_INVALIDDEVICE, "D3DERR_INVALIDDEVICE"},
    {D3DERR_INVALIDCALL, "D3DERR_INVALIDCALL"},
    {D3DERR_OUTOFVIDEOMEMORY, "D3DERR_OUTOFVIDEOMEMORY"},
    {D3DXERR_INVALIDDATA, "D3DXERR_INVALIDDATA"},
};

}  // namespace

const char* DXGetErrorString8(HRESULT result) {
  for (const ErrorName& entry : kNames) {
    if (entry.code == result) return entry.name;
  }
  return "Unknown";
}
