#!/usr/bin/env bash
# The family as a user meets it: Korvo Control Panel installed with `cmake --install` into a
# scratch prefix, its download server played by lighttpd on the build's host,
# a private X server and accessibility bus; buttons are found by their names, as a screen reader
# finds them.
#   bash road.sh CASE BUILD_DIR DOWNLOAD_HOST
# road, road-openbox the first start installs the shipped games in the setup window, the logo
#                    plays, the main window shows Korvo's Zeltrix; a click starts it and the
#                    launcher hides until the game's window closes; "Remove Games..." removes it;
#                    "New Game" fetches the list, downloads and installs it again; help and about
#                    open and close; without a window manager, and under openbox.
# damaged-component  a shipped component with one byte changed is refused before it runs.
# uninstaller-fails  an uninstaller that cannot start is reported; the window stays usable.
# download-faults    games.txt cut short: the launcher offers the games it could read; the
#                    server down: the list is empty, a download fails; then a component cut
#                    short: it is refused before it runs, nothing changes.
# full-folder        a full components folder (a small tmpfs, else a read-only folder): the
#                    download fails, nothing is left of it, the installed game is whole.
# two-launchers      two launchers started at once on a first start run one installation.
# resume-drops       the download's connection dropped at 60 % and again at 99 %: each retry
#                    asks for the rest, the server sends the file once in all, the game installs.
# ignore-ranges      dropped at 60 % by a server that ignores ranges: fetched whole, installed.
# changed-file       dropped at 60 %, the file changed meanwhile: fetched again from zero.
# four-drops         dropped four times: the failure message; the .part and its note stay.
# closed-launcher    the launcher killed during a download: the next download continues the file.
# Each case runs in its own network and mount namespaces where the system allows it: its own
# loopback, on which the build's fixed download port is always free, and mounts that end with it.
# Elsewhere a port that another program holds skips the case.
if [ -z "${E2E_UNSHARED:-}" ]; then
    for how in -nm -rnm; do
        unshare "$how" true 2>/dev/null && E2E_UNSHARED=$how exec unshare "$how" bash "$0" "$@"
    done
    E2E_UNSHARED=no
fi
source "$(dirname "$0")/lib.sh"
CASE=$1 BUILD=$2 HOST=$3
E2E_NAME=$CASE
ATSPI="/usr/bin/python3 $E2E_DIR/atspi.py"
MAIN_TITLE="Korvo's Zeltrix  V2.1.0"
[ "$E2E_UNSHARED" = no ] || ip link set lo up || fail "no loopback in the private network"

e2e_begin cmake python3
trap 'umount "$DIR" 2>/dev/null; e2e_cleanup' EXIT
cmake --install "$BUILD" --prefix "$WORK/prefix" >"$WORK/install.log" || fail "cmake --install failed"
APP="$WORK/prefix/lib/korvo/Korvo Control Panel"
DIR="$WORK/prefix/lib/korvo/Korvo Game Components"
GAME="$DIR/Korvo's Zeltrix"
EXE="$WORK/prefix/bin/korvo-control-panel"
STAGED_GAME="$BUILD/stage/Korvo Game Components/Korvo's Zeltrix"
REGISTRY="$WORK/home/.config/Korvo/registry.ini"
DESKTOP_ENTRY="$WORK/home/.local/share/applications/korvo-game-components.desktop"
# Korvo's Zeltrix in the menus: its entry and the icon that it names.
in_menus() {
    local entry="$WORK/home/.local/share/applications/korvo-zeltrix.desktop"
    [ -f "$entry" ] && [ -f "$(sed -n 's/^Icon=//p' "$entry")" ]
}
mkdir "$WORK/www"
cp -r "$BUILD/stage/downloads" "$WORK/www/"
start_x
[ "$CASE" != road-openbox ] || start_wm
start_accessibility

