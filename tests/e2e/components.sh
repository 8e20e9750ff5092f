#!/usr/bin/env bash
# The staged launcher installing and removing games with the real installer and uninstaller, as
# a user meets it after `cmake --install`: a launcher folder and nothing beside it.
#   bash components.sh CASE STAGED_LAUNCHER_DIR [STAGED_ZELTRIX_DIR]
# first-start        the shipped installer runs in its own window while the logo waits hidden,
#                    even when it has to wait for another installation; the uninstaller, the
#                    uninstall entry and the desktop entry are made; then the logo plays and the
#                    main window shows Korvo's Zeltrix.
# later-start        with a game installed the logo shows at once and hands over after its 4.25 s.
# removal            after a first start (which makes the components folder), "Remove Games..."
#                    runs the uninstaller; once confirmed the game, the entries and the
#                    uninstaller are gone, the user's own file stays, and the main window comes
#                    back without the game.
# damaged-component  a shipped component with one byte changed is refused before it runs: the
#                    message, no installer, nothing made; then the logo and the main window.
# uninstaller-fails  an uninstaller that cannot start is reported and the window stays usable.
source "$(dirname "$0")/lib.sh"
CASE=$1
STAGED=$2
E2E_NAME="components-$CASE"

for tool in Xvfb xdotool xprop xwininfo import; do
    command -v "$tool" >/dev/null || fail "the tool '$tool' is not installed"
done
[ -x "$STAGED/Korvo Control Panel.exe" ] || fail "no staged launcher in '$STAGED' (build first)"
trap e2e_cleanup EXIT
trap 'exit 1' INT TERM
WORK=$(mktemp -d)
APP="$WORK/Korvo Control Panel"
DIR="$WORK/Korvo Game Components"
GAME="$DIR/Korvo's Zeltrix"
REGISTRY="$WORK/home/.config/Korvo/registry.ini"
DESKTOP_ENTRY="$WORK/home/.local/share/applications/korvo-game-components.desktop"
cp -a "$STAGED" "$APP" || fail "cannot copy the launcher"
mkdir -p "$WORK/home" "$WORK/run"
chmod 700 "$WORK/run"
EXE="$APP/Korvo Control Panel.exe"
start_x
start_accessibility

# Any visible window whose whole title matches the pattern $1, of any program; its id in WIN.
wait_any_title() {
    for _ in $(seq $((E2E_TIMEOUT * 20))); do
        WIN=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
        [ -n "$WIN" ] && return 0
        expect_alive "while waiting for the window '$1'"
        sleep 0.05
    done
    fail "no window titled '$1' within ${E2E_TIMEOUT}s"
}

any_title_shown() { [ -n "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)" ]; }

# The logo: the launcher's window without a frame, 362 x 103 pixels.
logo_window() {
    local w
    for w in $(game_windows); do
        xwininfo -id "$w" 2>/dev/null | grep -q 'Width: 362' && { echo "$w"; return 0; }
    done
    return 1
}

wait_logo() {
    for _ in $(seq $((E2E_TIMEOUT * 20))); do
        WIN=$(logo_window) && return 0
        expect_alive "while waiting for the logo"
        sleep 0.05
    done
    fail "no logo within ${E2E_TIMEOUT}s"
}

registry_has() { grep -qF "$1" "$REGISTRY" 2>/dev/null; }

# The first start up to the main window, with its checks. With "slow", the components folder is
# there already and another installation holds its lock for a few seconds, so that the installer
# waits in its window long enough to be seen, and the logo must wait for it.
first_start() {
    if [ "${1:-}" = slow ]; then
        mkdir "$DIR"
        flock "$DIR/.components.lock" sleep 4 &
        HELPER_PIDS="$HELPER_PIDS $!"
    else
        [ ! -e "$DIR" ] || fail "a components folder before the first start"
    fi
    start_game
    if [ "${1:-}" = slow ]; then
        # The installer names the game in its title once it has read it.
        wait_any_title "Korvo's (Game Components|Zeltrix) Setup"
        say "ok: the shipped installer runs in its own window"
        [ -n "${SHOTS:-}" ] && shot "$WIN" "$SHOTS/installer.png"
        logo_window >/dev/null && fail "the logo shows while the installer works"
        registry_has 'korvoscmpuninst\UninstallString' || fail "no uninstall entry in $REGISTRY"
        for _ in $(seq $((E2E_TIMEOUT * 5))); do
            any_title_shown "Korvo's (Game Components|Zeltrix) Setup" || break
            logo_window >/dev/null && fail "the logo shows while the installer's window is there"
            sleep 0.2
        done
    fi
    wait_logo
    say "ok: the logo plays once the installer has closed"
    [ -n "${SHOTS:-}" ] && { sleep 1.5; shot "$WIN" "$SHOTS/logo-mid.png"; sleep 1.5;
                             shot "$WIN" "$SHOTS/logo-end.png"; }
    wait_title "Game Control Panel"
    MAIN=$WIN
    wait_buttons "Korvo's Zeltrix|Other Games|"
    say "ok: the main window shows Korvo's Zeltrix installed"
    [ -x "$GAME/Korvo's Zeltrix.exe" ] || fail "the game's program file is missing"
    [ -x "$DIR/uninstall components.exe" ] || fail "the uninstaller was not copied"
    registry_has 'korvoscmpuninst\UninstallString' || fail "no uninstall entry in $REGISTRY"
    registry_has "$DIR/Uninstall Components.exe" || fail "the uninstall entry names another folder"
    grep -qF "Exec=\"$DIR/uninstall components.exe\"" "$DESKTOP_ENTRY" 2>/dev/null ||
        fail "no desktop entry that runs the uninstaller"
    say "ok: the components folder, the uninstaller and both entries are in place"
    [ -z "$(find "$DIR" -maxdepth 1 -iname '*.cmp')" ] || fail "a component is left in $DIR"
    [ -f "$APP/add/components.cmp" ] || fail "the shipped component is gone"
}

