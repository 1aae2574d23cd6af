#!/usr/bin/env bash
# How long the recommendation lists take on the real year base.
#   bench/evaluation_speed.sh   prints two Markdown tables: whole runs of
#                               quadmine-evaluate split at 2010 (thresholds
#                               2 1 1 1 and 1 1 1 1), with the seconds of their
#                               phases; and the lists of every user of the
#                               whole year base mined at 1 1 1 1
#                               (bench/lists_bench.cpp, results also in
#                               bench/results/lists_*.csv)
# Needs lastfm_year.txt in $QUADMINE_DATA_DIR (by default ../shared/data beside
# the repository) and GNU time (installed if missing). Processor seconds are
# less sensitive than wall seconds to other work on the machine.
set -euo pipefail
cd "$(dirname "$0")/.."
data=${QUADMINE_DATA_DIR:-$(pwd)/../shared/data}
if [[ ! -x /usr/bin/time ]]; then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq time >/dev/null
fi
make bench >/dev/null
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
mkdir -p bench/results
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

echo "| quadmine-evaluate, split 2010 | wall s | processor s | peak MB | load (1 min) |"
echo "|---|---|---|---|---|"
for th in "2 1 1 1" "1 1 1 1"; do
  load=$(cut -d' ' -f1 /proc/loadavg)
  # shellcheck disable=SC2086  # four thresholds
  /usr/bin/time -f "%e %U %S %M" -o "$scratch/time" build/release/evaluate/quadmine-evaluate \
    "$data/lastfm_year.txt" 2010 $th --format tsv >/dev/null 2>&1
  read -r wall user sys rss < "$scratch/time"
  awk -v th="$th" -v w="$wall" -v u="$user" -v s="$sys" -v m="$rss" -v l="$load" \
    'BEGIN { printf "| %s | %.1f | %.1f | %.0f | %s |\n", th, w, u + s, m / 1024, l }'
done
echo

# The two benchmarks have different counters: one CSV file each.
for part in EvaluateYear EveryUser; do
  if ! build/bench/bench/lists_bench --benchmark_filter="$part" --benchmark_format=csv \
    > "bench/results/lists_$part.csv" 2> "$scratch/err"; then
    cat "$scratch/err" >&2
    exit 1
  fi
done
table() {  # table CSV: the counters of each row by name
  awk -F, -v want="$2" '
    NR == 1 { for (i = 1; i <= NF; ++i) { gsub(/"/, "", $i); col[$i] = i }; next }
    /^"BM_/ {
      name = $1; gsub(/"/, "", name); sub(/\/iterations:.*/, "", name); sub(/^BM_[A-Za-z]*\//, "", name)
      if (want == "evaluate") {
        printf "| %s | %.2f | %.2f | %.2f | %d |\n", name, $col["split_s"], $col["mine_s"], $col["lists_s"], $col["concepts"]
      } else {
        split("resources first-seen|resources by support|resources by support, new, first 20|users first-seen|users by support", kinds, "|")
        printf "| %s | %.3f | %.2f | %d | %d |\n", kinds[name + 1], $col["cpu_time"] / 1000, $col["build_s"], $col["users"], $col["elements"]
      }
    }' "$1"
}
echo "| evaluation phases, split 2010 | split s | mine s | lists and scores s | concepts |"
echo "|---|---|---|---|---|"
table bench/results/lists_EvaluateYear.csv evaluate
echo
echo "| every user of the year base at 1 1 1 1 | processor s (all users) | index build s | users | elements listed |"
echo "|---|---|---|---|---|"
table bench/results/lists_EveryUser.csv users
