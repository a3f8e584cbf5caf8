#!/bin/sh
# The board frame in play (build/bench_board_frame) against LÖVE 11 drawing
# the same picture (../shared/bench/love_board), the two programs in turn,
# RUNS times: per frame, the wall time and the main thread's CPU time of
# each, and ours over LÖVE's. Run from the checkout after a build (the
# pictures in data/img are the build's); headless unless SDL_VIDEODRIVER
# says otherwise.
#
#   bench/board_vs_love.sh [WIDTH HEIGHT [RUNS]]
#
# LÖVE's main thread is read from /proc while it runs; a run of 10 frames
# taken from one of 610 leaves the 600 frames without the start-up.
set -eu
width=${1:-60}
height=${2:-40}
runs=${3:-5}
love_board=${LOVE_BOARD:-../shared/bench/love_board}
export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-offscreen}" SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
ticks=$(getconf CLK_TCK)

# LÖVE's main-thread CPU seconds and its mean frame (ms) for FRAMES frames.
love_run() {
  out=$(mktemp)
  love "$love_board" data/img "$width" "$height" "$1" >"$out" 2>/dev/null &
  pid=$!
  cpu=0
  while stat=$(cat "/proc/$pid/task/$pid/stat" 2>/dev/null); do
    cpu=$(echo "$stat" | sed 's/.*) //' | awk '{ print $12 + $13 }')
    sleep 0.01
  done
  wait "$pid" || true
  mean=$(sed -n 's/.*mean_ms=\([0-9.]*\).*/\1/p' "$out")
  rm -f "$out"
  echo "$cpu $mean"
}

echo "run  ours wall ms  ours cpu ms  love wall ms  love cpu ms  wall ratio  cpu ratio"
i=1
while [ "$i" -le "$runs" ]; do
  ours=$(build/bench_board_frame --benchmark_filter="BoardFrame/$width/$height/" --benchmark_format=csv 2>/dev/null |
         awk -F, '/BoardFrame/ { print $3, $4 }')
  short=$(love_run 10)
  long=$(love_run 610)
  echo "$i $ours $short $long" | awk -v ticks="$ticks" '{
    love_cpu = ($6 - $4) / ticks / 600 * 1000
    printf "%3d  %11.2f  %11.2f  %12.2f  %11.2f  %10.2f  %9.2f\n", $1, $2, $3, $7, love_cpu, $2 / $7, $3 / love_cpu
  }'
  i=$((i + 1))
done
