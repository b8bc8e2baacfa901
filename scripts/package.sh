#!/usr/bin/env bash
# Builds the Debian package build/inspector_<version>_<arch>.deb (after the
# normal build) and installs it with apt when asked: scripts/package.sh --install.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
(cd build && cpack -G DEB >cpack.log 2>&1) || { cat build/cpack.log >&2; exit 1; }
deb=$(ls build/inspector_*.deb)
echo "Built $deb"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
if [ "${1:-}" = "--install" ]; then
  "${sudo_cmd[@]}" apt-get install -y "./$deb"
else
  echo "Install it with: ${sudo_cmd[*]}${sudo_cmd:+ }apt install ./$deb"
fi
