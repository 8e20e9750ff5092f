#!/usr/bin/env bash
# A short game driven through the menus by their access keys, without the bounce and shot
# sounds: New Game, Silent, Hall of Fame and About, whose closing gives the game back its
# keyboard without a click (no window manager does that for us); Exit saves the hall of fame
# in its own format and ends the program with status 0.
#   bash play.sh STAGED_ZELTRIX_DIR MAIN_TITLE
source "$(dirname "$0")/lib.sh"
MAIN_TITLE=$2
e2e_setup "$1"
# LF line ends and no quotes: the saved file must come back quoted and with CR LF.
printf 'Ann,300\n"Bob","200"\nCy,100\n' >"$ADD/hiscores.txt"
rm "$ADD/pop.wav" "$ADD/gunshot.wav"
start_game
skip_intro

start_challenge_1 "$MAIN"
press "$MAIN" Right space Left space
expect_moving "$MAIN" "after the robot ran and fired without its sounds"
menu "$MAIN" alt+g s
press "$MAIN" space
expect_moving "$MAIN" "after Silent was turned on"

open_hall_of_fame "$MAIN"
expect_moving "$MAIN" "after the Hall of Fame closed, without clicking the game window"
menu "$MAIN" alt+h a
about="About ${MAIN_TITLE%%  V*}"
wait_title "$about"
say "ok: About opened the window '$about'"
press "$WIN" Return
wait_title_gone "$about"
expect_moving "$MAIN" "after the About box closed, without clicking the game window"

exit_by_menu "$MAIN"
expected=$(printf '"Ann","300"\r\n"Bob","200"\r\n"Cy","100"\r\n' | od -An -c)
actual=$(od -An -c "$ADD/hiscores.txt")
[ "$actual" = "$expected" ] ||
    fail "hiscores.txt after Exit holds$(printf '\n%s\n' "$actual") instead of$(printf '\n%s' "$expected")"
say "ok: Exit saved hiscores.txt as three quoted lines ending in CR LF"
say "PASS"
