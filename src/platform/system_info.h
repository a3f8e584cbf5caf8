// What the system report tells of the machine, from uname, sysinfo and the
// network interfaces.
#pragma once
#include <cstdint>
#include <string>

namespace platform {

struct MemoryStatus {
  uint64_t totalPhysical = 0;
  uint64_t availablePhysical = 0;
  uint64_t totalPageFile = 0;  // swap
  uint64_t availablePageFile = 0;
  uint64_t totalVirtual = 0;   // the process's address space
  uint64_t availableVirtual = 0;
};

bool GetMemoryStatus(MemoryStatus& status);
uint32_t ProcessorCount();
// The processor type numbers Windows reports (586, 8664); 0 for others.
uint32_t ProcessorType();
// The kernel's name and release, as "Linux 6.1.0".
std::string OperatingSystemName();
// True when a network interface other than loopback is up.
bool NetworkPresent();

}  // namespace platform
