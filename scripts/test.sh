#!/usr/bin/env bash
# Builds and runs every test: the normal build, then the importer and the store
# once more under AddressSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j 2 --timeout 900

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DINSPECTOR_ASAN=ON -DINSPECTOR_GUI=OFF >/dev/null
targets=()
for t in test_store test_exchange; do
  [ -d "tests/${t#test_}" ] && targets+=("$t")
done
cmake --build build-asan -j "$(nproc)" --target inspector-cli "${targets[@]}"
labels=$(IFS='|'; echo "${targets[*]//test_/}")
ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-asan --output-on-failure -j 2 -L "^(${labels})$" --timeout 900

# The Debian package: built from build/, its contents checked and tried.
scripts/check-package.sh build
