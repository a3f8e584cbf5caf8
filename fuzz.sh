#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ (clang: libFuzzer with AddressSanitizer
# and UndefinedBehaviorSanitizer, in build-fuzz/) and runs each of them.
#   ./fuzz.sh [-j jobs] [seconds] [target...]
# Every target runs for the seconds given (default 60), `jobs` targets at a
# time (default 1); all targets run when none is named. Each starts from seeds
# that our own writers and test fixtures make, and keeps what it learns in
# build-fuzz/corpus/<target>/ for the next run. A finding (crash, sanitizer
# report, leak, timeout, running out of memory) is saved under
# build-fuzz/findings/ and makes the script fail; replay one with
# build-fuzz/fuzz/fuzz_<target> <file>. The summary gives each target's
# executions.
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
jobs=1
if [ "${1:-}" = "-j" ]; then
  [[ "${2:-}" =~ ^[1-9][0-9]*$ ]] || { echo "usage: ./fuzz.sh [-j jobs] [seconds] [target...]" >&2; exit 2; }
  jobs=$2
  shift 2
fi
seconds=60
if [[ "${1:-}" =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi
vantor_install_packages "${VANTOR_PACKAGES[@]}" "${VANTOR_SANITIZER_PACKAGES[@]}"
build="$VANTOR_ROOT/build-fuzz"
vantor_build_variant "$build" -DVANTOR_FUZZ=ON -DVANTOR_BUILD_TESTS=OFF -DVANTOR_BUILD_BENCH=OFF
vantor_sanitizer_environment
# A smaller quarantine and shorter allocation stacks make each execution
# cheaper (boards allocate much); replaying a finding outside this script
# shows the full stacks.
export ASAN_OPTIONS="$ASAN_OPTIONS:quarantine_size_mb=16:malloc_context_size=5"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for program in "$build"/fuzz/fuzz_*; do
    targets+=("${program##*/fuzz_}")
  done
fi
for target in "${targets[@]}"; do
  if [ ! -x "$build/fuzz/fuzz_$target" ]; then
    echo "No fuzz target '$target' (a file fuzz/<layer>/$target.cpp)" >&2
    exit 2
  fi
done

# Fuzzes one target; its summary line goes to results/<target>.
fuzz_target() {
  local target=$1
  local program="$build/fuzz/fuzz_$target"
  local seeds="$build/seeds/$target" corpus="$build/corpus/$target" work="$build/work/$target"
  local log="$build/logs/$target.log"
  rm -rf "$seeds" "$work"
  mkdir -p "$seeds" "$corpus"
  VANTOR_FUZZ_SEEDS="$seeds" VANTOR_FUZZ_WORK="$work" "$program" >"$log" 2>&1
  echo "Fuzzing $target for $seconds s"
  local result=ok
  VANTOR_FUZZ_WORK="$work" "$program" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/findings/$target-" "$corpus" "$seeds" >"$log" 2>&1 ||
    result="FINDING (see $log)"
  local runs
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  printf '%-20s %12s executions  %s\n' "$target" "${runs:-?}" "$result" >"$build/results/$target"
  rm -rf "$work"
}

rm -rf "$build/results"
mkdir -p "$build/findings" "$build/logs" "$build/results"
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
    wait -n || true
  done
  fuzz_target "$target" &
done
wait

failed=0
for target in "${targets[@]}"; do
  if [ -f "$build/results/$target" ]; then
    cat "$build/results/$target"
    grep -q ' ok$' "$build/results/$target" || failed=1
  else
    printf '%-20s %12s executions  %s\n' "$target" "?" "NOT RUN (see $build/logs/$target.log)"
    failed=1
  fi
done
exit "$failed"
