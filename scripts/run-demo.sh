#!/usr/bin/env bash
# Starts the demo: the replayed GPS receiver and CAN2COM adapter on pseudo-terminals
# (<build>/demo/gps.tty and can.tty, the COM1 and COM2 of the demo's Rovana.ini), then
# Rovana in <build>/demo. The feeds stop when Rovana exits. Arguments after the build
# directory go to Rovana.
set -euo pipefail
build=${1:-build}
shift || true
demo="$build/demo"
feed="$build/tools/rovana-feed"
[ -x "$demo/rovana" ] || { echo "run-demo: stage $demo first (make build)" >&2; exit 1; }
[ -x "$feed" ] || { echo "run-demo: $feed is missing" >&2; exit 1; }

pids=()
stop_feeds() {
    for pid in "${pids[@]}"; do
        kill -TERM "$pid" 2>/dev/null || true
    done
    for pid in "${pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
}
trap stop_feeds EXIT
trap 'exit 130' INT TERM

# Links left by feeds that were killed would look ready before the new feeds are.
for link in "$demo/gps.tty" "$demo/can.tty"; do
    if [ -L "$link" ]; then rm -f "$link"; fi
done
"$feed" gps "$demo/feed/gps.log" "$demo/gps.tty" &
pids+=($!)
"$feed" can "$demo/feed/can.log" "$demo/can.tty" &
pids+=($!)

# Rovana opens the GPS line once at start: wait until both links are there.
for _ in $(seq 100); do
    [ -L "$demo/gps.tty" ] && [ -L "$demo/can.tty" ] && break
    sleep 0.05
done
[ -L "$demo/gps.tty" ] && [ -L "$demo/can.tty" ] || { echo "run-demo: the feeds did not start" >&2; exit 1; }

(cd "$demo" && ./rovana "$@")