# The download server on the build's host, serving $WORK/www, so /downloads/ is its downloads/:
# lighttpd as the build configures it or, given options, cutserver.py, which logs its answers.
serve() {
    case $HOST in *://*) skip "the build's download server $HOST is not on this machine" ;; esac
    local address=${HOST%:*} port=${HOST##*:}
    [ "$port" != "$HOST" ] || port=80
    if [ $# = 0 ]; then
        [ -x /usr/sbin/lighttpd ] || skip "lighttpd is not installed"
        printf 'include "%s"\nserver.document-root := "%s"\nserver.errorlog := "%s"\n' \
            "$BUILD/download-server.conf" "$WORK/www" "$WORK/server.log" >"$WORK/server.conf"
        helper /usr/sbin/lighttpd -D -f "$WORK/server.conf" 2>>"$WORK/server.log"
    else
        helper python3 "$E2E_DIR/cutserver.py" --root "$WORK/www" --bind "$address" \
            --port "$port" --log "$WORK/requests.log" "$@" 2>"$WORK/server.log"
    fi
    poll 10 eval '(exec 3<>"/dev/tcp/$address/$port") 2>/dev/null' ||
        fail "the download server did not start: $(cat "$WORK/server.log")"
    kill -0 "${HELPER_PIDS##* }" 2>/dev/null || skip "another program serves $HOST"
    say "a web server serves $HOST${1:+ ($*)}"
}


launcher_texts() { $ATSPI "Korvo Control Panel" texts 2>/dev/null; }
# (poll's own arguments hide the caller's: what the polled command needs is a named local.)
# shellcheck disable=SC2034  # name, and text below, are read by eval
click() { # [line] NAME: the button, or the list line, NAME
    local x y kind=where
    [ "$1" != line ] || { kind=line; shift; }
    local name=$1
    poll "$E2E_TIMEOUT" eval 'read -r x y < <($ATSPI "Korvo Control Panel" $kind "$name")' ||
        fail "no $kind '$1' on the screen"
    xdotool mousemove --sync "$x" "$y" click 1
}
# shellcheck disable=SC2034
wait_text() {
    local text=$1
    poll "$E2E_TIMEOUT" eval 'launcher_texts | grep -qF -- "$text"' ||
        fail "the launcher does not say '$1' but: $(launcher_texts | tr '\n' '|')"
}

# The launcher's message box that says $1, closed with Enter.
answer() {
    wait_title "Korvo Control Panel"
    local box=$WIN
    wait_text "$1"
    say "ok: the launcher says: $(launcher_texts | grep -F -- "$1")"
    press "$box" Return
    poll "$E2E_TIMEOUT" eval '! game_windows | grep -qx "$box"' || fail "the message stays"
}

main_window() {
    wait_title "Game Control Panel"
    MAIN=$WIN
    wait_buttons "$1"
}
INSTALLED="Korvo's Zeltrix|Other Games|"
OTHERS="Installed Games|Korvo's Dravolt|Korvo's Flindo|Korvo's Mirvane|Korvo's Quentor|Korvo's Skelmo|Korvo's Tovash|Korvo's Tovash Pro|Korvo's Vorpa|Korvo's Wendrix|Korvo's Zeltrix|New Game|"

# What the components folder holds, with every file's checksum.
contents() { (cd "$DIR" && find . ! -name .components.lock -type f -exec md5sum {} + | sort; find . | sort); }

install_game() { mkdir -p "$DIR" && cp -a "$STAGED_GAME" "$DIR/"; }

# The first start up to the main window. Another installation holds the components lock for a
# few seconds, so that the setup window waits long enough to be seen, and the logo must wait
# for it. LAUNCHER holds the launcher's process id.
first_start() {
    mkdir "$DIR"
    helper flock "$DIR/.components.lock" sleep 3
    # Another program's window with a title like the family's stays open throughout: the
    # launcher waits for its own programs, never for a stranger's window.
    helper xmessage -title "Korvo's notes.txt" "a stranger's window" >/dev/null 2>&1
    wait_any_title "Korvo's notes.txt"
    start_game
    LAUNCHER=$GAME_PID
    first_start_windows
    main_window "$INSTALLED"
    say "ok: the main window shows Korvo's Zeltrix installed"
    grep -qF "$DIR/uninstall components.exe" "$REGISTRY" && [ -f "$DESKTOP_ENTRY" ] ||
        fail "no uninstall entry"
    in_menus || fail "Korvo's Zeltrix is not in the menus"
}

launcher_shown() { xdotool search --onlyvisible --pid "$LAUNCHER" --name '^Game Control Panel$' >/dev/null 2>&1; }

# A click on Korvo's Zeltrix starts the game; the launcher hides until the game's window closes.
play() {
    local w panel=$MAIN
    click "Korvo's Zeltrix"
    poll "$E2E_TIMEOUT" eval 'w=$(xdotool search --onlyvisible --classname "Korvo.s Zeltrix.exe")' ||
        fail "no window of the game within ${E2E_TIMEOUT}s of the click"
    GAME_PID=$(xdotool getwindowpid "$(head -n 1 <<<"$w")")
    poll 2 eval '! launcher_shown' || fail "the launcher's window is still there 2s after the game started"
    sleep 2.5 # well past the launcher's first look for the game, the intro still plays
    launcher_shown && fail "the launcher came back while the game's intro was playing"
    skip_intro
    say "ok: the launcher hides while the game runs"
    launcher_shown && fail "the launcher came back while the game's window was open"
    menu "$MAIN" alt+g e
    poll "$E2E_TIMEOUT" eval '! game_alive' || fail "the game still runs after Exit"
    GAME_PID=$LAUNCHER
    poll "$E2E_TIMEOUT" launcher_shown || fail "the launcher did not come back after the game's end"
    say "ok: the launcher came back after the game's end"
    MAIN=$panel
}

# "New Game", confirmed: the list of new games from the server, which must hold $1.
new_games_list() {
    click "New Game"
    answer "connect to the Internet"
    wait_title "Add New Game"
    LIST=$WIN
    wait_text "$1"
}

# Adds Korvo's Zeltrix from the list of new games; the launcher must then say $1, if given.
add_zeltrix() {
    new_games_list "Korvo's Zeltrix"
    click line "Korvo's Zeltrix"
    press "$LIST" alt+a
    [ $# = 0 ] || answer "$1"
}


case $CASE in
road | road-openbox)
    serve
    first_start
    play
    echo "my best scores" >"$GAME/my notes.txt"
    menu "$MAIN" alt+f r Return
    wait_any_title "Korvo's Game Components - Uninstall"
    press "$WIN" Return
    main_window "$OTHERS"
    [ "$(ls -A "$GAME")" = "my notes.txt" ] || fail "the game, or not the user's file, stays: $(ls -A "$GAME")"
    ! grep -q korvoscmpuninst "$REGISTRY" && [ ! -e "$DESKTOP_ENTRY" ] || fail "the entry stayed"
    say "ok: the game is removed but the user's file; the main window shows it among the other games"
    add_zeltrix "Installation complete."
    in_menus || fail "Korvo's Zeltrix is not back in the menus"
    click "Installed Games"
    wait_buttons "$INSTALLED"
    say "ok: downloaded, installed, and shown in the installed view"
    press "$MAIN" F1
    wait_title "Korvo's Help"
    $ATSPI close "$WIN"
    wait_title_gone "Korvo's Help"
    dialog "$MAIN" "About Korvo's Control Panel" alt+h a
    say "ok: help and about open and close"
    menu "$MAIN" alt+f e
    wait_exit
    [ "$GAME_STATUS" = 0 ] || fail "the launcher ended with status $GAME_STATUS after Exit"
    ;;
damaged-component)
    shipped="$APP/add/components.cmp"
    printf 'X' | dd of="$shipped" bs=1 seek=$(($(stat -c %s "$shipped") / 2)) conv=notrunc 2>/dev/null
    start_game
    answer "An error occured while attempting to add $shipped"
    [ ! -e "$DIR" ] || fail "a components folder was made for a refused component"
    wait_title "Game Control Panel"
    say "ok: the damaged component is refused before it runs; the start goes on"
    ;;
uninstaller-fails)
    install_game
    echo "not a program" >"$DIR/uninstall components.exe"
    start_game
    main_window "$INSTALLED"
    menu "$MAIN" alt+f r Return
    answer "Unable to start the uninstaller"
    menu "$MAIN" alt+f
    xdotool key Escape
    say "ok: the main window takes input again"
    ;;
