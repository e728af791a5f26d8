#include "bench/measure.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace kavor::bench {

namespace {
constexpr rlim_t kMemoryLimit = rlim_t{4} << 30;
}  // namespace

double now_seconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double cpu_seconds(const rusage& u) {
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

Sample run_program(const std::string& binary, const std::vector<std::string>& args, const std::string& settings) {
  const double start = now_seconds();
  const pid_t pid = fork();
  if (pid == 0) {
    setenv("KAVOR_HOME", settings.c_str(), 1);
    // A run that grows without end is stopped before it troubles the machine.
    const rlimit memory{kMemoryLimit, kMemoryLimit};
    setrlimit(RLIMIT_AS, &memory);
    if (!std::freopen("/dev/null", "w", stderr)) _exit(126);
    std::vector<char*> argv{const_cast<char*>(binary.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(binary.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  return {now_seconds() - start, usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1, cpu_seconds(usage)};
}

}  // namespace kavor::bench
