#!/usr/bin/env bash
# The staged launcher with the staged game beside it: it shows Korvo's Zeltrix installed; a click
# starts the real game; the launcher's window goes while the game runs and comes back within a
# second of the game's end. The buttons are found by their names over the accessibility bus.
#   bash launcher.sh STAGED_LAUNCHER_DIR STAGED_ZELTRIX_DIR GAME_TITLE
source "$(dirname "$0")/lib.sh"
ATSPI="/usr/bin/python3 $E2E_DIR/atspi.py"
MAIN_TITLE=$3

[ -x "$1/Korvo Control Panel.exe" ] || fail "no staged launcher in '$1' (build first)"
[ -x "$2/Korvo's Zeltrix.exe" ] || fail "no staged game in '$2' (build first)"
trap e2e_cleanup EXIT
trap 'exit 1' INT TERM
WORK=$(mktemp -d)
cp -a "$1" "$WORK/Korvo Control Panel" || fail "cannot copy the launcher"
mkdir "$WORK/Korvo Game Components"
cp -a "$2" "$WORK/Korvo Game Components/" || fail "cannot copy the game"
mkdir -p "$WORK/home" "$WORK/run"
chmod 700 "$WORK/run"
start_x
start_accessibility

EXE="$WORK/Korvo Control Panel/Korvo Control Panel.exe"
start_game
LAUNCHER_PID=$GAME_PID
HELPER_PIDS="$HELPER_PIDS $LAUNCHER_PID" # also when the game's pid stands in GAME_PID
wait_title "Game Control Panel"
LAUNCHER=$WIN
say "ok: the launcher opened its window"

wait_buttons "Korvo's Zeltrix|Other Games|"
say "ok: it shows Korvo's Zeltrix installed, and the switch to the other games"

read -r x y < <($ATSPI "Korvo Control Panel" where "Korvo's Zeltrix") ||
    fail "the button Korvo's Zeltrix has no place on the screen"
xdotool mousemove "$x" "$y" click 1

# The game: its first window is the intro, untitled.
GAME_PID=""
for _ in $(seq $((E2E_TIMEOUT * 5))); do
    for w in $(xdotool search --onlyvisible --classname "Korvo's Zeltrix.exe" 2>/dev/null); do
        GAME_PID=$(xdotool getwindowpid "$w" 2>/dev/null) && break 2
    done
    sleep 0.2
done
[ -n "$GAME_PID" ] || fail "no window of the game within ${E2E_TIMEOUT}s of the click"
say "ok: the click started the game (pid $GAME_PID)"

launcher_shown() { xdotool search --onlyvisible --pid "$LAUNCHER_PID" --name '^Game Control Panel$' >/dev/null 2>&1; }
for _ in $(seq 20); do launcher_shown || break; sleep 0.1; done
launcher_shown && fail "the launcher's window is still there 2s after the game started"
say "ok: the launcher's window went away"
# Well past the launcher's first look for the game (1.5s), the intro still plays: the launcher
# must keep waiting.
sleep 2.5
launcher_shown && fail "the launcher came back while the game's intro was playing"
say "ok: the launcher keeps waiting while the game runs"

skip_intro
say "ok: the game's window '$MAIN_TITLE' is open"
launcher_shown && fail "the launcher came back while the game's window was open"
# The game is the launcher's child, not ours: its end is watched, not waited for.
menu "$MAIN" alt+g e
for _ in $(seq $((E2E_TIMEOUT * 20))); do game_alive || break; sleep 0.05; done
game_alive && fail "the game is still running ${E2E_TIMEOUT}s after Exit"
gone=$(date +%s%N)
say "ok: Exit ended the game"
GAME_PID=$LAUNCHER_PID
for _ in $(seq 30); do launcher_shown && break; sleep 0.1; done
launcher_shown || fail "the launcher did not come back within 3s of the game's end"
back=$(( ($(date +%s%N) - gone) / 1000000 ))
[ "$back" -le 1000 ] || fail "the launcher came back ${back}ms after the game's end, not within a second"
say "ok: the launcher came back ${back}ms after the game's end"
expect_alive "after the game"
say "PASS"