download-faults)
    install_game
    before=$(contents)
    truncate -s $(($(stat -c %s "$APP/add/games.txt") / 3)) "$APP/add/games.txt"
    head -c 300 /dev/zero >>"$APP/add/games.txt"
    start_game
    main_window "$INSTALLED"
    click "Other Games"
    wait_buttons "Installed Games|Korvo's Dravolt|Korvo's Vorpa|New Game|"
    say "ok: with games.txt cut short it offers the games it could read"
    new_games_list "No new games found."
    press "$LIST" alt+c
    wait_title_gone "Add New Game"
    click "Korvo's Dravolt"
    wait_title "Korvo's Dravolt"
    press "$WIN" alt+a
    answer "in order to download Korvo's Dravolt"
    answer "Unable to download the game"
    [ "$(contents)" = "$before" ] || fail "the components folder changed"
    say "ok: with the server down the list is empty and a download fails; nothing changed"
    serve
    component="$WORK/www/downloads/korvo002.cmp"
    truncate -s $(($(stat -c %s "$component") / 2)) "$component"
    add_zeltrix "An error occured while attempting to add $DIR/korvo002.cmp"
    any_title_shown "$SETUP" && fail "the component cut short runs"
    [ "$(contents)" = "$before" ] || fail "the components folder changed: $(contents)"
    say "ok: the component cut short is refused before it runs; nothing changed"
    ;;
