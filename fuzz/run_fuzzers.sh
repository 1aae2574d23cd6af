#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) in build-fuzz/ and runs
# each one for SECONDS (default 30) on a scratch copy of its seed corpus in
# fuzz/corpus/<target>/. Exits non-zero when any target finds a crash, a leak,
# undefined behaviour, a broken invariant or an input slower than 25 s; the
# reproducers are kept in build-fuzz/findings/.
#
#   bash fuzz/run_fuzzers.sh          # 30 s per target
#   bash fuzz/run_fuzzers.sh 3600     # an hour per target
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: bash fuzz/run_fuzzers.sh [SECONDS]" >&2
  exit 2
fi
build=build-fuzz
findings=$build/findings

cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUADMINE_FUZZ=ON -DQUADMINE_TESTS=OFF -DQUADMINE_WERROR=ON >/dev/null
targets=()
for source in fuzz/fuzz_*.cpp; do targets+=("$(basename "$source" .cpp)"); done
cmake --build "$build" -j"${JOBS:-2}" --target "${targets[@]}"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$findings"

failed=0
for target in "${targets[@]}"; do
  cp -r "fuzz/corpus/$target" "$scratch/$target"
  log=$scratch/$target.log
  start=$(date +%s)
  status=0
  # The outer timeout only guards against a fuzzer that does not stop by itself.
  timeout --kill-after=10 $((seconds + 60)) "$build/fuzz/$target" \
    -max_total_time="$seconds" -max_len=4096 -timeout=25 -rss_limit_mb=2048 \
    -artifact_prefix="$findings/$target-" "$scratch/$target" >"$log" 2>&1 || status=$?
  elapsed=$(($(date +%s) - start))
  runs=$(grep -o '^Done [0-9]* runs' "$log" | grep -o '[0-9]*' || echo "?")
  if ((status == 0)); then
    echo "$target: ran ${elapsed} s, ${runs} inputs, no finding"
  else
    failed=1
    echo "$target: FAILED after ${elapsed} s (status $status); last lines of its log:"
    tail -n 40 "$log"
    echo "reproducers in $findings/:"
    ls -1 "$findings" | grep "^$target-" || true
  fi
done
exit "$failed"
