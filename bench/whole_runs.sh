#!/usr/bin/env bash
# Times whole runs of a quadmine binary, one process per case, with its peak
# memory, and the sha256 of both result files (quadri_concepts.txt then
# users_only.txt) so that two builds can be compared.
#   bench/whole_runs.sh BIN [LIMIT_SECONDS] [CASE_PATTERN]
# Prints one Markdown row per case: case, seconds (wall), processor seconds
# (user + system, less sensitive to other work on the machine), peak MB, load
# average (1 min) when the case started, sha256 prefix. A case that runs past the limit
# (default 600 s) is stopped and shown as "> LIMIT". Needs the real bases
# lastfm_year.txt and lastfm_month.txt in $QUADMINE_DATA_DIR (by default
# ../shared/data beside the repository); the generated bases go to a scratch
# folder: "dense-LINES" and "synthetic-LINES" from build/bench/bench/make_base
# (make bench), "communities-LINES-SEED" from bench/dense_base.py LINES SEED
# (denser communities), "year-kK" from bench/year_copies.py (the year base with
# its users copied K times). The expected sha256 prefix of each case (that of
# every build so far) stands after its thresholds below, where a run has
# finished; a row whose sum differs ends with "DIFFERS".
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
limit=${2:-600}
pattern=${3:-.}
data=${QUADMINE_DATA_DIR:-$root/../shared/data}
make_base=$root/build/bench/bench/make_base
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

base() {  # base NAME -> path of the base
  case $1 in
    year) echo "$data/lastfm_year.txt" ;;
    month) echo "$data/lastfm_month.txt" ;;
    dense-*) [[ -f $scratch/$1 ]] || "$make_base" dense "${1#dense-}" > "$scratch/$1"; echo "$scratch/$1" ;;
    synthetic-*) [[ -f $scratch/$1 ]] || "$make_base" "${1#synthetic-}" > "$scratch/$1"; echo "$scratch/$1" ;;
    communities-*)
      local size=${1#communities-}
      [[ -f $scratch/$1 ]] || python3 "$root/bench/dense_base.py" "${size%-*}" "${size#*-}" > "$scratch/$1"
      echo "$scratch/$1" ;;
    year-k*)
      [[ -f $scratch/$1 ]] || python3 "$root/bench/year_copies.py" "$data/lastfm_year.txt" "${1#year-k}" > "$scratch/$1"
      echo "$scratch/$1" ;;
  esac
}

echo "| case | seconds | cpu seconds | peak MB | load | sha256 |"
echo "|---|---|---|---|---|---|"
while read -r name t1 t2 t3 t4 expected; do
  thresholds="$t1 $t2 $t3 $t4"
  [[ $name =~ $pattern ]] || continue
  path=$(base "$name")
  run=$scratch/run && rm -rf "$run" && mkdir -p "$run"
  load=$(cut -d' ' -f1 /proc/loadavg)
  # shellcheck disable=SC2086  # four thresholds
  if (cd "$run" && /usr/bin/time -f '%e %U %S %M' -o "$scratch/time" timeout "$limit" "$bin" "$path" $thresholds \
        >/dev/null 2>&1); then
    read -r secs user sys kb < <(tail -n1 "$scratch/time")
    sum=$(cat "$run/quadri_concepts.txt" "$run/users_only.txt" | sha256sum | cut -c1-12)
    cpu=$(echo "$user + $sys" | bc)
    verdict=""
    [[ -n $expected && $sum != "$expected" ]] && verdict=" DIFFERS"
    printf '| %s %s | %s | %s | %d | %s | %s%s |\n' "$name" "$thresholds" "$secs" "$cpu" \
      "$((kb / 1024))" "$load" "$sum" "$verdict"
  else
    printf '| %s %s | > %s | - | - | %s | - |\n' "$name" "$thresholds" "$limit" "$load"
  fi
done <<'CASES'
year 1 1 1 1 141c76fc7218
year 1 2 1 1 22a66f89c199
month 1 1 1 1 9336d09a2d4c
year 2 1 1 1 521a168d39f4
synthetic-1000000 2 1 1 1 4b9788b26c05
dense-30000 2 1 1 1 764e8a288c54
dense-100000 2 1 1 1 ce73a21b30e5
communities-70000-1 2 1 1 1 902cc8f5d832
communities-70000-2 2 1 1 1 8a4787cc1921
communities-70000-3 2 1 1 1 37db78555203
communities-70000-4 2 1 1 1 28e9ea1b3ad8
communities-70000-5 2 1 1 1 039d22a55fb9
communities-70000-6 2 1 1 1 7a07fa17d73c
communities-70000-7 2 1 1 1 81152928526e
communities-100000-7 2 1 1 1
year-k2 2 1 1 1 de5a8f00cee9
year-k5 2 1 1 1 d8d31f1d010c
CASES
