#!/usr/bin/env bash
# Builds a Release build in build-bench (with the benchmarks: BRENMOOR_EXTRAS) and measures the
# program against the floor (a bare Qt Widgets program with a comparable window), the two
# alternating, then prints a table of the figures, the goals and whether each is met. The floor also
# runs drawn in the window's own Chinese faces ("faces"), which shows what the faces cost by
# themselves; the goals are judged against the plain floor.
#   start-up until the window is first painted and resident memory, under Xvfb (xcb) and offscreen;
#   CPU while left alone with the clock running (window focused and not), under Xvfb;
#   how late after each second's boundary the clock line changes (offscreen and xcb).
# Tunable: RUNS (quick start-up rounds per platform, 10), IDLE_RUNS (idle rounds, 5),
# IDLE_SECONDS (20), CLOCK_SECONDS (30).
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${RUNS:-10}
IDLE_RUNS=${IDLE_RUNS:-5}
IDLE_SECONDS=${IDLE_SECONDS:-20}
CLOCK_SECONDS=${CLOCK_SECONDS:-30}
build=build-bench

bash tools/deps.sh
if ! pkg-config --exists xcb-damage; then
    echo "bench/run.sh needs libxcb-damage0-dev (apt-get install libxcb-damage0-dev)" >&2
    exit 1
fi
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBRENMOOR_EXTRAS=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target Quillet QuilletFloor BenchLauncher benchfirstpaint bench_clock_latency

product=$build/src/Quillet
floor=$build/bench/QuilletFloor
launcher=$build/bench/BenchLauncher

# Stale font caches make the first start-up scan the font files, which is not what is measured here.
fc-cache || echo "fc-cache failed: the font caches may be stale" >&2
fonts=$(fc-list | wc -l)
echo "fonts installed: $fonts"

scratch=$(mktemp -d)
xvfb_pid=""
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

# A user's history of eight entries, in the file's own encoding, beside the executable.
for k in 1 2 3 4; do
    printf '2013/1/2%d(星期三)的100天之后是：2013/5/3(星期五)\r\n' "$k"
    printf '2013/1/2%d(星期三)与2013/5/3(星期五)相差（100）天\r\n' "$k"
done | iconv -f UTF-8 -t GBK >"$(dirname "$product")/Quillet.log"

# Xvfb picks a free display itself and tells its number.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
[ -s "$scratch/display" ] || { echo "Xvfb did not start:" >&2; cat "$scratch/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(cat "$scratch/display")"

results=$scratch/results
load_before=$(uptime)
# measure PLATFORM ROUND "PROGRAMS" EXTRA-LAUNCHER-OPTIONS...: the programs named (product, floor,
# faces), their order turned every round.
measure() {
    local platform=$1 round=$2
    local -a named
    read -r -a named <<<"$3"
    shift 3
    local order=() i
    for ((i = 0; i < ${#named[@]}; i++)); do order+=("${named[(i + round) % ${#named[@]}]}"); done
    for which in "${order[@]}"; do
        local command=("$product") title=Brenmoor
        [ "$which" = floor ] && command=("$floor") title=Floor
        [ "$which" = faces ] && command=("$floor" --window-faces) title=Floor
        local line
        if line=$("$launcher" --platform "$platform" --title "$title" "$@" -- "${command[@]}"); then
            echo "platform=$platform program=$which $line" >>"$results"
        else
            echo "  ($which on $platform failed in round $round: left out)" >&2
        fi
        sleep 0.3
    done
}

echo "start-up rounds under Xvfb ($DISPLAY) and offscreen: $RUNS each"
for round in $(seq "$RUNS"); do
    measure xcb "$round" "product floor faces" --idle-s 0
    measure offscreen "$round" "product floor faces" --idle-s 0
done
echo "idle rounds under Xvfb: $IDLE_RUNS of 2 × ${IDLE_SECONDS} s per program"
for round in $(seq "$IDLE_RUNS"); do
    measure xcb "$round" "product floor" --unfocused-idle-s "$IDLE_SECONDS" --idle-s "$IDLE_SECONDS" --server-pid "$xvfb_pid"
done
echo "clock line: ${CLOCK_SECONDS} s offscreen, ${CLOCK_SECONDS} s under Xvfb"
mkdir -m 700 "$scratch/runtime"
for platform in offscreen xcb; do
    if line=$(XDG_RUNTIME_DIR=$scratch/runtime QT_QPA_PLATFORM=$platform "$build/bench/bench_clock_latency" "$CLOCK_SECONDS"); then
        echo "platform=$platform program=clock $line" >>"$results"
    else
        echo "  (clock line on $platform failed: left out)" >&2
    fi
done
load_after=$(uptime)

python3 bench/summarize.py "$results" "$load_before" "$load_after" "$fonts"
