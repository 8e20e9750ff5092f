#!/usr/bin/env bash
# Measures the launcher's start on a private Xvfb display (1920x1080, no window manager): from
# the exec to its first mapped window (the logo) and to its main window, in a copy of the staged
# launcher with the staged game installed beside it (a later start: the logo plays at once) and
# a private home. The main window is due 4.25 s after the animation starts; what the start adds
# on top of that is the figure to watch; then its resident memory (VmRSS) idle, 2 s after the
# main window showed.
#   bench/launcher-start.sh [BUILD_DIR] [RUNS]    default build, 5 runs; prints each and the medians
set -euo pipefail
build=${1:-build}
runs=${2:-5}
launcher="$build/stage/Korvo Control Panel"
game="$build/stage/Korvo Game Components/Korvo's Zeltrix"
[ -x "$launcher/Korvo Control Panel.exe" ] || { echo "no staged launcher in '$launcher'" >&2; exit 1; }
[ -x "$game/Korvo's Zeltrix.exe" ] || { echo "no staged game in '$game'" >&2; exit 1; }

work=$(mktemp -d)
xvfb=""
pid=""
cleanup() {
    [ -z "$pid" ] || kill -KILL "$pid" 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
cp -a "$launcher" "$work/Korvo Control Panel"
mkdir -p "$work/Korvo Game Components" "$work/home" "$work/run"
cp -a "$game" "$work/Korvo Game Components/"
chmod 700 "$work/run"
exe="$work/Korvo Control Panel/Korvo Control Panel.exe"

# Without -noreset the server resets when its last client leaves and refuses one meanwhile.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
until [ -s "$work/display" ]; do sleep 0.05; done
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY

now() { date +%s%N; }
# xdotool reports a window that vanishes while it looks (Qt makes and drops some at start) on
# its standard output: only window ids count.
windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -E '^[0-9]+$' || true; }
main_shown() {
    xdotool search --all --onlyvisible --pid "$pid" --name '^Game Control Panel$' 2>/dev/null |
        grep -qE '^[0-9]+$'
}

logos=()
mains=()
idles=()
for run in $(seq "$runs"); do
    begin=$(now)
    (cd "$work" && exec env -u SDL_AUDIODRIVER -u QT_QPA_PLATFORM HOME="$work/home" \
        XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run" "$exe") \
        >"$work/launcher.log" 2>&1 &
    pid=$!
    until [ -n "$(windows)" ]; do sleep 0.005; done
    logo=$((($(now) - begin) / 1000000))
    for _ in $(seq 4000); do main_shown && break; sleep 0.005; done
    main_shown || { echo "no main window within 20 s" >&2; exit 1; }
    main=$((($(now) - begin) / 1000000))
    sleep 2
    idle=$(awk '/^VmRSS:/ {print int($2 / 1024)}' "/proc/$pid/status")
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null || true
    pid=""
    logos+=("$logo")
    mains+=("$main")
    idles+=("$idle")
    echo "run $run: logo $logo ms, main window $main ms (over the animation: $((main - 4250)) ms)," \
         "idle $idle MB"
done
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
logo=$(median "${logos[@]}")
main=$(median "${mains[@]}")
echo "median: logo $logo ms, main window $main ms, $((main - 4250)) ms over the 4.25 s animation;" \
     "resident memory idle $(median "${idles[@]}") MB"
