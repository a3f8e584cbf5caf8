// Test seams for the Direct3D layer: read the frame back, lose and restore
// the device (OpenGL never loses it), and shape the reported capabilities.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/d3d8/d3d8.h"

namespace platform::testing {

// The back buffer as 0xAARRGGBB words, rows from the top; false without a device.
bool ReadBackFrame(IDirect3DDevice8* device, std::vector<uint32_t>& pixels, uint32_t& width, uint32_t& height);

// What the window's drawable shows, as 0xAARRGGBB words, rows from the top:
// for a present observer, which runs once the frame is in the window and
// before it is swapped. False without a current device.
bool ReadBackWindow(std::vector<uint32_t>& pixels, uint32_t& width, uint32_t& height);
// Whether the device draws into a buffer of its own (which Present scales
// into the window) rather than straight into the window.
bool DrawsThroughBuffer(IDirect3DDevice8* device);

// Whether a texture's level keeps a memory copy of its own (not once it has
// dropped it for what OpenGL holds).
bool KeepsLevelCopy(IDirect3DTexture8* texture, UINT level);

// TestCooperativeLevel answers D3DERR_DEVICELOST, Present fails and Reset is
// refused until the device may be reset again.
void LoseDevice(IDirect3DDevice8* device);
// TestCooperativeLevel answers D3DERR_DEVICENOTRESET; a Reset restores the device.
void AllowDeviceReset(IDirect3DDevice8* device);
// The next `count` Reset calls fail.
void FailNextResets(IDirect3DDevice8* device, int count);

// Every adapter reports square textures only (MaxTextureAspectRatio 1).
void SetSquareTexturesOnly(bool on);
// GetDeviceCaps fails on every adapter.
void SetCapsUnavailable(bool on);
// Devices cannot be made or reset for full screen; windowed ones can.
void SetFullScreenUnavailable(bool on);
// Called with the device at each Present, once the frame is in the window's
// back buffer and before it is shown, while the device's back buffer still
// holds it; null stops.
void SetPresentObserver(std::function<void(IDirect3DDevice8*)> observer);
// CheckDeviceFormat answers D3DERR_NOTAVAILABLE for these texture formats on
// every adapter (an empty list refuses none again).
void RefuseTextureFormats(const std::vector<D3DFORMAT>& formats);

}  // namespace platform::testing
