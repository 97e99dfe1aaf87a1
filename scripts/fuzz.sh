#!/usr/bin/env bash
# Runs the fuzz targets of a fuzz build one after the other, SECONDS each, on
# their generated seeds plus whatever corpus earlier runs grew, and prints how
# many inputs each one tried. A finding is kept beside the target and fails
# the run.
# Usage: scripts/fuzz.sh [SECONDS] [BUILD_DIR] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
build=${2:-build/asan}
shift $(($# < 2 ? $# : 2))
dir="$build/fuzz"
if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for t in "$dir"/fuzz_*; do
    [ -f "$t" ] && [ -x "$t" ] && targets+=("$(basename "$t")")
  done
fi
if [ ${#targets[@]} -eq 0 ]; then
  echo "No fuzz targets in $dir: configure with -DMORVAYNE_BUILD_FUZZ=ON and build first." >&2
  exit 1
fi

failed=0
for t in "${targets[@]}"; do
  corpus="$dir/corpus/$t"
  log="$dir/$t.log"
  mkdir -p "$corpus"
  if "$dir/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$dir/$t-" "$corpus" "$dir/seeds/$t" > "$log" 2>&1; then
    verdict=ok
  else
    verdict=FAILED
    failed=1
  fi
  runs=$(awk '/stat::number_of_executed_units/ { print $2 }' "$log")
  printf '%-20s %-6s %10s inputs in %s s\n' "$t" "$verdict" "${runs:-?}" "$seconds"
  if [ "$verdict" = FAILED ]; then
    tail -n 40 "$log"
  fi
done
exit "$failed"