full-folder)
    mkdir "$DIR"
    prefix=()
    if [ "$E2E_UNSHARED" != no ] && mount -t tmpfs -o size=64m tmpfs "$DIR"; then
        install_game
        mount -o remount,size=$(($(du -sk "$DIR" | cut -f1) + 1024))k "$DIR" || fail "cannot shrink"
        say "the components folder is a tmpfs with 1 MB free"
    else
        install_game
        chmod a-w "$DIR"
        # Root writes anywhere unless the launcher runs without that capability.
        # shellcheck disable=SC2054  # the commas belong to one argument
        [ "$(id -u)" != 0 ] || prefix=(setpriv --bounding-set=-dac_override,-fowner --)
        say "mounting failed: the components folder is read-only instead"
    fi
    before=$(contents)
    start_game "${prefix[@]}"
    main_window "$INSTALLED"
    serve
    click "Other Games"
    add_zeltrix "Unable to download the game"
    [ "$(contents)" = "$before" ] || fail "the components folder changed: $(contents)"
    say "ok: the download failed and left nothing; the installed game is whole"
    ;;
two-launchers)
    mkdir "$DIR"
    helper flock "$DIR/.components.lock" sleep 4
    start_game
    FIRST=$GAME_PID
    HELPER_PIDS="$HELPER_PIDS $FIRST"
    start_game
    SECOND=$GAME_PID
    seen=""
    for _ in $(seq 100); do
        sleep 0.05
        w=$(xdotool search --onlyvisible --name "Setup\$" 2>/dev/null) || continue
        seen+="$w"$'\n'
        for GAME_PID in $FIRST $SECOND; do
            logo_window && fail "a logo shows while the installer's window is there"
        done
    done
    setups=$(sort -u <<<"$seen" | grep -c .)
    [ "$setups" = 1 ] || fail "$setups setup windows showed"
    say "ok: one installation ran; both logos waited for it"
    for GAME_PID in $FIRST $SECOND; do
        wait_title "Game Control Panel"
    done
    say "ok: both launchers show their main windows"
    [ -x "$GAME/Korvo's Zeltrix.exe" ] || fail "the game was not installed"
    [ ! -e "$DIR.lock" ] || fail "the first-start lock stayed"
    ;;
