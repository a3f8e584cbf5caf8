// The scripts' handle on the web client: a URL and the name and value pairs
// to send with it, collected in the order added. No request is ever sent and
// no worker thread started, so the last message stays empty.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/lua/luaplus.h"

namespace web {

class Server {
 public:
  using Variable = std::pair<std::string, std::string>;

  // Makes the connection manager first, so that the session outlives the server.
  Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  void AddString(const std::string& name, const std::string& value);
  // "%i".
  void AddInt(const std::string& name, int value);
  // "%f" in the C locale, whatever the process locale says.
  void AddFloat(const std::string& name, float value);
  void ClearVariables() { variables_.clear(); }
  void SetURL(const std::string& url) { url_ = url; }
  const std::string& GetURL() const { return url_; }
  const std::string& GetLastMsg() const { return lastMessage_; }
  // Ends a request's worker; none is ever started, so there is nothing to end.
  void TerminateThread() {}

  const std::vector<Variable>& GetVariables() const { return variables_; }

  // The class "Server" and the global "GetServer".
  static void RegisterLua(LuaPlus::LuaState* state);

 private:
  std::string url_;
  std::string lastMessage_;
  std::vector<Variable> variables_;
};

}  // namespace web

// The process-wide web client, made on first use and destroyed at exit.
web::Server* GetServer();
