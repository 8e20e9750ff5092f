#!/usr/bin/env bash
# Runs a test on a private X server, with --wm under the openbox window manager, so that tests
# that need real windows of several processes run beside everything else.
#   bash private-x.sh [--wm] -- COMMAND [ARGS...]
set -u
wm=0
if [ "${1:-}" = --wm ]; then wm=1; shift; fi
if [ "${1:-}" = -- ]; then shift; fi
command -v Xvfb >/dev/null || { echo "SKIP: Xvfb is not installed"; exit 77; }
work=$(mktemp -d)
xpid=""
wmpid=""
cleanup() {
    [ -n "$wmpid" ] && kill "$wmpid" 2>/dev/null
    [ -n "$xpid" ] && kill "$xpid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# Xvfb picks a free display itself and reports it once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
xpid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xpid" 2>/dev/null || { echo "Xvfb did not start: $(cat "$work/xvfb.log")"; exit 1; }
    sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb reported no display"; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"

if [ "$wm" = 1 ]; then
    command -v openbox >/dev/null || { echo "SKIP: openbox is not installed"; exit 77; }
    HOME="$work" openbox --sm-disable >"$work/openbox.log" 2>&1 &
    wmpid=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
        { echo "openbox did not start: $(cat "$work/openbox.log")"; exit 1; }
fi

mkdir -m 700 "$work/run"
env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb HOME="$work" XDG_RUNTIME_DIR="$work/run" \
    SDL_AUDIODRIVER=dummy "$@"
