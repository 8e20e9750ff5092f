# shellcheck shell=bash disable=SC2034  # ADD, MAIN and the like are for the scripts that source it
# Shared helpers of the end-to-end tests, sourced by each script: a private X server, a private
# copy of the staged game, and a player's hands (xdotool). Each script runs in its own temporary
# folder and display, so the scripts run in any order and in parallel.
#
#   e2e_begin [TOOL...]             check the tools, make the temporary folder; undone on exit
#   e2e_setup STAGED_ZELTRIX_DIR   copy the game, start Xvfb; everything is undone on exit
#   start_game [PREFIX...]          start the copied program (PREFIX e.g. setpriv ... for another user)
#   wait_title TITLE                waits for a visible window titled exactly TITLE; its id in WIN
#   press WINDOW KEY...             focus WINDOW and type the keys
#   menu WINDOW KEY...              open a menu with the first key and walk it with the others
#   wait_exit                       wait for the program to end; its status in GAME_STATUS
#   start_accessibility             a private session bus with an accessibility bus
#   wait_buttons EXPECTED           waits until the launcher shows exactly these buttons
#   wait_any_title PATTERN          waits for a visible window of any program titled so
#   dialog WINDOW TITLE KEY...      a window from the menu, closed with Enter
#   first_start_windows             the setup window, then the launcher's logo
#   start_wm                        openbox on the private X server, once it manages windows

set -u

E2E_TIMEOUT=${E2E_TIMEOUT:-20} # seconds to wait for a window or the program's end
E2E_NAME=$(basename "$0" .sh)
WORK=""
WIN="" # the window the last wait_* found
XVFB_PID=""
GAME_PID=""
HELPER_PIDS="" # helpers a script started (buses), stopped at the end
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

say() { echo "[$E2E_NAME] $*"; }

# poll SECONDS COMMAND...: runs the command every 0.2 s until it succeeds; false after SECONDS.
poll() {
    local seconds=$1
    shift
    for _ in $(seq $((seconds * 5))); do
        "$@" && return 0
        sleep 0.2
    done
    return 1
}

# Fails with the screen, the program's output and the X server's output.
fail() {
    echo "[$E2E_NAME] FAIL: $*" >&2
    if [ -n "$XVFB_PID" ] && import -window root "$PWD/$E2E_NAME-failure.png" 2>/dev/null; then
        echo "[$E2E_NAME] screen saved to $PWD/$E2E_NAME-failure.png" >&2
    fi
    [ -z "$WORK" ] || grep -hv '^ALSA lib' "$WORK/game.log" "$WORK/xvfb.log" 2>/dev/null |
        tail -n 30 >&2
    exit 1
}

# Runs a helper (a bus, a server, a window of another program) in the background; it is
# stopped at the end, and its process id is the last word of HELPER_PIDS.
helper() {
    "$@" &
    HELPER_PIDS="$HELPER_PIDS $!"
}

skip() { echo "[$E2E_NAME] SKIP: $*"; exit 77; } # 77: the tests' SKIP_RETURN_CODE

# need fail|skip TOOL...: fails, or skips, when a tool is not installed.
need() {
    for tool in "${@:2}"; do
        command -v "$tool" >/dev/null || "$1" "the tool '$tool' is not installed"
    done
}

e2e_cleanup() {
    [ "$BASHPID" = "$$" ] || return 0
    # shellcheck disable=SC2086  # one word for each helper
    [ -z "$HELPER_PIDS" ] || kill $HELPER_PIDS 2>/dev/null
    # The program first gets the chance to end as when a session ends.
    [ -z "$GAME_PID" ] || ! kill "$GAME_PID" 2>/dev/null || poll 4 eval '! game_alive' ||
        kill -9 "$GAME_PID" 2>/dev/null
    [ -z "$XVFB_PID" ] || { kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; }
    [ -z "$WORK" ] || { chmod -R u+w "$WORK"; rm -rf "$WORK"; } 2>/dev/null # add/ may be read-only
}

