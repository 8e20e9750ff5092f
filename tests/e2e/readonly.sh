#!/usr/bin/env bash
# The game installed where the player cannot write (add/ and hiscores.txt read-only): it plays,
# shows the hall of fame, ends with status 0 after Exit and leaves hiscores.txt as it was.
#   bash readonly.sh STAGED_ZELTRIX_DIR MAIN_TITLE
source "$(dirname "$0")/lib.sh"
MAIN_TITLE=$2
e2e_setup "$1"

# LF line ends: any save would rewrite them as CR LF.
printf '"Ann","300"\n"Bob","200"\n"Cy","100"\n' >"$ADD/hiscores.txt"
cp "$ADD/hiscores.txt" "$WORK/hiscores.before"
chmod -R a+rX "$WORK"
if [ "$(id -u)" = 0 ]; then
    # Permissions do not bind root: play as the unprivileged user.
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
    id nobody >/dev/null 2>&1 || skip "there is no user 'nobody' to play as"
    "${as_user[@]}" test -x "$EXE" -a -r "$ADD/questions.txt" ||
        skip "the user 'nobody' cannot reach $WORK"
    chown -R nobody "$WORK/home" "$WORK/run"
    chmod 700 "$WORK/run"
else
    as_user=()
    chmod a-w "$ADD" "$ADD/hiscores.txt"
fi
# shellcheck disable=SC2016  # the inner shell expands $1
writable() { "${as_user[@]}" sh -c ': >>"$1"' - "$1" 2>/dev/null; }
! writable "$ADD/hiscores.txt" && ! writable "$ADD/new" || skip "add/ stays writable for the player"
say "add/ and hiscores.txt are read-only for the player"
start_game "${as_user[@]}"
skip_intro
[ ${#as_user[@]} = 0 ] || [ "$(stat -c %U "/proc/$GAME_PID")" = nobody ] ||
    fail "the program does not run as 'nobody'"
start_challenge_1 "$MAIN"
dialog "$MAIN" "High Scores" alt+g h
exit_by_menu "$MAIN"
cmp -s "$WORK/hiscores.before" "$ADD/hiscores.txt" || fail "hiscores.txt changed"
say "ok: hiscores.txt is unchanged"
say "PASS"
