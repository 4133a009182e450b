#!/usr/bin/env bash
# Start-up cost of the editor under Xvfb with openbox: milliseconds from the
# process start until its first window is mapped (the splash) and until the
# main window is mapped, and the peak resident memory of a run in which the
# preview pane is never opened. Usage: bench/startup.sh [path/to/mivor] [runs]
set -euo pipefail

BIN=${1:-build/src/mivor}
RUNS=${2:-5}
BIN=$(readlink -f "$BIN")

inner() {
    openbox --sm-disable >/dev/null 2>&1 &
    local wm=$!
    sleep 1
    local home
    home=$(mktemp -d)
    for i in $(seq "$RUNS"); do
        local t0 first="" main=""
        t0=$(date +%s%N)
        XDG_CONFIG_HOME=$home /usr/bin/time -f "%M" -o "$home/rss" "$BIN" >/dev/null 2>&1 &
        local pid=$!
        while [ -z "$main" ]; do
            local now
            now=$(date +%s%N)
            if [ -z "$first" ] && xdotool search --onlyvisible --pid "$(pgrep -P $pid || echo 0)" >/dev/null 2>&1; then
                first=$(( (now - t0) / 1000000 ))
            fi
            if xdotool search --onlyvisible --name '^Mivor 2.0$' >/dev/null 2>&1; then
                main=$(( (now - t0) / 1000000 ))
            fi
            sleep 0.01
        done
        sleep 2
        xdotool search --onlyvisible --name '^Mivor 2.0$' windowclose >/dev/null 2>&1 || true
        local child
        child=$(pgrep -P $pid || true)
        [ -n "$child" ] && kill "$child" 2>/dev/null || true
        wait $pid 2>/dev/null || true
        echo "run $i: first window ${first:-?} ms, main window ${main} ms (splash 4000 ms included), peak RSS $(tail -1 "$home/rss") KiB"
    done
    kill $wm 2>/dev/null || true
    rm -rf "$home"
}

xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "BIN='$BIN' RUNS='$RUNS'; $(declare -f inner); inner"
