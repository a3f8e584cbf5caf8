#include "app/connection_manager.h"

namespace web {

ConnectionManager::ConnectionManager()
    : session_(InternetOpenA(kAgentName, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, "", 0)) {}

ConnectionManager::~ConnectionManager() {
  if (session_) InternetCloseHandle(session_);
}

ConnectionManager& GetConnectionManager() {
  static ConnectionManager manager;
  return manager;
}

}  // namespace web
