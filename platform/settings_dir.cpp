#include "platform/settings_dir.h"

#include <cstdlib>
#include <filesystem>

namespace kavor {

std::string default_settings_dir() {
  std::filesystem::path dir;
  if (const char* home = std::getenv("KAVOR_HOME"); home && *home) {
    dir = home;
  } else if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    dir = std::filesystem::path(xdg) / "kavor";
  } else {
    const char* h = std::getenv("HOME");
    dir = std::filesystem::path(h ? h : ".") / ".config" / "kavor";
  }
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  std::string s = dir.string();
  if (s.empty() || s.back() != '/') s += '/';
  return s;
}

}  // namespace kavor
