#!/usr/bin/env bash
# Long differential run: the indexed passes and report against the plain
# reference on many generated bases, several seeds in a row.
#   tests/run_differential.sh [ROUNDS_PER_SEED] [SEEDS]
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-100000}
seeds=${2:-4}
cmake --preset dev >/dev/null
cmake --build --preset dev --target quadmine_tests
for seed in $(seq 1 "$seeds"); do
  echo "seed $seed: $rounds bases"
  QUADMINE_DIFF_SEED=$seed QUADMINE_DIFF_ROUNDS=$rounds \
    build/dev/tests/quadmine_tests --gtest_filter='MiningDifferential.*' --gtest_brief=1
done
