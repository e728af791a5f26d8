#!/usr/bin/env bash
# Installs everything Kavor needs to build, test and run on Debian 12 (as root).
# Recommended packages are left out, so every package a tool needs at run
# time is named here, with the tool that needs it:
#   fonts-urw-base35  the fonts that libwmf (wmf2svg) loads; without them it
#                     stops with "failed to load *any* font"
#   time              /usr/bin/time, which measures the converter's memory
#   xauth             xvfb-run
#   cups              the scheduler, lpadmin and the pass-through filter that
#                     the tests' private print queues use
#   qt6-image-formats-plugins  Qt's TIFF writer, for kavor-convert's tiff
#   zlib1g-dev        the compression of the converter's PDF content streams
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  build-essential cmake ninja-build clang libclang-rt-14-dev libgtest-dev libgmock-dev \
  qt6-base-dev qt6-svg-dev qt6-image-formats-plugins libcups2-dev cups fonts-vlgothic xvfb xauth \
  poppler-utils libwmf-bin fonts-urw-base35 librsvg2-bin time \
  python3 python3-gi gir1.2-gdkpixbuf-2.0 zlib1g-dev >/dev/null
