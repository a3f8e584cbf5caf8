// COM-style result codes shared by the device, input and error-name layers.
#pragma once
#include <cstdint>

typedef int32_t HRESULT;

#ifndef SUCCEEDED
#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)
#endif
#ifndef FAILED
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)
#endif

// Generic codes; the values are the platform's.
enum : HRESULT {
  S_OK = 0,
  S_FALSE = 1,
  E_NOTIMPL = static_cast<HRESULT>(0x80004001u),
  E_NOINTERFACE = static_cast<HRESULT>(0x80004002u),
  E_POINTER = static_cast<HRESULT>(0x80004003u),
  E_FAIL = static_cast<HRESULT>(0x80004005u),
  E_ACCESSDENIED = static_cast<HRESULT>(0x80070005u),
  E_HANDLE = static_cast<HRESULT>(0x80070006u),
  E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu),
  E_INVALIDARG = static_cast<HRESULT>(0x80070057u),
};
