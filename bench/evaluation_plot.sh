#!/usr/bin/env bash
# Runs quadmine-evaluate on the year base split at 2010 (thresholds 2 1 1 1
# and 1 1 1 1) and draws precision and recall against the list length k for
# the five methods.
#   bench/evaluation_plot.sh   writes bench/results/evaluation_2111.tsv and
#                              evaluation_1111.tsv, draws
#                              bench/results/evaluation.png, prints the
#                              figures at k = 5, 10, 20 as a Markdown table
# Needs lastfm_year.txt in $QUADMINE_DATA_DIR (by default ../shared/data beside
# the repository), and gnuplot (installed if missing).
set -euo pipefail
cd "$(dirname "$0")/.."
data=${QUADMINE_DATA_DIR:-$(pwd)/../shared/data}
if ! command -v gnuplot >/dev/null; then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq gnuplot-nox >/dev/null
fi
bash .ci/install-deps build
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
mkdir -p bench/results
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

methods="first-seen support first-seen-new support-new popular-new"
for th in 2111 1111; do
  # shellcheck disable=SC2046  # the four thresholds, one digit each
  build/release/evaluate/quadmine-evaluate "$data/lastfm_year.txt" 2010 $(echo $th | sed 's/./& /g') \
    --k 1,2,3,5,10,20,50,100 --format tsv > "bench/results/evaluation_$th.tsv"
  for m in $methods; do
    awk -F'\t' -v m="$m" '$1 == m' "bench/results/evaluation_$th.tsv" > "$scratch/${th}_$m.dat"
  done
done

gnuplot <<PLOT
set terminal pngcairo size 1100,800
set output 'bench/results/evaluation.png'
set multiplot layout 2,2 title 'quadmine-evaluate: Last.fm year base, training d < 2010, test d >= 2010'
set logscale x
set xlabel 'k (list length)'
set grid
set key top right
methods = "$methods"
do for [th in "2111 1111"] {
  label = th eq "2111" ? "2 1 1 1" : "1 1 1 1"
  set title 'precision, thresholds '.label
  set ylabel 'precision'
  plot for [m in methods] '$scratch/'.th.'_'.m.'.dat' using 2:4 with linespoints title m
  set title 'recall, thresholds '.label
  set ylabel 'recall'
  plot for [m in methods] '$scratch/'.th.'_'.m.'.dat' using 2:5 with linespoints title m
}
unset multiplot
PLOT

echo "| thresholds | method | k | precision | recall | hit rate | coverage |"
echo "|---|---|---|---|---|---|---|"
for th in 2111 1111; do
  awk -F'\t' -v th="$(echo $th | sed 's/./& /g; s/ $//')" \
    'NR > 1 && ($2 == 5 || $2 == 10 || $2 == 20) {
       printf "| %s | %s | %d | %.4f | %.4f | %.4f | %.4f |\n", th, $1, $2, $4, $5, $6, $7 }' \
    "bench/results/evaluation_$th.tsv"
done
echo
echo "plot: bench/results/evaluation.png"