# Checks the tools and makes a fresh temporary folder with a home and a runtime folder.
e2e_begin() {
    need fail Xvfb xdotool xprop xwininfo import "$@"
    trap e2e_cleanup EXIT
    trap 'exit 1' INT TERM
    WORK=$(mktemp -d)
    mkdir -p "$WORK/home" "$WORK/run"
    chmod 700 "$WORK/run"
}

# Copies the staged program folder into a fresh temporary folder and starts a private X server.
e2e_setup() {
    [ -x "$1/Korvo's Zeltrix.exe" ] || fail "no staged program in '$1' (build first)"
    e2e_begin compare identify
    GAME_DIR="$WORK/Korvo's Zeltrix"
    ADD="$GAME_DIR/add"
    EXE="$GAME_DIR/Korvo's Zeltrix.exe"
    cp -a "$1" "$GAME_DIR" || fail "cannot copy '$1'"
    start_x
}

# Xvfb picks a free display number itself and reports it once it accepts clients. Without
# -noreset it resets whenever its last client leaves and refuses a program that connects meanwhile.
# Servers in private networks all take :0, and two that compile their keymap at the same moment
# share its file: the one that loses ends at once, and is started again.
start_x() {
    for _ in 1 2 3; do
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$WORK/display" \
            >"$WORK/xvfb.log" 2>&1 &
        XVFB_PID=$!
        poll "$E2E_TIMEOUT" eval '[ -s "$WORK/display" ] || ! kill -0 "$XVFB_PID" 2>/dev/null'
        kill -0 "$XVFB_PID" 2>/dev/null && break
    done
    [ -s "$WORK/display" ] || fail "Xvfb reported no display: $(cat "$WORK/xvfb.log")"
    DISPLAY=":$(head -n 1 "$WORK/display")"
    export DISPLAY
    say "private X server on $DISPLAY"
}

# openbox claims the screen some time before it manages windows, and a window mapped in between
# can stay unmapped for good. Probe windows are tried until one is managed.
start_wm() {
    need skip openbox xmessage
    helper env HOME="$WORK/home" openbox --sm-disable >"$WORK/openbox.log" 2>&1
    local probe managed=""
    for _ in $(seq 10); do
        xmessage probe >/dev/null 2>&1 &
        probe=$!
        poll 2 eval 'xprop -root _NET_CLIENT_LIST | grep -q 0x' 2>/dev/null && managed=1
        kill "$probe" && wait "$probe" 2>/dev/null
        [ -z "$managed" ] || return 0
    done
    fail "openbox did not start: $(cat "$WORK/openbox.log")"
}

