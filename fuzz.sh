#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ (clang: libFuzzer with AddressSanitizer
# and UndefinedBehaviorSanitizer, in build-fuzz/) and runs each in turn.
#   ./fuzz.sh [seconds] [target...]
# Every target runs for the seconds given (default 60); all targets run when
# none is named. Each starts from seeds that our own writers and test
# fixtures make, and keeps what it learns in build-fuzz/corpus/<target>/ for
# the next run. A finding (crash, sanitizer report, leak, timeout, running out
# of memory) is saved under build-fuzz/findings/ and makes the script fail;
# replay one with build-fuzz/fuzz/fuzz_<target> <file>.
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
seconds=60
if [[ "${1:-}" =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi
vantor_install_packages "${VANTOR_PACKAGES[@]}" "${VANTOR_SANITIZER_PACKAGES[@]}"
build="$VANTOR_ROOT/build-fuzz"
vantor_build_variant "$build" -DVANTOR_FUZZ=ON -DVANTOR_BUILD_TESTS=OFF -DVANTOR_BUILD_BENCH=OFF
vantor_sanitizer_environment

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for program in "$build"/fuzz/fuzz_*; do
    targets+=("${program##*/fuzz_}")
  done
fi

mkdir -p "$build/findings" "$build/logs"
summary=()
failed=0
for target in "${targets[@]}"; do
  program="$build/fuzz/fuzz_$target"
  if [ ! -x "$program" ]; then
    echo "No fuzz target '$target' (fuzz/$target.cpp)" >&2
    exit 2
  fi
  seeds="$build/seeds/$target"
  corpus="$build/corpus/$target"
  work="$build/work/$target"
  log="$build/logs/$target.log"
  rm -rf "$seeds" "$work"
  mkdir -p "$seeds" "$corpus"
  VANTOR_FUZZ_SEEDS="$seeds" VANTOR_FUZZ_WORK="$work" "$program" >"$log" 2>&1
  echo "Fuzzing $target for $seconds s"
  result=ok
  VANTOR_FUZZ_WORK="$work" "$program" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/findings/$target-" "$corpus" "$seeds" >"$log" 2>&1 ||
    result="FINDING (see $log)"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  [ "$result" = ok ] || failed=1
  summary+=("$(printf '%-20s %12s executions  %s' "$target" "${runs:-?}" "$result")")
  rm -rf "$work"
done

printf '%s\n' "${summary[@]}"
exit "$failed"
