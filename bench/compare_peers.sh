#!/bin/bash
# Whole-command time and peak memory of `tabulo export` and `tabulo load` beside
# the reference peers (openpyxl + ezdxf scripts) on generated workbooks of a few
# sizes. Time is the best wall-clock time of RUNS runs (hyperfine's mean when it
# is installed); memory is the peak resident set size from /usr/bin/time.
#
# usage: bench/compare_peers.sh [TABULO]     (default: build/tabulo of this checkout)
# environment: SIZES="100x10 500x10 1000x20"  RUNS=3
#              PEERS=folder of peer_export.py and peer_load.py (default ../shared/bench)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
tabulo=$(realpath "${1:-$root/build/tabulo}")
python=/usr/bin/python3
peers=${PEERS:-$root/../shared/bench}
sizes=${SIZES:-100x10 500x10 1000x20}
runs=${RUNS:-3}

[[ -x $tabulo ]] || { echo "compare_peers: no tabulo program at $tabulo; build it first" >&2; exit 2; }
for peer in peer_export.py peer_load.py; do
  [[ -f $peers/$peer ]] || { echo "compare_peers: $peers/$peer is missing; set PEERS" >&2; exit 2; }
done
have_time=false; [[ -x /usr/bin/time ]] && have_time=true
have_hyperfine=false; command -v hyperfine >/dev/null && have_hyperfine=true
$have_time || echo "compare_peers: /usr/bin/time is missing; memory is not measured" >&2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# measure PREPARE COMMAND...: runs PREPARE (a shell line) before each run of
# COMMAND; sets `seconds` and `megabytes`. A failing command stops the script
# with its own messages.
measure() {
  local prepare=$1 best="" peak=0 i elapsed rss
  shift
  local -a timer=()
  $have_time && timer=(/usr/bin/time -f %M -o "$work/rss")
  for ((i = 0; i < runs; i++)); do
    eval "$prepare"
    local start=$EPOCHREALTIME
    if ! "${timer[@]}" "$@" >/dev/null 2>"$work/err"; then
      echo "compare_peers: failed: $*" >&2
      cat "$work/err" >&2
      exit 1
    fi
    elapsed=$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { print b - a }')
    rss=0
    if $have_time; then read -r rss <"$work/rss"; fi
    if [[ -z $best ]] || awk -v a="$elapsed" -v b="$best" 'BEGIN { exit !(a < b) }'; then
      best=$elapsed
    fi
    if ((rss > peak)); then peak=$rss; fi
  done
  if $have_hyperfine; then
    local quoted
    printf -v quoted '%q ' "$@"
    hyperfine --runs "$runs" --prepare "$prepare" --export-json "$work/h.json" "$quoted" \
      >/dev/null 2>&1
    best=$("$python" -c 'import json,sys; print(json.load(open(sys.argv[1]))["results"][0]["mean"])' \
      "$work/h.json")
  fi
  seconds=$(printf '%.3f' "$best")
  megabytes=$($have_time && echo $((peak / 1024)) || echo -)
}

# row SIZE JOB TABULO_SECONDS TABULO_MB: one line of the table, the peer's figures
# taken from the last measure.
row() {
  awk -v size="$1" -v job="$2" -v ts="$3" -v tm="$4" -v ps="$seconds" -v pm="$megabytes" \
    'BEGIN { printf "%-9s %-7s %9s %9s %6.1fx %10s %10s\n", size, job, ts, ps, ps / ts, tm, pm }'
}

printf '%-9s %-7s %9s %9s %7s %10s %10s\n' workbook job "tabulo s" "peer s" ratio "tabulo MB" "peer MB"
for size in $sizes; do
  rows=${size%x*} columns=${size#*x}
  book=$work/book-$size.xlsx
  "$python" "$here/make_workbook.py" "$rows" "$columns" "$book"

  measure "rm -f '$work/tabulo.dxf'" "$tabulo" export "$book" "$work/tabulo.dxf"
  t_s=$seconds t_mb=$megabytes
  measure "rm -f '$work/peer.dxf'" "$python" "$peers/peer_export.py" "$book" "$work/peer.dxf"
  row "$size" export "$t_s" "$t_mb"

  # Both load the drawing tabulo exported: the peer reads the same table data.
  measure "rm -f '$work/tabulo.xlsx'" "$tabulo" load "$work/tabulo.dxf" -o "$work/tabulo.xlsx"
  t_s=$seconds t_mb=$megabytes
  measure "rm -f '$work/peer.xlsx'" "$python" "$peers/peer_load.py" "$work/tabulo.dxf" "$work/peer.xlsx"
  row "$size" load "$t_s" "$t_mb"
done
echo "ratio: peer time / tabulo time (above 1: tabulo is faster). $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)."