# Starts the copied program from the temporary folder, with SDL's own sound device discovery.
# Arguments, if any, are a command that runs the program (for example as another user).
# shellcheck disable=SC2120
start_game() {
    (cd "$WORK" && exec env -u SDL_AUDIODRIVER -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY \
        -u SESSION_MANAGER -u XDG_DATA_HOME HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" \
        XDG_RUNTIME_DIR="$WORK/run" "$@" "$EXE") >"$WORK/game.log" 2>&1 &
    GAME_PID=$!
    say "started the program (pid $GAME_PID)"
}

game_alive() {
    [ -e "/proc/$GAME_PID" ] && [ "$(awk '{print $3}' "/proc/$GAME_PID/stat" 2>/dev/null)" != Z ]
}

expect_alive() {
    game_alive || { wait "$GAME_PID"; fail "the program ended unexpectedly (status $?) $*"; }
}

# Visible top-level windows of the program, in stacking order; what xwininfo says of them.
game_windows() { xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null; }
windows_info() { game_windows | xargs -rn1 xwininfo -id 2>/dev/null; }

# The title as a window manager shows it (_NET_WM_NAME, else WM_NAME).
title_of() { xdotool getwindowname "$1" 2>/dev/null; }

find_title() {
    local w
    for w in $(game_windows); do
        [ "$(title_of "$w")" = "$1" ] && echo "$w" && return 0
    done
    return 1
}

# A visible window titled exactly $1, its id in WIN; the program must be alive meanwhile.
titled() { expect_alive "while waiting for the window '$1'" && WIN=$(find_title "$1"); }
untitled() { ! find_title "$1" >/dev/null; }
wait_title() { poll "$E2E_TIMEOUT" titled "$1" || fail "no window titled '$1' within ${E2E_TIMEOUT}s"; }
wait_title_gone() { poll "$E2E_TIMEOUT" untitled "$1" || fail "the window '$1' stays ${E2E_TIMEOUT}s"; }

# Polls until $1 popup menus are open, for at most $2 seconds. Qt's popup menus are
# override-redirect windows (their window type is not kept when reopened).
count_menus() {
    expect_alive "while waiting for $1 open menu(s)"
    [ "$(windows_info | grep -c 'Override Redirect State: yes')" -eq "$1" ]
}
menus_open() { poll "$2" count_menus "$1"; }

press() {
    xdotool windowfocus --sync "$1" 2>/dev/null || fail "cannot focus window $1"
    xdotool key --clearmodifiers "${@:2}"
}

# Closes the game's message boxes that play put up meanwhile (a Comeq landing on the robot).
settle() {
    for _ in 1 2 3; do
        WIN=$(find_title "$BOX_TITLE") || return 0
        press "$WIN" Return
        say "(closed a message box that the game had put up)"
        sleep 0.5
    done
}

# menu WINDOW alt+g n 1: opens the menu and waits for each menu to open before the next key
# ("n" opens the New Game submenu); with more than the first key, waits for the menus to close.
# A game in play can put up a message box at any moment and close the menu; then it tries again.
menu() {
    local main=$1 attempt k failed
    shift
    for attempt in 1 2 3; do
        settle
        press "$main" "$1"
        failed=""
        menus_open 1 3 || failed="the menu did not open"
        for k in "${@:2}"; do
            [ -n "$failed" ] && break
            xdotool key --clearmodifiers "$k"
            if [ "$k" = n ]; then menus_open 2 5 || failed="the submenu did not open"; fi
        done
        if [ -z "$failed" ] && [ $# -gt 1 ]; then menus_open 0 5 || failed="the menu stayed open"; fi
        [ -z "$failed" ] && return 0
        say "($failed after '$*', attempt $attempt; trying again)"
        xdotool key Escape Escape
        menus_open 0 5
    done
    fail "the menu did not follow the keys '$*'"
}

# A window that has just been mapped may not be ready for a screenshot at once.
shot() { poll 2 import -window "$1" "$2" 2>"$WORK/import.log" || fail "no screenshot of $1: $(cat "$WORK/import.log")"; }

# The field moves: two screenshots of the window a second apart differ. A message box that play
# puts up meanwhile stops the field; it is closed and the field watched again.
expect_moving() {
    local n
    for _ in 1 2 3; do
        settle
        shot "$1" "$WORK/move1.png"
        sleep 1
        shot "$1" "$WORK/move2.png"
        n=$(compare -metric AE "$WORK/move1.png" "$WORK/move2.png" null: 2>&1) # pixels differing
        [ "$n" = 0 ] || { say "ok: the field moves ($n pixels changed in 1s) $2"; return 0; }
    done
    fail "the field stood still $2"
}

# Waits for the program to end; leaves its exit status in GAME_STATUS.
wait_exit() {
    poll "$E2E_TIMEOUT" eval '! game_alive' || fail "the program still runs ${E2E_TIMEOUT}s after Exit"
    wait "$GAME_PID"
    GAME_STATUS=$?
    GAME_PID=""
}

# Skips the intro with a key; the game window's id in MAIN.
skip_intro() {
    wait_intro
    press "$WIN" space
    wait_title "$MAIN_TITLE"
    MAIN=$WIN
}

# The intro is the program's first window; it has no caption of its own, so X shows the
# application name, the game's title "Korvo's Zeltrix", by which the launcher finds the game.
# Its id in WIN.
first_window() {
    expect_alive "before its first window" && WIN=$(game_windows | head -n 1) && [ -n "$WIN" ]
}
wait_intro() {
    poll "$E2E_TIMEOUT" first_window || fail "no window within ${E2E_TIMEOUT}s"
    [ "$(title_of "$WIN")" = "${MAIN_TITLE%%  V*}" ] ||
        fail "the first window is titled '$(title_of "$WIN")', not '${MAIN_TITLE%%  V*}'"
}

# Starts a challenge-1 game and closes the level announcement; the field must then move.
start_challenge_1() {
    menu "$1" alt+g n 1
    wait_title "$BOX_TITLE"
    press "$WIN" Return
    wait_title_gone "$BOX_TITLE"
    expect_moving "$1" "after the level announcement"
}

# dialog WINDOW TITLE KEY...: the menu keys open the window TITLE, which Enter closes.
dialog() {
    menu "$1" "${@:3}"
    wait_title "$2"
    press "$WIN" Return
    wait_title_gone "$2"
    say "ok: the menu opened the window '$2' and Enter closed it"
}

# Exit from the menu; the program must end with status 0. A squash in play (a wrong shot, or a
# Comeq landing on the robot) puts up its message box, which closes the menu before Exit is taken;
# then menu closes the box and Exit is chosen once more.
exit_by_menu() {
    menu "$1" alt+g e
    poll "$E2E_TIMEOUT" eval '! game_alive || find_title "$BOX_TITLE" >/dev/null'
    ! find_title "$BOX_TITLE" >/dev/null || menu "$1" alt+g e
    wait_exit
    [ "$GAME_STATUS" = 0 ] || fail "the program ended with status $GAME_STATUS after Exit"
    say "ok: Exit ended the program with status 0"
}

BOX_TITLE="    " # the game's message box has a title of four blanks

# A private session bus with its own accessibility bus, so that a test reads the launcher's
# buttons as a screen reader does; skips the test when the tools are missing.
start_accessibility() {
    need skip dbus-daemon /usr/libexec/at-spi-bus-launcher
    /usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
        skip "python3-gi with the Atspi typelib is not installed"
    # The accessibility bus's socket is named after the display, which every case numbers :0
    # in its own namespace: a runtime folder of its own keeps parallel cases apart.
    export XDG_RUNTIME_DIR="$WORK/run"
    dbus-daemon --session --fork --nopidfile --print-address=3 --print-pid=4 \
        3>"$WORK/bus" 4>"$WORK/bus.pid" || fail "dbus-daemon did not start"
    HELPER_PIDS="$HELPER_PIDS $(head -n 1 "$WORK/bus.pid")"
    export DBUS_SESSION_BUS_ADDRESS
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$WORK/bus")
    helper /usr/libexec/at-spi-bus-launcher --launch-immediately --a11y=1 >/dev/null 2>&1
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

# The names of the buttons that the launcher shows, sorted, each followed by "|".
launcher_buttons() {
    /usr/bin/python3 "$E2E_DIR/atspi.py" "Korvo Control Panel" buttons 2>/dev/null | LC_ALL=C sort -u |
        tr '\n' '|'
}

wait_buttons() {
    local want=$1
    poll "$E2E_TIMEOUT" eval '[ "$(launcher_buttons)" = "$want" ]' ||
        fail "the launcher shows the buttons '$(launcher_buttons)' instead of '$1'"
}

# Any visible window whose whole title matches the pattern $1, of any program; its id in WIN.
any_title_shown() { WIN=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1); [ -n "$WIN" ]; }
wait_any_title() { poll "$E2E_TIMEOUT" any_title_shown "$1" || fail "no window titled '$1' shows"; }
SETUP="Korvo's (Game Components|Zeltrix) Setup"

# The logo: the launcher's window without a frame, 362 x 103 pixels.
logo_window() { expect_alive "while waiting for the logo" && windows_info | grep -q 'Width: 362'; }

# The launcher's start with an installation: the setup window shows, and the logo only once it
# has gone.
first_start_windows() {
    wait_any_title "$SETUP"
    say "ok: the shipped installer runs in its own window"
    while any_title_shown "$SETUP"; do
        logo_window && fail "the logo shows while the installer's window is there"
        sleep 0.2
    done
    poll "$E2E_TIMEOUT" logo_window || fail "no logo within ${E2E_TIMEOUT}s"
    say "ok: the logo plays once the installer has closed"
}
