#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/: the dbconfig.txt loader, the statement parameter parser, the
# spreadsheet reader) with clang's libFuzzer and the address and undefined-behaviour
# sanitizers, and runs each for a bounded time (FUZZ_SECONDS, default 30) from its committed seed
# corpus, in a scratch copy. A crash fails the script and shows the fuzzer's report.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-30}"
# The fuzz build's output is shown only when it fails.
build_log=$(mktemp)
if ! { CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
       cmake --build build-fuzz -j"$(nproc)"; } >"$build_log" 2>&1; then
  tail -60 "$build_log" >&2
  echo "fuzz: the fuzz targets did not build" >&2
  exit 1
fi
rm -f "$build_log"
for target in dbconfig sqlparams sheet; do
  corpus=$(mktemp -d)
  cp fuzz/corpus/"$target"/* "$corpus"/
  log="build-fuzz/$target.log"
  if ! build-fuzz/fuzz_"$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix=build-fuzz/"$target"- "$corpus" >"$log" 2>&1; then
    tail -40 "$log" >&2
    echo "fuzz $target: crashed (input saved as build-fuzz/$target-*)" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz $target: $runs runs in ${seconds} s, 0 crashes"
  rm -rf "$corpus"
done
