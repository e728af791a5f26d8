#pragma once
// A CUPS scheduler of the test's own: its configuration, spool, logs and
// socket in a fresh folder under /tmp, reached by this process (and the
// programs it starts) through CUPS_SERVER. Queues are made with lpadmin;
// their device is a file in the same folder.

#include <chrono>
#include <initializer_list>
#include <string>
#include <sys/types.h>

namespace kavor::testing {

class PrivateCups {
 public:
  // Starts the scheduler and points this process at it; error() says why
  // when it did not start.
  PrivateCups();
  // Stops the scheduler, waits for it and removes its folder.
  ~PrivateCups();
  PrivateCups(const PrivateCups&) = delete;
  PrivateCups& operator=(const PrivateCups&) = delete;

  bool running() const { return pid_ > 0; }
  const std::string& error() const { return error_; }

  // A queue that writes the bytes of every raw job, and every PDF document
  // as it was sent, unchanged into its output file (each job replaces the
  // last). The path of that file, or empty on failure.
  std::string add_raw_queue(const std::string& name);
  // A queue on a file device without a driver: it accepts jobs and reports
  // them complete, but writes nothing into its file. The file's path.
  std::string add_file_queue(const std::string& name);
  // The queue refuses new jobs from now on.
  bool reject_jobs(const std::string& name);
  // Waits until the scheduler has no job left to do.
  bool wait_until_idle(std::chrono::milliseconds timeout = std::chrono::seconds(20));

 private:
  std::string add_queue(const std::string& name, bool pass_through);
  bool write_configuration();
  bool run_tool(const char* path, const std::initializer_list<std::string>& arguments);
  // What the scheduler and the tools print.
  std::string tool_log() const { return dir_ + "/log/tools.log"; }

  std::string dir_;
  std::string socket_;
  pid_t pid_ = -1;
  std::string error_;
};

}  // namespace kavor::testing
