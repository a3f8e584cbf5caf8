// The adapter and system report written when the device object starts, and
// the decisions taken on the way: adapter, hardware class, square textures,
// 16-bit back buffer.
#include <cstdio>

#include "core/log.h"
#include "platform/d3d8/d3d8_format.h"
#include "platform/d3dx/dxerr8.h"
#include "platform/window/win32.h"
#include "render/dx8/dx8_graphics.h"

namespace {

#define REPORT_LINE(text) LOG_LINE(MSG_INIT, text)

// The report's lines are bare text: the log's call-site prefix and level tag
// are off while it runs, and on again however it ends.
class BareLogLines {
 public:
  BareLogLines() { GetLog().prefix = false; }
  ~BareLogLines() { GetLog().prefix = true; }
  BareLogLines(const BareLogLines&) = delete;
  BareLogLines& operator=(const BareLogLines&) = delete;
};

std::string Num(uint64_t value) { return std::to_string(value); }
std::string Num(uint32_t value) { return std::to_string(value); }
std::string Num(int32_t value) { return std::to_string(value); }
std::string YesNo(bool value) { return value ? "Yes" : "No"; }

// Megabytes rounded up to a multiple of 16, in 64 bits: machines hold more than 4 GB.
uint64_t Megabytes(uint64_t bytes) { return ((bytes + 0xFFFFFF) >> 20) & ~uint64_t{0xF}; }

void LogShaderLines(DWORD vertexShader, DWORD pixelShader) {
  if (vertexShader < D3DVS_VERSION(1, 1)) {
    REPORT_LINE(" - No Vertex Shader supported");
  } else {
    REPORT_LINE(" - Vertex Shader 1.1 supported");
    if (vertexShader >= D3DVS_VERSION(2, 0)) REPORT_LINE(" - Vertex Shader 2.0 supported");
    if (vertexShader >= D3DVS_VERSION(3, 0)) REPORT_LINE(" - Vertex Shader 3.0 supported");
  }
  if (pixelShader < D3DPS_VERSION(1, 1)) {
    REPORT_LINE(" - No Pixel Shaders supported");
    return;
  }
  REPORT_LINE(" - Pixel Shader 1.1 supported");
  const struct {
    DWORD version;
    const char* text;
  } higher[] = {{D3DPS_VERSION(1, 2), " - Pixel Shader 1.2 supported"},
                {D3DPS_VERSION(1, 3), " - Pixel Shader 1.3 supported"},
                {D3DPS_VERSION(1, 4), " - Pixel Shader 1.4 supported"},
                {D3DPS_VERSION(2, 0), " - Pixel Shader 2.0 supported"},
                {D3DPS_VERSION(3, 0), " - Pixel Shader 3.0 supported"}};
  for (const auto& entry : higher) {
    if (pixelShader >= entry.version) REPORT_LINE(std::string(entry.text));
  }
}

}  // namespace

