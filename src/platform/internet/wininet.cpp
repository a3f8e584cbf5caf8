#include "platform/internet/wininet.h"
#include "platform/internet/wininet_testing.h"

#include <memory>
#include <string>
#include <vector>

namespace {
struct Session {
  std::string agent;
};

// Only the main thread opens and closes sessions.
std::vector<std::unique_ptr<Session>>& OpenSessions() {
  static std::vector<std::unique_ptr<Session>> sessions;
  return sessions;
}

std::vector<std::unique_ptr<Session>>::iterator FindSession(HINTERNET handle) {
  std::vector<std::unique_ptr<Session>>& sessions = OpenSessions();
  auto it = sessions.begin();
  while (it != sessions.end() && it->get() != handle) ++it;
  return it;
}
}  // namespace

HINTERNET InternetOpenA(LPCSTR agent, DWORD, LPCSTR, LPCSTR, DWORD) {
  if (!agent || !*agent) return nullptr;
  OpenSessions().push_back(std::make_unique<Session>(Session{agent}));
  return OpenSessions().back().get();
}

BOOL InternetCloseHandle(HINTERNET handle) {
  auto it = FindSession(handle);
  if (it == OpenSessions().end()) return FALSE;
  OpenSessions().erase(it);
  return TRUE;
}

namespace platform::testing {
int OpenInternetHandles() { return static_cast<int>(OpenSessions().size()); }
std::string InternetAgentOf(HINTERNET handle) {
  auto it = FindSession(handle);
  return it == OpenSessions().end() ? std::string() : (*it)->agent;
}
}  // namespace platform::testing
