#!/usr/bin/env bash
# Builds and runs every test: the normal build, the Debian package's check, then
# everything once more under AddressSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j 2 --timeout 900

# The Debian package: built from build/, its contents checked and tried.
scripts/check-package.sh build

# The whole suite once more, desktop tests included, under AddressSanitizer and
# UndefinedBehaviorSanitizer. Debug, because unoptimised it compiles two to four
# times quicker than at -O1; the benchmarks are left out.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DINSPECTOR_ASAN=ON -DINSPECTOR_GUI=ON \
  -DINSPECTOR_BENCH=OFF >/dev/null
cmake --build build-asan -j "$(nproc)" --target inspector inspector-cli inspector-server
cmake --build build-asan -j "$(nproc)"
# The options reach the programs the tests run (inspector-cli, inspector-server,
# inspector), which are sanitized builds too: a fault there is a failing exit.
# Leaks are looked for too: a program that leaks fails at its exit.
export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j 2 --timeout 900
