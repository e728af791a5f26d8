#pragma once
// Runs a program in a child process and measures it: wall time, peak
// resident memory (its own, as a child's), exit status.

#include <sys/resource.h>

#include <string>
#include <vector>

namespace kavor::bench {

struct Sample {
  double seconds = 0;
  long peak_kib = 0;
  int exit_code = -1;        // -1: killed or not run
  double cpu_seconds = 0;  // user and system time of the child
};

double now_seconds();
double cpu_seconds(const rusage& usage);
// binary args..., with KAVOR_HOME set to settings, standard error silenced
// and at most 4 GiB of memory.
Sample run_program(const std::string& binary, const std::vector<std::string>& args, const std::string& settings);

// The best of a few runs: on a shared machine the fastest run is the one
// least disturbed by others. Peak memory is the highest seen.
template <class Measure>
Sample best_of_runs(int runs, Measure measure) {
  Sample best = measure();
  for (int i = 1; i < runs; ++i) {
    const Sample s = measure();
    if (s.exit_code != best.exit_code) best.exit_code = -1;
    best.peak_kib = s.peak_kib > best.peak_kib ? s.peak_kib : best.peak_kib;
    best.seconds = s.seconds < best.seconds ? s.seconds : best.seconds;
    best.cpu_seconds = s.cpu_seconds < best.cpu_seconds ? s.cpu_seconds : best.cpu_seconds;
  }
  return best;
}

}  // namespace kavor::bench
