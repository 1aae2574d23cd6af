#!/usr/bin/env bash
# How long quadmine-recommend takes on the result files of the real year base
# mined at 1 1 1 1 (440,651 concepts).
#   bench/recommend_speed.sh   mines the year base once with the release
#                              quadmine in a scratch folder, then runs
#                              quadmine-recommend there under GNU time and
#                              prints a Markdown table (also written to
#                              bench/results/recommend_speed.md): the result
#                              files read back alone, then the lists of every
#                              user in several forms, each with its output size
# Needs lastfm_year.txt in $QUADMINE_DATA_DIR (by default ../shared/data beside
# the repository) and GNU time (installed if missing). Processor seconds are
# less sensitive than wall seconds to other work on the machine.
set -euo pipefail
cd "$(dirname "$0")/.."
data=${QUADMINE_DATA_DIR:-$(pwd)/../shared/data}
if [[ ! -x /usr/bin/time ]]; then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq time >/dev/null
fi
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
mkdir -p bench/results
repo=$(pwd)
recommend=$repo/build/release/recommend/quadmine-recommend
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
"$repo/build/release/quadmine" "$data/lastfm_year.txt" 1 1 1 1 >/dev/null
first_user=$(head -n 1 users_only.txt | cut -d' ' -f1)

# row LABEL ARGS...: one run, its seconds, peak memory and output size.
row() {
  local label=$1
  shift
  local load
  load=$(cut -d' ' -f1 /proc/loadavg)
  /usr/bin/time -f "%e %U %S %M" -o time "$recommend" "$@" >out
  read -r wall user sys rss <time
  awk -v l="$label" -v w="$wall" -v u="$user" -v s="$sys" -v m="$rss" -v o="$(stat -c %s out)" \
    -v a="$load" 'BEGIN { printf "| %s | %.2f | %.2f | %.0f | %.1f | %s |\n", l, w, u + s, m / 1024, o / 1e6, a }'
  rm -f out
}

{
  awk -v c="$(grep -c . quadri_concepts.txt)" -v b="$(stat -c %s quadri_concepts.txt)" \
    -v u="$(stat -c %s users_only.txt)" -v n="$(cut -d' ' -f1 users_only.txt | sort -u | wc -l)" \
    'BEGIN { printf "Year base at 1 1 1 1: %d concepts, quadri_concepts.txt %.0f MB, users_only.txt %.1f MB, %d users.\n\n", c, b / 1e6, u / 1e6, n }'
  echo "| quadmine-recommend | wall s | processor s | peak MB | output MB | load (1 min) |"
  echo "|---|---|---|---|---|---|"
  row "files read back and checked, one user's users, limit 0" \
    --user "$first_user" --kind users --limit 0 --format jsonl
  row "one user, both lists" --user "$first_user" --format jsonl
  row "every user, both lists, first-seen, jsonl" --format jsonl
  row "every user, both lists, by support, jsonl" --rank support --format jsonl
  row "every user, resources by support, own dropped, first 20, jsonl" \
    --kind resources --rank support --exclude-known "$data/lastfm_year.txt" --limit 20 --format jsonl
  row "every user, both lists, first-seen, tsv" --format tsv
  row "every user, both lists, first-seen, text" --format text
} | tee "$repo/bench/results/recommend_speed.md"
