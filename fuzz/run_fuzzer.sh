#!/usr/bin/env bash
# Builds the differential fuzz target with clang (ASan + UBSan) in build-fuzz/
# and runs it for SECONDS (default 60), starting from the seed inputs of
# fuzz/corpus/ (new inputs go to build-fuzz/corpus/).
# Fails on a difference, a crash, undefined behaviour or an input slower than
# 25 s; the reproducer is kept in build-fuzz/findings/.
#
#   bash fuzz/run_fuzzer.sh 3600     # an hour
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUADMINE_FUZZ=ON -DQUADMINE_TESTS=OFF -DQUADMINE_WERROR=ON >/dev/null
cmake --build build-fuzz -j"${JOBS:-2}" --target fuzz_differential
mkdir -p build-fuzz/findings build-fuzz/corpus
# The outer timeout only guards against a fuzzer that does not stop by itself.
timeout --kill-after=10 $((seconds + 60)) build-fuzz/fuzz/fuzz_differential \
  -max_total_time="$seconds" -max_len=4096 -timeout=25 -rss_limit_mb=2048 \
  -artifact_prefix=build-fuzz/findings/ build-fuzz/corpus fuzz/corpus
