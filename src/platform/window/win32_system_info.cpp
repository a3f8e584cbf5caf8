#include "platform/window/win32.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace platform {
namespace {

// User address space of an x86-64 process (47 bits).
constexpr uint64_t kAddressSpace = uint64_t{1} << 47;

uint64_t MappedBytes() {
  std::FILE* file = std::fopen("/proc/self/statm", "r");
  if (!file) return 0;
  unsigned long long pages = 0;
  int read = std::fscanf(file, "%llu", &pages);
  std::fclose(file);
  long pageSize = sysconf(_SC_PAGESIZE);
  return read == 1 && pageSize > 0 ? pages * static_cast<uint64_t>(pageSize) : 0;
}

}  // namespace

bool GetMemoryStatus(MemoryStatus& status) {
  struct sysinfo info;
  if (sysinfo(&info) != 0) return false;
  const uint64_t unit = info.mem_unit ? info.mem_unit : 1;
  status.totalPhysical = info.totalram * unit;
  status.availablePhysical = (info.freeram + info.bufferram) * unit;
  status.totalPageFile = info.totalswap * unit;
  status.availablePageFile = info.freeswap * unit;
  status.totalVirtual = kAddressSpace;
  uint64_t mapped = MappedBytes();
  status.availableVirtual = mapped < kAddressSpace ? kAddressSpace - mapped : 0;
  return true;
}

uint32_t ProcessorCount() {
  long count = sysconf(_SC_NPROCESSORS_ONLN);
  return count > 0 ? static_cast<uint32_t>(count) : 1;
}

uint32_t ProcessorType() {
  struct utsname name;
  if (uname(&name) != 0) return 0;
  if (std::strcmp(name.machine, "x86_64") == 0) return 8664;
  if (name.machine[0] == 'i' && std::strcmp(name.machine + 2, "86") == 0) return 586;
  return 0;
}

std::string OperatingSystemName() {
  struct utsname name;
  if (uname(&name) != 0) return "Unknown OS";
  return std::string(name.sysname) + " " + name.release;
}

bool NetworkPresent() {
  struct ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return false;
  bool found = false;
  for (struct ifaddrs* entry = list; entry && !found; entry = entry->ifa_next) {
    found = (entry->ifa_flags & IFF_UP) && !(entry->ifa_flags & IFF_LOOPBACK);
  }
  freeifaddrs(list);
  return found;
}

}  // namespace platform
