#!/usr/bin/env bash
# The Debian package as a user gets it: made by `cpack -G DEB` from a build for a package
# (KORVO_USER_GAMES=ON), unpacked with dpkg-deb -x into a scratch root (never installed on this
# machine), its launcher started from there by an unprivileged user with a home of their own.
# The first start installs Korvo's Zeltrix into that user's data folder in the setup window,
# then the logo and the main window show, and the game is in the user's menus; Remove Games
# takes it out of them again.
#   bash package.sh BUILD_DIR USER_GAMES(1 or 0)
source "$(dirname "$0")/lib.sh"
BUILD=$1
[ "$2" = 1 ] || skip "this build keeps the games beside the launcher; a package's build sets -DKORVO_USER_GAMES=ON"
need skip cpack dpkg-deb
e2e_begin
chmod 755 "$WORK"
cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK/pack" >"$WORK/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -n 20 "$WORK/cpack.log")"
debs=("$WORK"/pack/*.deb)
dpkg-deb -x "${debs[0]}" "$WORK/root" || fail "dpkg-deb cannot unpack ${debs[0]}"
say "made and unpacked ${debs[0]##*/}"
EXE="$WORK/root/usr/lib/korvo/Korvo Control Panel/Korvo Control Panel.exe"
DATA="$WORK/home/.local/share"
GAME="$DATA/korvo/Korvo Game Components/Korvo's Zeltrix"
MENU_ENTRY="$DATA/applications/korvo-zeltrix.desktop"
# Another installation holds the components folder's lock for a while, so that the setup window
# waits long enough to be seen.
mkdir -p "$GAME/.."
as_user=()
if [ "$(id -u)" = 0 ]; then
    # Root writes anywhere: the program folder is read-only only for another user.
    need skip setpriv
    id nobody >/dev/null 2>&1 || skip "there is no user 'nobody' to run as"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
    "${as_user[@]}" test -x "$EXE" || skip "the user 'nobody' cannot reach $WORK"
    chown -R nobody "$WORK/home" "$WORK/run"
fi
start_x
helper "${as_user[@]}" flock "$GAME/../.components.lock" sleep 3
start_game env -u XDG_DATA_HOME -u DBUS_SESSION_BUS_ADDRESS "${as_user[@]}"
first_start_windows
wait_title "Game Control Panel"
MAIN=$WIN
[ -x "$GAME/Korvo's Zeltrix.exe" ] || fail "Korvo's Zeltrix is not in the user's data folder"
[ ${#as_user[@]} = 0 ] || [ "$(stat -c %U "$GAME/Korvo's Zeltrix.exe")" = nobody ] ||
    fail "the game was not installed by the user 'nobody'"
[ -f "$MENU_ENTRY" ] || fail "Korvo's Zeltrix is not in the user's menus"
say "ok: the main window shows; Korvo's Zeltrix is installed in $GAME and in the menus"
menu "$MAIN" alt+f r Return
wait_any_title "Korvo's Game Components - Uninstall"
press "$WIN" Return
poll "$E2E_TIMEOUT" eval '[ ! -e "$MENU_ENTRY" ]' || fail "the menu entry stays after Remove Games"
[ ! -e "$GAME/Korvo's Zeltrix.exe" ] || fail "the game stays after Remove Games"
say "ok: Remove Games took the game out of the menus"
say "PASS"
