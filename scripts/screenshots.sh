#!/usr/bin/env bash
# Renders the main window, the About box and a board filled with agents into docs/screenshots/ on a private X server.
#   scripts/screenshots.sh [build directory]     (default: build)
# Builds brevix-screenshots in the given build directory if needed, starts Xvfb on a free
# display number, renders, and stops the X server again, also when something fails.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$repo/build}"
output="$repo/docs/screenshots"

[[ -f "$build/CMakeCache.txt" ]] || cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j2 --target brevix-screenshots >/dev/null

xvfb_pid=""
workdir="$(mktemp -d)"
cleanup() {
    if [[ -n "$xvfb_pid" ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$workdir"
}
trap cleanup EXIT

# The first display number from 90 on that has neither a lock file nor a socket.
display=90
while [[ -e "/tmp/.X${display}-lock" || -e "/tmp/.X11-unix/X${display}" ]]; do
    display=$((display + 1))
done

Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$workdir/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
    [[ -e "/tmp/.X11-unix/X${display}" ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$workdir/xvfb.log" >&2; exit 1; }
    sleep 0.1
done

mkdir -p "$output"
# A scratch working directory holding the sample options file, which the main window reads.
cp "$repo/docs/sample/Brevix.ini" "$workdir/"
(cd "$workdir" && DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$build/tools/screenshots/brevix-screenshots" "$output")
