#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer + UndefinedBehaviorSanitizer) in build-fuzz and
# runs each for SECONDS (default 600), all targets when none are named:
#   scripts/fuzz.sh [SECONDS] [TARGET...]      e.g. scripts/fuzz.sh 60 shapefile project_file
# Targets are the fuzz/<target>_fuzz.cpp files. Each run starts from the seeds in fuzz/corpus/<target>
# and grows its own corpus in build-fuzz/corpus/<target>; a crashing input is kept in
# build-fuzz/artifacts/<target>/ (copy it to tests/data/errors/ and add it to the reader's error test).
# FUZZ_JOBS=2 runs two targets at a time; the fuzzers run at nice 19 so a shared machine stays usable.
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-600}
if [[ $# -gt 0 ]]; then shift; fi
if ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh [SECONDS] [TARGET...]" >&2
  exit 2
fi
targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  for f in fuzz/*_fuzz.cpp; do
    name=$(basename "$f" .cpp)
    targets+=("${name%_fuzz}")
  done
fi
for t in "${targets[@]}"; do
  if [[ ! -f "fuzz/${t}_fuzz.cpp" ]]; then
    echo "no fuzz target '$t' (fuzz/${t}_fuzz.cpp)" >&2
    exit 2
  fi
done

build=build-fuzz
CC=${CC:-clang} CXX=${CXX:-clang++} cmake -S . -B "$build" -DPLOTWELL_FUZZ=ON -DPLOTWELL_GUI=OFF \
  -DPLOTWELL_TESTS=OFF -DPLOTWELL_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
build_targets=()
for t in "${targets[@]}"; do build_targets+=("${t}_fuzz"); done
mkdir -p "$build/logs"
if ! cmake --build "$build" -j"${FUZZ_BUILD_JOBS:-2}" --target "${build_targets[@]}" >"$build/logs/build.log" 2>&1; then
  tail -30 "$build/logs/build.log" >&2
  exit 1
fi

run_one() {
  local t=$1
  local corpus="$build/corpus/$t" artifacts="$build/artifacts/$t/" log="$build/logs/$t.log"
  mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
  local seeds=()
  if [[ -d "fuzz/corpus/$t" ]]; then seeds=("fuzz/corpus/$t"); fi
  # Seeds are read, new inputs go to the build directory's corpus only. A large malloc is a finding:
  # no reader may allocate more than its input can back.
  nice -n "${FUZZ_NICE:-19}" "$build/fuzz/${t}_fuzz" "$corpus" "${seeds[@]}" \
    -max_total_time="$seconds" -artifact_prefix="$artifacts" -rss_limit_mb=2048 \
    -malloc_limit_mb="${FUZZ_MALLOC_LIMIT_MB:-512}" -print_final_stats=1 >"$log" 2>&1
  local status=$?
  local runs
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  if [[ $status -eq 0 ]]; then
    echo "$t: ${seconds}s, ${runs:-?} executions, nothing found"
  else
    echo "$t: FAILED after ${runs:-?} executions (exit $status); see $log and $artifacts"
  fi
  return $status
}

jobs_max=${FUZZ_JOBS:-1}
rm -f "$build"/logs/*.failed
for t in "${targets[@]}"; do
  (run_one "$t" || touch "$build/logs/$t.failed") &
  while [[ $(jobs -rp | wc -l) -ge $jobs_max ]]; do wait -n; done
done
wait
if compgen -G "$build/logs/*.failed" >/dev/null; then exit 1; fi
exit 0
