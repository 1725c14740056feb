#!/usr/bin/env bash
# Start-up under Wine: from process start to the first window shown, for st_nubera.exe and
# for a bare Win32 window program of the same build settings, alternately in one run.
#   bench/wine_startup.sh [RUNS]   (after scripts/windows.sh build)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-10}"
export WINEDEBUG=-all WINEPREFIX="${WINEPREFIX:-$PWD/build-win/wineprefix}"
# Xvfb picks a free display itself and tells its number.
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$displayfile")"
rm -f "$displayfile"
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
sleep 1
# One server with its services and desktop for every sample, as a user's Windows has them
# running: a server stopped and started between samples made a sample meet it while it ended.
wineserver -k 2>/dev/null || true
wineserver -w
wineserver -p
wineboot >/dev/null 2>&1 || true
work=$(mktemp -d)
cp -r out/windows/. "$work"/
cp build-win/bare_window.exe "$work"/

shown_after() {  # milliseconds from start to a visible window of the program
  local exe=$1 start now
  start=$(date +%s%N)
  wine "$work/$exe" >/dev/null 2>&1 &
  local pid=$!
  until xdotool search --onlyvisible --class "$exe" >/dev/null 2>&1; do
    # A program that ended or never shows in 20 s is a failed sample, not a wait for ever.
    if ! kill -0 "$pid" 2>/dev/null || (($(date +%s%N) - start > 20000000000)); then
      echo "$exe showed no window" >&2
      exit 1
    fi
    sleep 0.01
  done
  now=$(date +%s%N)
  # The sample's own process (wine execs the program in it) ends before the next sample;
  # nothing else of that name is touched.
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo $(((now - start) / 1000000))
}

program=() bare=()
for _ in $(seq "$runs"); do
  program+=("$(shown_after st_nubera.exe)")
  bare+=("$(shown_after bare_window.exe)")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
p=$(median "${program[@]}") b=$(median "${bare[@]}")
echo "st_nubera.exe: median $p ms; bare window: median $b ms; ratio $(awk "BEGIN {printf \"%.2f\", $p / $b}") over $runs runs each"
rm -rf "$work"
