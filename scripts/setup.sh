#!/usr/bin/env bash
# Fresh machine: installs what is needed, builds, and converts the bundled
# sample plot to samples/sample.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh normal
export KAVOR_HOME=${KAVOR_HOME:-$PWD/build/kavor-home}
./build/cli/kavor-convert -o build/sample.png samples/sample.plt
echo "wrote build/sample.png"
