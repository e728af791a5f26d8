#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time:
#   scripts/fuzz.sh [seconds per target] [target...]
# Targets: plot, param, picture (all three when none is named).
# Each target keeps its corpus between runs in
# ${KAVOR_FUZZ_CORPUS:-~/.cache/kavor-fuzz}/TARGET, outside the tree, so a
# later run starts where the last one stopped; a crashing input is written to
# .../findings/ and fails the run. An hour in all: scripts/fuzz.sh 1200.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(plot param picture)
store=${KAVOR_FUZZ_CORPUS:-${HOME:-/tmp}/.cache/kavor-fuzz}
cmake -S . -B build-fuzz -G Ninja -DKAVOR_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j 2
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$store/findings"

# Copies a target's seeds into one scratch folder: the test plots and the
# earlier findings for the plot targets, an option line and the earlier
# findings for the parameter target. Folders that do not exist give none.
gather_seeds() {  # gather_seeds TARGET FOLDER
  local patterns=()
  case "$1" in
    plot | picture) patterns=("tests/data/*.plt" "tests/data/fuzz/plot/*") ;;
    param) patterns=("tests/data/fuzz/param/*") ;;
  esac
  mkdir -p "$2"
  if [ "$1" = param ]; then
    printf -- '-PT HP7585 -PP A1E -BM 0 0 50 50 -PX 2x1 -RE 300x600\n' >"$2/option-line"
  fi
  for pattern in "${patterns[@]}"; do
    for f in $pattern; do
      if [ -f "$f" ]; then cp "$f" "$2/"; fi
    done
  done
}

for target in "${targets[@]}"; do
  binary=$root/build-fuzz/fuzz/${target}_fuzz
  if [ ! -x "$binary" ]; then
    echo "no fuzz target $target" >&2
    exit 2
  fi
  corpus=$store/$target
  mkdir -p "$corpus"
  gather_seeds "$target" "$work/seeds-$target"
  echo "== fuzzing $target for ${seconds}s (corpus $corpus: $(find "$corpus" -type f | wc -l) inputs)"
  # New inputs go to the first folder, the corpus; the seeds are only read.
  # Run inside the scratch folder: nothing a target does lands in the tree.
  # A 4 KB plot of large hatched figures takes seconds under the sanitizers
  # and coverage, more on a busy machine: only a unit past 30 s is a hang.
  status=0
  (cd "$work" && "$binary" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 -max_len=4096 \
    -print_final_stats=1 -artifact_prefix="$store/findings/$target-" "$corpus" "$work/seeds-$target") \
    >"$work/$target.log" 2>&1 || status=$?
  # Runs and coverage (cov, ft) of the last status line, and any report.
  grep -E '^#[0-9]+' "$work/$target.log" | tail -n 1 || true
  grep -E '^(stat::number_of_executed_units|SUMMARY|Test unit written)' "$work/$target.log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$work/$target.log"
    exit "$status"
  fi
done
