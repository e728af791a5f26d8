#pragma once
// The settings directory of a conversion: the user's, or, when the paper
// database there can neither be read nor written (a read-only directory,
// or a plain file in its place), a temporary directory holding the
// built-in database, removed at the end. A conversion never needs to write
// settings of its own.

#include <string>

namespace kavor {

class SettingsFallback {
 public:
  explicit SettingsFallback(const std::string& settings_dir);
  ~SettingsFallback();
  SettingsFallback(const SettingsFallback&) = delete;
  SettingsFallback& operator=(const SettingsFallback&) = delete;

  // The directory to use, ending in '/'.
  const std::string& dir() const { return dir_; }
  // What to tell the user when the built-in database serves; else empty.
  const std::string& notice() const { return notice_; }

 private:
  std::string dir_;
  std::string temporary_;
  std::string notice_;
};

}  // namespace kavor
