#!/usr/bin/env bash
# Measures the staged game on a private Xvfb display (1920x1080, no window manager), from a
# copy of the staged program folder with a private home, so nothing of the build changes.
#   bench/measure.sh startup [BUILD_DIR]  ms from exec to the first mapped window, of the game
#                                         and of the bare Qt program bench/BareStart by turns;
#                                         7 runs each, medians and their ratio
#   bench/measure.sh play [BUILD_DIR]     resident memory and CPU share over 10 s of Challenge 1
#                                         (SHOT=file.png keeps a screenshot of the end)
set -euo pipefail
mode=${1:?"usage: $0 startup|play [BUILD_DIR]"}
build=${2:-build}
staged="$build/stage/Korvo Game Components/Korvo's Zeltrix"
[ -x "$staged/Korvo's Zeltrix.exe" ] || { echo "no staged program in '$staged'" >&2; exit 1; }
bare="$PWD/$build/bench/BareStart"
[ "$mode" != startup ] || [ -x "$bare" ] || { echo "no $bare (build with KORVO_BENCH)" >&2; exit 1; }

work=$(mktemp -d)
xvfb=""
game=""
# SDL turns SIGTERM into a quit event that nobody reads: the game is killed outright.
cleanup() {
    [ -z "$game" ] || kill -KILL "$game" 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
cp -a "$staged" "$work/game"
mkdir -p "$work/home" "$work/run"
chmod 700 "$work/run"
exe="$work/game/Korvo's Zeltrix.exe"

# Xvfb picks a free display itself and names it once it accepts clients. Without -noreset it
# resets whenever its last client leaves and refuses a program that connects meanwhile.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
until [ -s "$work/display" ]; do sleep 0.05; done
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY

now() { date +%s%N; }
# start_game [PROGRAM]: the staged game unless another program is named.
start_game() {
    (cd "$work" && exec env -u SDL_AUDIODRIVER -u QT_QPA_PLATFORM HOME="$work/home" \
        XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run" "${1:-$exe}") \
        >"$work/game.log" 2>&1 &
    game=$!
}
stop_game() {
    kill -KILL "$game"
    wait "$game" 2>/dev/null || true
    game=""
}
windows() { xdotool search --onlyvisible --pid "$game" 2>/dev/null || true; }
# Waits up to 20 s for a visible window of the game titled $1 and prints its id.
wait_title() {
    local w
    for _ in $(seq 400); do
        for w in $(windows); do
            [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ] && { echo "$w"; return; }
        done
        sleep 0.05
    done
    echo "no window titled '$1'" >&2
    exit 1
}
press() {
    xdotool windowfocus --sync "$1"
    xdotool key --clearmodifiers "${@:2}"
}

case $mode in
startup)
    # Until the first mapped window, in ms.
    first_window() {
        local begin
        begin=$(now)
        start_game "$1"
        until [ -n "$(windows)" ]; do
            kill -0 "$game" 2>/dev/null || { echo "$1 ended before its first window" >&2; exit 1; }
            sleep 0.005
        done
        echo $((($(now) - begin) / 1000000))
        stop_game
    }
    median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
    game_times=()
    bare_times=()
    for run in 1 2 3 4 5 6 7; do
        game_times+=("$(first_window "$exe")")
        bare_times+=("$(first_window "$bare")")
        echo "run $run: game ${game_times[-1]} ms, bare Qt ${bare_times[-1]} ms"
    done
    g=$(median "${game_times[@]}")
    b=$(median "${bare_times[@]}")
    echo "start-up to the first mapped window: game median $g ms, bare Qt median $b ms"
    awk -v g="$g" -v b="$b" 'BEGIN { printf "ratio game / bare Qt: %.2f\n", g / b }'
    ;;
play)
    box="    " # the game's message box has a title of four blanks
    start_game
    until [ -n "$(windows)" ]; do sleep 0.05; done
    press "$(windows | head -n 1)" space
    main=$(wait_title "Korvo's Zeltrix  V2.1.0")
    press "$main" alt+g
    sleep 0.5
    xdotool key n
    sleep 0.5
    xdotool key 1
    press "$(wait_title "$box")" Return
    sleep 1

    tick=$(getconf CLK_TCK)
    cpu() { sed 's/.*) //' "/proc/$game/stat" | awk '{print $12 + $13}'; }
    rss() { awk '/^VmRSS:/ {print $2}' "/proc/$game/status"; }
    begin=$(now)
    used=$(cpu)
    peak=0
    squashed=0
    while [ $(($(now) - begin)) -lt 10000000000 ]; do
        sleep 0.2
        peak=$(($(rss) > peak ? $(rss) : peak))
        # A Comeq that lands on the robot puts up a message box and then the level's: close
        # them and play on.
        for w in $(windows); do
            if [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$box" ]; then
                press "$w" Return
                squashed=$((squashed + 1))
            fi
        done
    done
    used=$(($(cpu) - used))
    elapsed=$(($(now) - begin))
    [ -z "${SHOT:-}" ] || import -window root "$SHOT"
    echo "resident memory: $(($(rss) / 1024)) MB at the end, peak $((peak / 1024)) MB"
    awk -v t="$used" -v hz="$tick" -v ns="$elapsed" -v s="$squashed" 'BEGIN {
        printf "CPU: %.1f %% of a core over %.1f s of play (%d message boxes closed)\n",
               100 * t / hz / (ns / 1e9), ns / 1e9, s }'
    ;;
*)
    echo "unknown mode '$mode'" >&2
    exit 2
    ;;
esac
