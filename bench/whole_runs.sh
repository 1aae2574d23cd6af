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
# ../shared/data beside the repository); the dense and synthetic bases are generated into a scratch
# folder with build/bench/bench/make_base (make bench).
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
  esac
}

echo "| case | seconds | cpu seconds | peak MB | load | sha256 |"
echo "|---|---|---|---|---|---|"
while read -r name thresholds; do
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
    printf '| %s %s | %s | %s | %d | %s | %s |\n' "$name" "$thresholds" "$secs" "$cpu" \
      "$((kb / 1024))" "$load" "$sum"
  else
    printf '| %s %s | > %s | - | - | %s | - |\n' "$name" "$thresholds" "$limit" "$load"
  fi
done <<'CASES'
year 1 1 1 1
year 1 2 1 1
month 1 1 1 1
year 2 1 1 1
synthetic-1000000 2 1 1 1
dense-30000 2 1 1 1
dense-100000 2 1 1 1
CASES
