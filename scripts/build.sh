#!/usr/bin/env bash
# Configures and builds one tree: scripts/build.sh [normal|sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:-normal}
case "$kind" in
  normal) dir=build; flags=() ;;
  sanitize) dir=build-sanitize; flags=(-DKAVOR_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug) ;;
  *) echo "unknown build kind $kind" >&2; exit 2 ;;
esac
cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" -j 2
