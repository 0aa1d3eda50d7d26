#!/usr/bin/env bash
# Sets up a fresh machine, builds Plotwell and starts the editor on the sample map. data/ holds the
# categories file the editor needs at start-up, and the sample names its background relative to it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh build-essential cmake libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev libpng-dev \
  libgdal-dev libproj-dev
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target plotwell plotwell-tool
cd data
exec ../build/src/qt/plotwell sample/town.mpr
