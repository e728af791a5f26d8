#!/usr/bin/env bash
# Installs everything Kavor needs to build, test and run on Debian 12 (as root).
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  build-essential cmake ninja-build clang libclang-rt-14-dev libgtest-dev libgmock-dev \
  qt6-base-dev qt6-svg-dev libcups2-dev fonts-vlgothic xvfb xauth \
  poppler-utils libwmf-bin librsvg2-bin python3 python3-gi gir1.2-gdkpixbuf-2.0 >/dev/null