resume-drops | ignore-ranges | changed-file | four-drops | closed-launcher)
    install_game
    start_game
    main_window "$INSTALLED"
    size=$(stat -c %s "$WORK/www/downloads/korvo002.cmp")
    # The server's answers for the .cmp but those the launcher left: STATUS, where each started (0;
    # "on" where the one before stopped, less what had not reached the launcher when the
    # connection dropped; else the byte), how it ended and whether a range was asked; then what
    # was sent in all, "once" for the file and those losses.
    answers() {
        awk -v size="$size" -v slack=$((512 * 1024)) '/\.cmp$/ && $4 != "gone" {
            from = $2 == 0 ? 0 : n && $2 <= stop && $2 >= stop - slack ? "on" : $2
            printf "%s %s %s %s|", $1, from, $4, $5 == "-" ? "-" : "ranged"
            stop = $2 + $3; sent += $3; n++
        } END { print sent <= size + (n - 1) * slack ? "once" : sent }' "$WORK/requests.log"
    }
    weak=(--rate $((size / 3))) # a weak link: a few seconds for the file
    message="Installation complete."
    restarted="200 0 cut -|200 0 end ranged|$((size * 6 / 10 + size))"
    case $CASE in
    resume-drops)
        serve "${weak[@]}" --cut 0.6 --cut 0.99
        expected="200 0 cut -|206 on cut ranged|206 on end ranged|once"
        ;;
    ignore-ranges) serve "${weak[@]}" --cut 0.6 --no-ranges && expected=$restarted ;;
    changed-file) serve "${weak[@]}" --cut 0.6 --change && expected=$restarted ;;
    four-drops)
        serve "${weak[@]}" --cut 0.2 --cut 0.4 --cut 0.6 --cut 0.8
        expected="200 0 cut -|206 on cut ranged|206 on cut ranged|206 on cut ranged|once"
        message="Unable to download the game"
        ;;
    closed-launcher)
        serve --rate $((size / 8))
        click "Other Games"
        add_zeltrix
        part() { [ "$(stat -c %s "$DIR/korvo002.cmp.part" 2>/dev/null)" -gt $((size / 4)) ]; }
        poll "$E2E_TIMEOUT" part 2>/dev/null || fail "a quarter of the file did not arrive"
        kill -TERM "$GAME_PID"
        wait_exit
        part || fail "the .part did not stay when the launcher was closed"
        kept=$(stat -c %s "$DIR/korvo002.cmp.part")
        say "ok: the launcher closed during the download, $kept bytes kept"
        expected="206 $kept end ranged|once"
        start_game
        main_window "$INSTALLED"
        ;;
    esac
    click "Other Games"
    add_zeltrix "$message"
    [ "$(answers)" = "$expected" ] ||
        fail "the server answered '$(answers)', not '$expected': $(tr '\n' '|' <"$WORK/requests.log")"
    say "ok: the server's answers: $(grep -F .cmp "$WORK/requests.log" | cut -d' ' -f1-4 | tr '\n' '|')"
    if [ "$CASE" = four-drops ]; then
        [ -s "$DIR/korvo002.cmp.part" ] && [ -s "$DIR/korvo002.cmp.part.info" ] ||
            fail "the .part and its note did not stay: $(ls -A "$DIR")"
    fi
    ;;
*)
    fail "unknown case '$CASE'"
    ;;
esac
[ -z "$GAME_PID" ] || expect_alive "at the end" # the road ends with the launcher's Exit
say "PASS"
