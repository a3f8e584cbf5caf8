#include "app/web_server.h"

#include <iomanip>
#include <locale>
#include <sstream>

#include "app/connection_manager.h"

namespace web {

Server::Server() { GetConnectionManager(); }

void Server::AddString(const std::string& name, const std::string& value) { variables_.emplace_back(name, value); }

void Server::AddInt(const std::string& name, int value) { variables_.emplace_back(name, std::to_string(value)); }

void Server::AddFloat(const std::string& name, float value) {
  std::ostringstream text;
  text.imbue(std::locale::classic());
  text << std::fixed << std::setprecision(6) << value;
  variables_.emplace_back(name, text.str());
}

}  // namespace web

web::Server* GetServer() {
  static web::Server server;
  return &server;
}
