#!/bin/bash
# Runs every fuzz target of a fuzz build, one after another, each on its seed
# corpus plus a working corpus kept in the build folder.
#   tools/run-fuzzers.sh <build-fuzz> runs <N>     each target N executions, at most
#                                                  FUZZ_MAX_SECONDS (15) seconds each (CI)
#   tools/run-fuzzers.sh <build-fuzz> seconds <S>  each target S seconds
# A crash stops the run with the target's name; the reproducer is left in
# <build-fuzz>/fuzz/crashes/<target>/. Prints the executions of each target.
set -euo pipefail
build=$1
mode=$2
amount=$3
case "$mode" in
  runs) limit="-runs=$amount -max_total_time=${FUZZ_MAX_SECONDS:-15}" ;;
  seconds) limit="-max_total_time=$amount" ;;
  *) echo "mode is runs or seconds" >&2; exit 2 ;;
esac
total=0
while read -r name; do
  [ -z "$name" ] && continue
  exe="$build/fuzz/fuzz_$name"
  corpus="$build/fuzz/corpus/$name"
  crashes="$build/fuzz/crashes/$name"
  mkdir -p "$corpus" "$crashes"
  log="$build/fuzz/$name.log"
  if ! "$exe" $limit -max_len=8192 -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
      -artifact_prefix="$crashes/" "$corpus" "$build/fuzz/seeds/$name" > "$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz_$name: FAILED (reproducer in $crashes/)" >&2
    exit 1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  total=$((total + runs))
  echo "fuzz_$name: $runs executions, no crash"
done < "$build/fuzz/targets.txt"
echo "all fuzz targets: $total executions, no crash"
