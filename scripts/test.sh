#!/usr/bin/env bash
# Sets up a fresh machine, builds everything and runs every test: once in a normal build, then the core
# tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh build-essential cmake libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev \
  libpng-dev libgdal-dev libproj-dev gdal-bin \
  xvfb xauth
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DPLOTWELL_SANITIZE=ON -DPLOTWELL_GUI=OFF -DPLOTWELL_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j"$jobs")
