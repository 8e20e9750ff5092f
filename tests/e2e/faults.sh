#!/usr/bin/env bash
# Faults a player can cause in the game's folder. In each the program stays up, says what the
# game says, and ends with status 0 after Exit.
#   bash faults.sh STAGED_ZELTRIX_DIR MAIN_TITLE CASE
# CASE: read-only-data | missing-questions | garbage-hiscores | missing-sounds
# The sound device is whatever SDL finds (none on a build machine); SDL_AUDIODRIVER is not set.
source "$(dirname "$0")/lib.sh"
MAIN_TITLE=$2
CASE=$3
E2E_NAME="faults-$CASE"
e2e_setup "$1"

# A hall of fame with LF line ends: any save would rewrite it with CR LF.
seed_hiscores() { printf '"Ann","300"\n"Bob","200"\n"Cy","100"\n' >"$ADD/hiscores.txt"; }

case $CASE in
read-only-data)
    seed_hiscores
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
    if writable "$ADD/hiscores.txt" || writable "$ADD/new"; then
        skip "add/ stays writable for the player"
    fi
    say "add/ and hiscores.txt are read-only for the player"
    start_game "${as_user[@]}"
    skip_intro
    [ ${#as_user[@]} = 0 ] || [ "$(stat -c %U "/proc/$GAME_PID")" = nobody ] ||
        fail "the program does not run as 'nobody'"
    start_challenge_1 "$MAIN"
    open_hall_of_fame "$MAIN"
    exit_by_menu "$MAIN"
    cmp -s "$WORK/hiscores.before" "$ADD/hiscores.txt" || fail "hiscores.txt changed"
    say "ok: hiscores.txt is unchanged"
    ;;
missing-questions)
    rm "$ADD/questions.txt"
    start_game
    skip_intro
    menu "$MAIN" alt+g n 1
    wait_title "$BOX_TITLE"
    say "ok: Challenge 1 put up the game's message box"
    press "$WIN" Return
    wait_title_gone "$BOX_TITLE"
    sleep 1.5
    find_title "$BOX_TITLE" >/dev/null && fail "a second message box followed: a game started"
    expect_still "$MAIN" "after the message: no game started"
    open_hall_of_fame "$MAIN"
    exit_by_menu "$MAIN"
    ;;
garbage-hiscores)
    # Every byte value, quotes, commas and line ends in a fixed jumble.
    # shellcheck disable=SC2059  # the format is the byte's octal escape
    for i in $(seq 0 255); do printf "\\$(printf %03o $(((i * 97 + 13) % 256)))"; done \
        >"$ADD/hiscores.txt"
    printf '""",,\r\r\n,"\x00\xff",\x1a\n"9e999","-1"\n' >>"$ADD/hiscores.txt"
    start_game
    skip_intro
    start_challenge_1 "$MAIN"
    open_hall_of_fame "$MAIN"
    exit_by_menu "$MAIN"
    lines=$(LC_ALL=C grep -ac '' "$ADD/hiscores.txt")
    good=$(LC_ALL=C grep -ac $'^"[^"\r]*","[^"\r]*"\r$' "$ADD/hiscores.txt")
    if [ "$lines" != 3 ] || [ "$good" != 3 ]; then
        fail "hiscores.txt after Exit is not three quoted lines:"$'\n'"$(od -c "$ADD/hiscores.txt")"
    fi
    say "ok: the hall of fame was saved as three well-formed lines"
    ;;
missing-sounds)
    rm "$ADD/pop.wav" "$ADD/gunshot.wav"
    start_game
    skip_intro
    start_challenge_1 "$MAIN"
    press "$MAIN" space Right space
    sleep 1
    expect_alive "after firing without gunshot.wav"
    press "$MAIN" Left space
    expect_moving "$MAIN" "after firing and bouncing without pop.wav and gunshot.wav"
    exit_by_menu "$MAIN"
    ;;
*)
    fail "unknown case '$CASE'"
    ;;
esac
say "PASS"
