// Owner of the web client's internet session: opened under the client's
// agent name when the manager is first asked for, closed at process exit.
#pragma once
#include "platform/internet/wininet.h"

namespace web {

class ConnectionManager {
 public:
  // The name the session is opened under.
  static constexpr const char* kAgentName = "KESTROVA";

  ConnectionManager();
  ~ConnectionManager();
  ConnectionManager(const ConnectionManager&) = delete;
  ConnectionManager& operator=(const ConnectionManager&) = delete;

  // Null when the session could not be opened; nothing depends on it.
  HINTERNET GetSession() const { return session_; }

 private:
  HINTERNET session_ = nullptr;
};

// The process-wide manager, made on first use and destroyed at exit.
ConnectionManager& GetConnectionManager();

}  // namespace web