case $CASE in
first-start)
    first_start slow
    ;;
later-start)
    [ -d "${3:-}" ] || fail "no staged game given"
    mkdir -p "$DIR"
    cp -a "$3" "$DIR/"
    begin=$(date +%s%N)
    start_game
    wait_logo
    logo=$(( ($(date +%s%N) - begin) / 1000000 ))
    say "ok: the logo is on screen ${logo}ms after the start"
    any_title_shown "Korvo's .* Setup" && fail "an installer runs with a game installed"
    wait_title "Game Control Panel"
    main=$(( ($(date +%s%N) - begin) / 1000000 ))
    [ $((main - logo)) -ge 4000 ] || fail "the main window came $((main - logo))ms after the logo"
    logo_window >/dev/null && fail "the logo is still there beside the main window"
    say "ok: the main window follows ${main}ms after the start, the logo gone"
    wait_buttons "Korvo's Zeltrix|Other Games|"
    ;;
removal)
    first_start
    mkdir -p "$GAME/add/my levels"
    echo "mine" >"$GAME/add/my levels/level 10.txt"
    menu "$MAIN" alt+f r Return
    wait_any_title "Korvo's Game Components - Uninstall"
    say "ok: Remove Games... started the uninstaller"
    [ -n "${SHOTS:-}" ] && shot "$WIN" "$SHOTS/uninstaller.png"
    xdotool windowfocus --sync "$WIN" key --clearmodifiers Return
    for _ in $(seq $((E2E_TIMEOUT * 5))); do
        any_title_shown "Korvo's Game Components - Uninstall" || break
        sleep 0.2
    done
    any_title_shown "Korvo's Game Components - Uninstall" && fail "the uninstaller did not finish"
    wait_buttons "Installed Games|Korvo's Dravolt|Korvo's Flindo|Korvo's Mirvane|Korvo's Quentor|Korvo's Skelmo|Korvo's Tovash|Korvo's Tovash Pro|Korvo's Vorpa|Korvo's Wendrix|Korvo's Zeltrix|New Game|"
    say "ok: the main window came back with Korvo's Zeltrix among the other games"
    [ -n "${SHOTS:-}" ] && shot "$MAIN" "$SHOTS/after-removal.png"
    [ "$(cat "$GAME/add/my levels/level 10.txt")" = mine ] || fail "the user's file is gone"
    left=$(cd "$GAME" && find . -mindepth 1 | sort | tr '\n' ' ')
    [ "$left" = "./add ./add/my levels ./add/my levels/level 10.txt " ] ||
        fail "left in the game folder: $left"
    [ ! -e "$DIR/uninstall components.exe" ] || fail "the uninstaller stayed"
    registry_has korvoscmpuninst && fail "the uninstall entry stayed"
    [ ! -e "$DESKTOP_ENTRY" ] || fail "the desktop entry stayed"
    say "ok: only the user's file is left; the entries and the uninstaller are gone"
    menu "$MAIN" alt+f r Return
    wait_title "Korvo Control Panel"
    press "$WIN" Return
    say "ok: a second Remove Games... has nothing to remove"
    ;;
damaged-component)
    size=$(stat -c %s "$APP/add/components.cmp")
    printf 'X' | dd of="$APP/add/components.cmp" bs=1 seek=$((size / 2)) conv=notrunc 2>/dev/null
    start_game
    wait_title "Korvo Control Panel" # the message; the logo is hidden
    xwininfo -id "$WIN" | grep -q 'Width: 362' && fail "the logo shows instead of the message"
    any_title_shown "Korvo's .* Setup" && fail "the damaged installer runs"
    [ ! -e "$DIR" ] || fail "a components folder was made for a refused component"
    say "ok: the damaged component is refused before it runs"
    press "$WIN" Return
    wait_logo
    wait_title "Game Control Panel"
    say "ok: then the logo and the main window"
    [ -f "$APP/add/components.cmp" ] || fail "the shipped component was deleted"
    ;;
uninstaller-fails)
    [ -d "${3:-}" ] || fail "no staged game given"
    mkdir -p "$DIR"
    cp -a "$3" "$DIR/"
    echo "not a program" >"$DIR/uninstall components.exe"
    start_game
    wait_title "Game Control Panel"
    MAIN=$WIN
    menu "$MAIN" alt+f r Return
    wait_title "Korvo Control Panel"
    say "ok: the failed start is reported"
    press "$WIN" Return
    wait_title_gone "Korvo Control Panel"
    menu "$MAIN" alt+f
    say "ok: the main window takes input again"
    xdotool key Escape
    ;;
*)
    fail "unknown case '$CASE'"
    ;;
esac
expect_alive "at the end"
say "PASS"
