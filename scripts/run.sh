#!/usr/bin/env bash
# Sets up a fresh machine, builds, and starts the desktop program. On the very
# first start the program offers to create both data files with the starter
# library. Without a display the data files are created with inspector-cli.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -x build/src/inspector ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec build/src/inspector "$@"
fi
build/src/inspector-cli init
echo "No display found: the data files are ready; start build/src/inspector on a desktop."
