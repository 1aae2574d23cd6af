#!/usr/bin/env bash
# Measures whole runs phase by phase (bench/pipeline_bench.cpp) and draws how
# the time grows with the number of lines.
#   bench/scaling.sh            writes bench/results/pipeline.csv, prints a
#                               Markdown table, draws bench/results/scaling.png
# bench/results/before/ keeps the rows of an earlier program (the same table)
# for comparison; the plot draws them dashed.
# Needs the real bases in the folder QUADMINE_DATA_DIR (a CMake cache variable,
# by default ../shared/data beside the repository), and gnuplot (installed if
# missing).
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v gnuplot >/dev/null; then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq gnuplot-nox
fi
make bench >/dev/null
mkdir -p bench/results
build/bench/bench/pipeline_bench --benchmark_format=csv 2>/dev/null > bench/results/pipeline.csv

# One row per case: name, lines, then the phase seconds, total, concepts, memory.
awk -F, '
  NR == 1 { for (i = 1; i <= NF; ++i) { gsub(/"/, "", $i); col[$i] = i }; next }
  /^"/ {
    name = $1; gsub(/"/, "", name); sub(/\/iterations:1\/manual_time/, "", name)
    split(name, part, "/")
    n = part[1] == "plain" ? part[3] : part[2]
    lines = n == "all" ? 186479 : n
    printf "%s %s", name, lines
    split("load_s tag_s resource_s d_s report_s recommend_s propose_s", phases, " ")
    total = 0
    for (p = 1; p <= 7; ++p) { v = $col[phases[p]]; total += v; printf " %.3f", v }
    printf " %.3f %d %d %.0f\n", total, $col["loaded"], $col["reported"], $col["max_rss_mb"]
  }' bench/results/pipeline.csv > bench/results/pipeline.dat

echo "| case | lines | load | tag | resource | D | report | recommend | propose | total (s) | concepts loaded | reported | peak MB |"
echo "|---|---|---|---|---|---|---|---|---|---|---|---|---|"
awk '{ printf "| %s |", $1; for (i = 2; i <= NF; ++i) printf " %s |", $i; printf "\n" }' \
  bench/results/pipeline.dat

grep -E '^year/[0-9a-z]+/2111 ' bench/results/pipeline.dat > bench/results/year.dat
grep -E '^plain/year/' bench/results/pipeline.dat > bench/results/plain.dat
grep -E '^synthetic/' bench/results/pipeline.dat > bench/results/synthetic.dat
grep -E '^dense/' bench/results/pipeline.dat > bench/results/dense.dat
gnuplot <<'PLOT'
set terminal pngcairo size 900,600
set output 'bench/results/scaling.png'
set title 'quadmine: time of a whole run (thresholds 2 1 1 1)'
set xlabel 'lines of the base'
set ylabel 'seconds'
set logscale xy
set grid
set key top left
plot 'bench/results/year.dat' using 2:10 with linespoints lt 1 title 'Last.fm year, prefixes', \
     'bench/results/synthetic.dat' using 2:10 with linespoints lt 2 title 'synthetic', \
     'bench/results/dense.dat' using 2:10 with linespoints lt 4 title 'dense communities', \
     'bench/results/plain.dat' using 2:10 with linespoints lt 3 title 'Last.fm year, plain passes', \
     'bench/results/before/year.dat' using 2:10 with linespoints lt 1 dt 2 title 'Last.fm year, before', \
     'bench/results/before/synthetic.dat' using 2:10 with linespoints lt 2 dt 2 title 'synthetic, before'
PLOT
# How the work of the D pass grows on dense communities (bench/results/dense_pairs.dat, counted
# once with counters in the pass): pairs compared and pairs that build, against the concepts.
gnuplot <<'PLOT'
set terminal pngcairo size 900,600
set output 'bench/results/dense_pairs.png'
set title 'D pass on dense communities (2 1 1 1): pairs against concepts'
set xlabel 'concepts in the D pass'
set ylabel 'pairs (millions), processor seconds'
set logscale xy
set grid
set key top left
plot 'bench/results/dense_pairs.dat' using 2:($3/1e6) with linespoints title 'later concepts compared', \
     'bench/results/dense_pairs.dat' using 2:($4/1e6) with linespoints title 'pairs that build a candidate', \
     'bench/results/dense_pairs.dat' using 2:($5/1e6) with linespoints title 'candidates sent to the table', \
     'bench/results/dense_pairs.dat' using 2:8 with linespoints title 'processor seconds (whole run)'
PLOT
echo
echo "plots: bench/results/scaling.png, bench/results/dense_pairs.png"
