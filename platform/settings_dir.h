#pragma once
// Where the settings files live: $KAVOR_HOME, else $XDG_CONFIG_HOME/kavor,
// else ~/.config/kavor.

#include <string>

namespace kavor {

// The settings directory, created when missing, ending in '/'.
std::string default_settings_dir();

}  // namespace kavor
