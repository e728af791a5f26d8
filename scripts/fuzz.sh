#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time:
# scripts/fuzz.sh [seconds per target]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-60}
cmake -S . -B build-fuzz -G Ninja -DKAVOR_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j 2
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
work=$(mktemp -d)
mkdir -p "$work/plot" "$work/param" "$work/picture"
cp tests/data/*.plt "$work/plot/" 2>/dev/null || true
cp tests/data/fuzz/plot/* "$work/plot/" 2>/dev/null || true
cp "$work/plot/"* "$work/picture/" 2>/dev/null || true  # the same plots, into a picture
cp tests/data/fuzz/param/* "$work/param/" 2>/dev/null || true
printf -- '-PT HP7585 -PP A1E -BM 0 0 50 50 -PX 2x1 -RE 300x600\n' > "$work/param/seed1"
export QT_QPA_PLATFORM=offscreen
for target in plot param picture; do
  echo "== fuzzing $target for ${seconds}s"
  # Run inside the scratch folder: nothing a target does lands in the tree.
  (cd "$work" && "$root/build-fuzz/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=4096 -artifact_prefix="$work/" "$work/$target" 2>&1 | tail -n 3)
done
rm -rf "$work"
