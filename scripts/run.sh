#!/usr/bin/env bash
# Sets up a fresh machine, builds Plotwell and runs it on the sample map.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh build-essential cmake libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target plotwell-tool
tool=./build/tools/plotwell-tool
$tool info data/sample/town.mpr
$tool check data/sample/town.mpr
