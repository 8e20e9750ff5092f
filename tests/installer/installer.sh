#!/usr/bin/env bash
# The installer programs on a private X server, driven by the keyboard as a user would.
#   bash installer.sh CASE COMPONENT_FILE UNINSTALLER
# uninstall:          installs the component into a scratch components directory, adds a user's
#                     file, runs the uninstaller with "CP", confirms with Enter: only the user's
#                     file and its folders remain, and the uninstaller and its desktop entry are
#                     gone.
# altered-component:  a component with one byte changed says why in its window, installs
#                     nothing, and ends with a non-zero status when Enter closes it.
source "$(dirname "$0")/../e2e/lib.sh"
CASE=$1
COMPONENT=$2
UNINSTALLER=$3
E2E_NAME="installer-$CASE"

for tool in Xvfb xdotool xprop import; do
    command -v "$tool" >/dev/null || fail "the tool '$tool' is not installed"
done
[ -f "$COMPONENT" ] || fail "no packed component '$COMPONENT' (build first)"
[ -x "$UNINSTALLER" ] || fail "no staged uninstaller '$UNINSTALLER' (build first)"
trap e2e_cleanup EXIT
trap 'exit 1' INT TERM
WORK=$(mktemp -d)
DIR="$WORK/Korvo Game Components"
GAME="$DIR/Korvo's Zeltrix"
mkdir -p "$DIR" "$WORK/home/.local/share/applications" "$WORK/run"
chmod 700 "$WORK/run"
start_x

# Starts a program of the scratch components directory with arguments, as the launcher does.
start_program() {
    (cd "$WORK" && exec env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY -u SESSION_MANAGER \
        HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" \
        XDG_DATA_HOME="$WORK/home/.local/share" XDG_RUNTIME_DIR="$WORK/run" "$@") \
        >"$WORK/game.log" 2>&1 &
    GAME_PID=$!
    say "started $(basename "$1") (pid $GAME_PID)"
}

# Only the component file in the components directory (the lock file aside).
expect_nothing_installed() {
    local left
    left=$(cd "$DIR" && find . -mindepth 1 ! -name korvo002.cmp ! -name .components.lock)
    [ -z "$left" ] || fail "left in the components directory: $left"
}

case $CASE in
uninstall)
    cp "$COMPONENT" "$DIR/korvo002.cmp"
    cp "$UNINSTALLER" "$DIR/uninstall components.exe"
    chmod +x "$DIR/korvo002.cmp"
    start_program "$DIR/korvo002.cmp" "$DIR"
    wait_exit
    [ "$GAME_STATUS" = 0 ] || fail "the installer ended with status $GAME_STATUS"
    [ -x "$GAME/Korvo's Zeltrix.exe" ] || fail "the game was not installed"
    [ -f "$GAME/installed files.txt" ] || fail "no manifest"
    say "ok: installed, status 0"
    rm "$DIR/korvo002.cmp"
    mkdir -p "$GAME/add/my levels"
    echo "mine" >"$GAME/add/my levels/level 10.txt"
    printf '[Desktop Entry]\nName=Korvo Game Components\nExec="%s" CP\n' \
        "$DIR/uninstall components.exe" >"$WORK/home/.local/share/applications/korvo-game-components.desktop"

    start_program "$DIR/uninstall components.exe" CP
    wait_title "Korvo's Game Components - Uninstall"
    say "ok: the uninstaller asks"
    [ -z "${SHOT_DIR:-}" ] || shot "$WIN" "$SHOT_DIR/uninstall-confirm.png"
    [ -d "$GAME/add" ] || fail "something was removed before the confirmation"
    press "$WIN" Return
    wait_exit
    [ "$GAME_STATUS" = 0 ] || fail "the uninstaller ended with status $GAME_STATUS"
    left=$(cd "$DIR" && find . -mindepth 1 ! -name .components.lock | sort | tr '\n' '|')
    expected="./Korvo's Zeltrix|./Korvo's Zeltrix/add|./Korvo's Zeltrix/add/my levels|./Korvo's Zeltrix/add/my levels/level 10.txt|"
    [ "$left" = "$expected" ] || fail "left after the removal: $left"
    [ ! -e "$WORK/home/.local/share/applications/korvo-game-components.desktop" ] ||
        fail "the desktop entry is still there"
    say "ok: only the user's file and its folders remain; the uninstaller and its entry are gone"
    ;;
altered-component)
    cp "$COMPONENT" "$DIR/korvo002.cmp"
    size=$(stat -c %s "$DIR/korvo002.cmp")
    printf '\x5a' | dd of="$DIR/korvo002.cmp" bs=1 seek=$((size / 2)) conv=notrunc 2>/dev/null
    chmod +x "$DIR/korvo002.cmp"
    start_program "$DIR/korvo002.cmp" "$DIR"
    wait_title "Korvo's Game Components Setup"
    for _ in $(seq 50); do
        grep -q "signature does not match" "$WORK/game.log" && break
        sleep 0.2
    done
    grep -q "signature does not match" "$WORK/game.log" || fail "the installer did not say why"
    say "ok: the installer says why in its window '$(title_of "$WIN")'"
    [ -z "${SHOT_DIR:-}" ] || shot "$WIN" "$SHOT_DIR/setup-altered.png"
    expect_nothing_installed
    press "$WIN" Return
    wait_exit
    [ "$GAME_STATUS" != 0 ] || fail "the installer ended with status 0"
    expect_nothing_installed
    say "ok: Enter closed it, status $GAME_STATUS, nothing installed"
    ;;
*)
    fail "unknown case '$CASE'"
    ;;
esac