bool Dx8Graphics::LogSystemInfo() {
  const BareLogLines bare;
  const UINT adapters = direct3d_->GetAdapterCount();
  REPORT_LINE("System has " + Num(adapters) + " devices");
  bool halFound = false;
  for (UINT i = 0; i < adapters; ++i) {
    D3DADAPTER_IDENTIFIER8 id{};
    direct3d_->GetAdapterIdentifier(i, 0, &id);
    REPORT_LINE(" Adapter : " + Num(i));
    REPORT_LINE(" - Device Name\t\t: " + Num(id.DeviceId));
    REPORT_LINE(std::string(" - Description\t\t: ") + id.Description);
    REPORT_LINE(std::string(" - Driver\t\t\t: ") + id.Driver);
    REPORT_LINE(" - Driver Version\t: [" + Num(id.DriverVersion.HighPart) + "," + Num(id.DriverVersion.LowPart) + "]");
    REPORT_LINE(" - Vendor Info\t\t: [" + Num(id.VendorId) + ", " + Num(id.DeviceId));
    if (SUCCEEDED(direct3d_->CheckDeviceType(i, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_UNKNOWN, TRUE))) {
      REPORT_LINE(" - Device supports HAL");
      if (!halFound) adapter_ = i;
      halFound = true;
    }
  }

  HRESULT result = direct3d_->GetDeviceCaps(adapter_, D3DDEVTYPE_HAL, &caps_);
  if (FAILED(result)) {
    LOG_LINE(MSG_ERROR, "Unable to retrieve graphics card capabilities");
    LOG_LINE(MSG_ERROR, std::string("DX Error: ") + DXGetErrorString8(result));
    adapter_ = 1;
    result = direct3d_->GetDeviceCaps(1, D3DDEVTYPE_HAL, &caps_);
    if (SUCCEEDED(result)) return true;
    LOG_LINE(MSG_ERROR, "Can't find a valid adaptor!");
    LOG_LINE(MSG_ERROR, std::string("DX Error: ") + DXGetErrorString8(result));
    MessageBoxA(nullptr, "There was an error creating the 3D window. Now exiting.", "Unable to create Game Window!",
                MB_OK);
    return false;
  }

  const char* label = "DX8";
  if (!(caps_.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT)) {
    hardwareClass_ = 0;
    label = "DX6";
  } else if (caps_.PixelShaderVersion < D3DPS_VERSION(1, 1)) {
    hardwareClass_ = 1;
    label = "DX7";
  } else {
    hardwareClass_ = 2;
  }
  LogCapabilities(label);
  LogAdapterAndSystem();

  displayModes_.clear();
  sawThirtyTwoBitMode_ = false;
  for (D3DFORMAT format : {D3DFMT_A1R5G5B5, D3DFMT_R5G6B5, D3DFMT_X1R5G5B5, D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8}) {
    EnumerateModes(format, 640, 480, 60);
  }
  sixteenBitBackBuffer_ = sawThirtyTwoBitMode_ ? 0 : 1;
  squareTexturesOnly_ =
      (caps_.MaxTextureAspectRatio == 1 || (caps_.TextureCaps & D3DPTEXTURECAPS_SQUAREONLY)) ? 1 : 0;
  return true;
}

void Dx8Graphics::LogCapabilities(const char* label) {
  REPORT_LINE("------------------------------------------");
  REPORT_LINE("SYSTEM INFORMATION");
  REPORT_LINE("------------------------------------------");
  REPORT_LINE("Device info");
  REPORT_LINE(" - supports HW T&L : " + YesNo(caps_.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT));
  REPORT_LINE(" - supports HW Rasterizing : " + YesNo(caps_.DevCaps & D3DDEVCAPS_HWRASTERIZATION));
  REPORT_LINE(std::string(" - consider graphics card ") + label + " class.");
  REPORT_LINE("Texture info");
  REPORT_LINE(" - Max texture size : [" + Num(caps_.MaxTextureWidth) + "x" + Num(caps_.MaxTextureHeight) + "]");
  REPORT_LINE(" - Max texture aspect: " + Num(caps_.MaxTextureAspectRatio));
  const DWORD t = caps_.TextureCaps;
  REPORT_LINE(" - supports Alpha : " + YesNo(t & D3DPTEXTURECAPS_ALPHA));
  REPORT_LINE(" - supports Cubemaps : " + YesNo(t & D3DPTEXTURECAPS_CUBEMAP));
  REPORT_LINE(" - supports Cubemaps only Pow2 : " + YesNo(t & D3DPTEXTURECAPS_CUBEMAP_POW2));
  REPORT_LINE(" - supports Mipmaps : " + YesNo(t & D3DPTEXTURECAPS_MIPMAP));
  REPORT_LINE(" - supports Conditional non-Pow2 : " + YesNo(t & D3DPTEXTURECAPS_NONPOW2CONDITIONAL));
  REPORT_LINE(" - supports Pow2 textures ONLY : " + YesNo(t & D3DPTEXTURECAPS_POW2));
  REPORT_LINE(" - supports only square textures : " + YesNo(t & D3DPTEXTURECAPS_SQUAREONLY));
  REPORT_LINE("Texture Adress info");
  REPORT_LINE(" - supports Clamping : " + YesNo(caps_.TextureAddressCaps & D3DPTADDRESSCAPS_CLAMP));
  REPORT_LINE(" - supports Wrapping : " + YesNo(caps_.TextureAddressCaps & D3DPTADDRESSCAPS_WRAP));
  REPORT_LINE("Vertex & Pixel Shaders");
  LogShaderLines(caps_.VertexShaderVersion, caps_.PixelShaderVersion);
  REPORT_LINE("Device info");
  REPORT_LINE(" - supports managed resources : " + YesNo(caps_.Caps2 & D3DCAPS2_CANMANAGERESOURCE));
  REPORT_LINE(" - supports dynamic textures : " + YesNo(caps_.Caps2 & D3DCAPS2_DYNAMICTEXTURES));
}

