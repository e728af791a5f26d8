#!/usr/bin/env bash
# Builds the normal and the sanitizer trees and runs every test in both.
set -euo pipefail
cd "$(dirname "$0")/.."
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for kind in normal sanitize; do
  scripts/build.sh "$kind"
  dir=build; [ "$kind" = sanitize ] && dir=build-sanitize
  echo "== tests: $kind build"
  ctest --test-dir "$dir" --output-on-failure -j 2
done
