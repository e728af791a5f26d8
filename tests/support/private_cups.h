#pragma once
// A CUPS scheduler of a test's own: configuration, spool, state and logs in
// a temporary folder, listening on a local socket only, browsing off.
// Clients (libcups, Qt's print support) find it through CUPS_SERVER, which
// start() sets for the process. Its queues deliver every job unchanged to a
// file of their own: a PDF document as it was sent, raw bytes as they were.

#include <chrono>
#include <string>
#include <sys/types.h>

namespace kavor::testing {

class PrivateCups {
 public:
  PrivateCups();
  ~PrivateCups();
  PrivateCups(const PrivateCups&) = delete;
  PrivateCups& operator=(const PrivateCups&) = delete;

  // Adds a queue before start(); the first one added is the default.
  void add_file_queue(const std::string& name);
  // Starts cupsd and waits until it answers; false when it did not.
  bool start();
  // Stops cupsd and waits for it to end.
  void stop();

  // The file that a queue's last job landed in.
  std::string output_path(const std::string& queue) const;
  // Waits until a queue has no pending job left; false on timeout.
  bool wait_until_idle(const std::string& queue, std::chrono::milliseconds timeout = std::chrono::seconds(20)) const;
  const std::string& directory() const { return dir_; }
  std::string socket_path() const { return dir_ + "/cups.sock"; }

 private:
  std::string dir_;
  std::string printers_;  // printers.conf
  pid_t pid_ = -1;
};

}  // namespace kavor::testing
