#!/usr/bin/env bash
# Fresh machine: installs what is needed and builds; then opens the bundled
# sample plot in kavor when there is a display, or converts it to
# build/sample.png when there is none.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh normal
export KAVOR_HOME=${KAVOR_HOME:-$PWD/build/kavor-home}
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  nohup ./build/shell/kavor samples/sample.plt >/dev/null 2>&1 &
  echo "opened samples/sample.plt in kavor (build/shell/kavor)"
else
  ./build/cli/kavor-convert --quiet -o build/sample.png samples/sample.plt
  echo "no display: converted samples/sample.plt to build/sample.png"
fi
