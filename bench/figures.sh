#!/usr/bin/env bash
# Prints the program's figures, measured side by side in one run under Xvfb:
# start-up to the first shown main window and peak memory (VmHWM), each against
# bench/emptywindow, a Qt Widgets program that shows one empty window; then the
# output of the benchmark programs bench_tick and bench_allpatches.
#
#   bench/figures.sh [starts per program, default 15]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
root=$PWD
runs=${1:-15}

[ -x build/bench/emptywindow/firstmap ] && [ -x build/src/pikvart ] || scripts/build.sh
cmake --build build -j4 >/dev/null

folder=$(mktemp -d)
xvfb_pid=""
finish() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$folder"
}
trap finish EXIT

# pikvart's working folder, as a user has it: the flasher and the patch folder.
prepare_run_folder "$folder"

start_xvfb "$folder"

# Memory is read 2 s after the window shows: the animation timers have ticked by then.
settle_ms=2000
measure() {   # program [arguments] -> "startup_ms peak_kb"
    (cd "$folder" && "$root/build/bench/emptywindow/firstmap" "$settle_ms" "$@" 2>/dev/null) |
        sed -E 's/startup_ms=([0-9.]+) peak_kb=([0-9]+)/\1 \2/'
}

# One start of each first, to warm the file cache; then both in turn, so that
# the machine's ups and downs fall on both alike.
measure "$root/build/bench/emptywindow/emptywindow" >/dev/null
measure "$root/build/src/pikvart" >/dev/null
: >"$folder/empty.txt"
: >"$folder/label.txt"
: >"$folder/pikvart.txt"
for _ in $(seq "$runs"); do
    measure "$root/build/bench/emptywindow/emptywindow" >>"$folder/empty.txt"
    measure "$root/build/bench/emptywindow/emptywindow" --label >>"$folder/label.txt"
    measure "$root/build/src/pikvart" >>"$folder/pikvart.txt"
done

median() {   # column file
    cut -d' ' -f"$1" "$2" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
empty_ms=$(median 1 "$folder/empty.txt")
pikvart_ms=$(median 1 "$folder/pikvart.txt")
empty_kb=$(median 2 "$folder/empty.txt")
pikvart_kb=$(median 2 "$folder/pikvart.txt")
label_ms=$(median 1 "$folder/label.txt")
label_kb=$(median 2 "$folder/label.txt")

echo "== Start-up and memory (median of $runs starts each, Xvfb, QT_QPA_PLATFORM=xcb)"
awk -v em="$empty_ms" -v pm="$pikvart_ms" -v ek="$empty_kb" -v pk="$pikvart_kb" \
    -v lm="$label_ms" -v lk="$label_kb" 'BEGIN {
    printf "%-36s %12s %12s %8s %14s %8s\n", "", "emptywindow", "pikvart", "ratio", "window+label", "ratio"
    printf "%-36s %12.1f %12.1f %8.2f %14.1f %8.2f\n", "start-up to first shown window, ms", em, pm, pm / em, lm, pm / lm
    printf "%-36s %12d %12d %8.2f %14d %8.2f\n", "peak memory (VmHWM), kB", ek, pk, pk / ek, lk, pk / lk
}'
echo "(window+label: the same empty window with one line of text, emptywindow --label)"
echo

for program in bench_tick bench_allpatches; do
    if [ -x "build/bench/$program" ]; then
        echo "== $program"
        (cd "$folder" && "$root/build/bench/$program")
        echo
    else
        echo "== $program: not built"
    fi
done

echo "== Machine"
echo "cpus: $(nproc), $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "memory: $(awk '/MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)"
echo "build: $(grep -m1 CMAKE_BUILD_TYPE build/CMakeCache.txt | cut -d= -f2), Qt $(qtpaths6 --qt-version 2>/dev/null || echo 6)"
