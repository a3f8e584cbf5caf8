// One running copy per window class: the owner of a class's window holds an
// flock on a file named after the class and answers requests on a local
// socket beside it (raise, restore, "are you minimised?").
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "platform/window/win32_internal.h"
#include "platform/window/win32_testing.h"

namespace {
constexpr std::chrono::milliseconds kRequestLookInterval{50};

struct Claim {
  int lockFd = -1;
  int listenFd = -1;
  std::string socketPath;
};

std::map<HWND, Claim>& Claims() {
  static std::map<HWND, Claim> claims;
  return claims;
}

std::map<HWND, std::string>& RemoteSockets() {
  static std::map<HWND, std::string> sockets;
  return sockets;
}

std::string RuntimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime) return runtime;
  char path[4096];
  if (SHGetSpecialFolderPathA(nullptr, path, CSIDL_APPDATA, TRUE)) return path;
  return "/tmp";
}

// Class names are free text (the game's is its caption): keep a readable,
// file-safe stem and add the name key of the whole text to tell names apart.
std::string BasePathFor(const std::string& className) {
  std::string stem;
  for (char c : className) {
    if (stem.size() >= 40) break;
    stem += (std::isalnum(static_cast<unsigned char>(c)) ? c : '_');
  }
  uint32_t hash = 2166136261u;
  for (unsigned char c : className) hash = (hash ^ c) * 16777619u;
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, "-%08x", hash);
  return RuntimeFolder() + "/" + stem + suffix;
}

bool FillSocketAddress(const std::string& path, sockaddr_un* address) {
  if (path.size() >= sizeof address->sun_path) return false;
  std::memset(address, 0, sizeof *address);
  address->sun_family = AF_UNIX;
  std::memcpy(address->sun_path, path.c_str(), path.size() + 1);
  return true;
}

int Listen(const std::string& path) {
  sockaddr_un address;
  if (!FillSocketAddress(path, &address)) return -1;
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  unlink(path.c_str());  // a stale socket of a copy that died; we hold the lock
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 4) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

std::string& AnsweredRequests() {
  static std::string answered;
  return answered;
}

char Answer(HWND window, char request) {
  AnsweredRequests() += request;
  switch (request) {
    case 'F':
      SetForegroundWindow(window);
      return 'k';
    case 'R':
      ShowWindow(window, SW_RESTORE);
      return 'k';
    case 'I': return IsIconic(window) ? '1' : '0';
    default: return '?';
  }
}

void ServeClient(HWND window, int client) {
  pollfd pfd{client, POLLIN, 0};
  char request = 0;
  if (poll(&pfd, 1, 200) > 0 && read(client, &request, 1) == 1) {
    char reply = Answer(window, request);
    // The asker may have given up and gone: no SIGPIPE for that.
    if (send(client, &reply, 1, MSG_NOSIGNAL) != 1) { /* nothing more to do */ }
  }
  close(client);
}
}  // namespace

namespace platform::detail {

bool ClaimInstance(HWND window, const std::string& className) {
  std::string base = BasePathFor(className);
  int fd = open((base + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return false;
  }
  Claim claim;
  claim.lockFd = fd;
  claim.socketPath = base + ".sock";
  claim.listenFd = Listen(claim.socketPath);
  Claims()[window] = claim;
  return true;
}

void ReleaseInstance(HWND window) {
  auto it = Claims().find(window);
  if (it == Claims().end()) return;
  if (it->second.listenFd >= 0) {
    close(it->second.listenFd);
    unlink(it->second.socketPath.c_str());
  }
  close(it->second.lockFd);  // releases the lock
  Claims().erase(it);
}

void ServiceInstanceRequests() {
  // Events are pumped several times a frame; a knocking copy waits up to a
  // second for its answer, so looking a few times a second is plenty and
  // spares the frame its system calls.
  static std::chrono::steady_clock::time_point lastLook;
  const auto now = std::chrono::steady_clock::now();
  if (lastLook.time_since_epoch().count() != 0 && now - lastLook < kRequestLookInterval) return;
  lastLook = now;
  for (auto& [window, claim] : Claims()) {
    if (claim.listenFd < 0) continue;
    for (int client; (client = accept4(claim.listenFd, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;)
      ServeClient(window, client);
  }
}

char RemoteRequest(HWND window, char request) {
  auto it = RemoteSockets().find(window);
  if (it == RemoteSockets().end()) return 0;
  sockaddr_un address;
  if (!FillSocketAddress(it->second, &address)) return 0;
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return 0;
  char reply = 0;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      send(fd, &request, 1, MSG_NOSIGNAL) == 1) {
    // The owner answers when it next pumps its events; don't wait long.
    pollfd pfd{fd, POLLIN, 0};
    if (poll(&pfd, 1, 1000) <= 0 || read(fd, &reply, 1) != 1) reply = 0;
  }
  close(fd);
  return reply;
}

}  // namespace platform::detail

HWND FindWindowA(LPCSTR className, LPCSTR) {
  if (!className) return nullptr;
  if (HWND local = platform::detail::FindLocalWindow(className)) return local;
  std::string base = BasePathFor(className);
  int fd = open((base + ".lock").c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return nullptr;
  bool held = flock(fd, LOCK_EX | LOCK_NB) != 0;  // someone else holds it
  close(fd);
  if (!held) return nullptr;
  HWND remote = platform::detail::AddRemoteWindow(className);
  RemoteSockets()[remote] = base + ".sock";
  return remote;
}

std::string platform::testing::TakeAnsweredInstanceRequests() {
  std::string answered;
  answered.swap(AnsweredRequests());
  return answered;
}
