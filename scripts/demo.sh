#!/usr/bin/env bash
# The main job: builds Brevix, starts the bundled Tavrel simulator on 127.0.0.1 with about
# sixty agents, and runs the board against it with colours on and Start already pressed.
# The simulator stops when the board is closed. Without a display the same runs under Xvfb
# for a few seconds and leaves a screenshot of the live board.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh

build=$root/build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBREVIX_TESTS=OFF \
  -DBREVIX_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target brevix tavrel-sim

work=$root/build/demo
mkdir -p "$work"
cp docs/sample/Brevix.ini "$work/"

sim_pid="" board_pid="" xvfb_pid=""
stop() {
  for pid in $board_pid $sim_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
}
trap stop EXIT

"$build/tools/tavrel-sim/tavrel-sim" --host 127.0.0.1 --port 0 --agents 60 --rate 25 \
  >"$work/tavrel-sim.out" 2>"$work/tavrel-sim.err" &
sim_pid=$!
port=""
for _ in $(seq 100); do
  port=$(sed -n 's/^listening 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$work/tavrel-sim.out")
  [ -n "$port" ] && break
  kill -0 "$sim_pid" 2>/dev/null || { cat "$work/tavrel-sim.err" >&2; exit 1; }
  sleep 0.1
done
[ -n "$port" ] || { echo "tavrel-sim did not start" >&2; exit 1; }
echo "tavrel-sim: 60 agents on 127.0.0.1:$port"

board=("$build/src/app/brevix" -host127.0.0.1 "-port$port" -colors)

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "brevix: close the window (Exit) to end the demo"
  (cd "$work" && BREVIX_PRESS_START=1 "${board[@]}")
  exit 0
fi

# No display: a private X server, a few seconds of live traffic, then a picture.
display=90
while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do
  display=$((display + 1))
done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X${display}" ] && break
  sleep 0.1
done

(cd "$work" && DISPLAY=":$display" BREVIX_PRESS_START=1 exec "${board[@]}") \
  >"$work/brevix.log" 2>&1 &
board_pid=$!
sleep 8
window=$(DISPLAY=":$display" xwininfo -root -tree | awk '/"Brevix v1.0.0.1/ {print $1; exit}')
picture=$work/board-live.png
DISPLAY=":$display" import -window "${window:-root}" "$picture"
echo "brevix ran under Xvfb for 8 s against tavrel-sim; the live board: $picture"