void Dx8Graphics::LogAdapterAndSystem() {
  D3DADAPTER_IDENTIFIER8 id{};
  if (SUCCEEDED(direct3d_->GetAdapterIdentifier(adapter_, 0, &id))) {
    REPORT_LINE("Adapter info");
    REPORT_LINE(std::string(" - Device\t\t: ") + id.Description);
    REPORT_LINE(std::string(" - Driver\t\t: ") + id.Driver + " [ " + Num(id.DriverVersion.HighPart) + ", " +
         Num(id.DriverVersion.LowPart) + " ]");
    REPORT_LINE(" - Vendor ID\t: " + Num(id.VendorId));
    REPORT_LINE(" - Device ID\t: " + Num(id.DeviceId));
    adapterDescription_ = std::string("[") + id.Description + "]";
  }
  const uint32_t cpuCount = platform::ProcessorCount();
  const uint32_t cpuType = platform::ProcessorType();
  const std::string os = platform::OperatingSystemName();
  platform::MemoryStatus memory;
  platform::GetMemoryStatus(memory);
  REPORT_LINE("System Info");
  REPORT_LINE(" - Clockspeed : 0 mhz");
  REPORT_LINE(" - CPU Count  : " + Num(cpuCount));
  REPORT_LINE(" - CPU Type   : " + Num(cpuType));
  REPORT_LINE(" - OS Version : " + os);
  REPORT_LINE(" - Network Enabled : " + YesNo(platform::NetworkPresent()));
  REPORT_LINE(" - Total Physical RAM\t\t: " + Num(Megabytes(memory.totalPhysical)) + " MB");
  REPORT_LINE(" - Free Physical RAM\t\t: " + Num(Megabytes(memory.availablePhysical)) + " MB");
  REPORT_LINE(" - Total Pagefile\t\t\t: " + Num(Megabytes(memory.totalPageFile)) + " MB");
  REPORT_LINE(" - Available Pagefile\t\t: " + Num(Megabytes(memory.availablePageFile)) + " MB");
  REPORT_LINE(" - Total Virtual RAM\t\t: " + Num(Megabytes(memory.totalVirtual)) + " MB");
  REPORT_LINE(" - Available Virtual RAM\t: " + Num(Megabytes(memory.availableVirtual)) + " MB");
  REPORT_LINE("Viable Display Modes");
  char summary[512];
  std::snprintf(summary, sizeof summary, "[%s][Total:%llu Free:%llu Virtual:%llu][CPU:%u x %u @ %i]", os.c_str(),
                static_cast<unsigned long long>(Megabytes(memory.totalPhysical)),
                static_cast<unsigned long long>(Megabytes(memory.availablePhysical)),
                static_cast<unsigned long long>(Megabytes(memory.availableVirtual)), cpuType, cpuCount, 0);
  systemSummary_ = summary;
}

uint32_t Dx8Graphics::EnumerateModes(D3DFORMAT format, uint32_t minWidth, uint32_t minHeight, uint32_t minRefresh) {
  const UINT count = direct3d_->GetAdapterModeCount(adapter_);
  for (UINT i = 0; i < count; ++i) {
    D3DDISPLAYMODE mode;
    if (FAILED(direct3d_->EnumAdapterModes(adapter_, i, &mode)) || mode.Format != format) continue;
    if (mode.Width < minWidth || mode.Height < minHeight || mode.RefreshRate < minRefresh) continue;
    bool thirtyTwo = format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8;
    REPORT_LINE(" - [" + Num(mode.Width) + " x " + Num(mode.Height) + " x " + (thirtyTwo ? "32" : "16") + "] @ " +
         Num(mode.RefreshRate) + "(" + platform::d3d8::FormatName(format) + ")");
    sawThirtyTwoBitMode_ |= thirtyTwo;
    displayModes_.push_back(mode);
  }
  return count;
}
