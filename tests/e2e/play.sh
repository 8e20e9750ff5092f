#!/usr/bin/env bash
# A short game driven through the menus by their access keys: New Game, Silent, Hall of Fame and
# Exit, which saves the hall of fame in its own format and ends the program with status 0.
#   bash play.sh STAGED_ZELTRIX_DIR MAIN_TITLE
source "$(dirname "$0")/lib.sh"
MAIN_TITLE=$2
e2e_setup "$1"
# LF line ends and no quotes: the saved file must come back quoted and with CR LF.
printf 'Ann,300\n"Bob","200"\nCy,100\n' >"$ADD/hiscores.txt"
start_game
skip_intro

press "$MAIN" alt+g
wait_menus 1
say "ok: Alt+G opened the Game menu"
xdotool key Escape
wait_menus 0

# The Silent check mark, before any game so that nothing else changes on screen: the opened
# menu looks different after one toggle, and the same again after the second.
menu "$MAIN" alt+g
steady_shot "$WIN" "$WORK/menu-sound.png"
xdotool key --clearmodifiers s
wait_menus 0
menu "$MAIN" alt+g
steady_shot "$WIN" "$WORK/menu-silent.png"
same "$WORK/menu-sound.png" "$WORK/menu-silent.png" && fail "Silent did not change the Game menu"
say "ok: Silent changed the Game menu"
xdotool key --clearmodifiers s
wait_menus 0
menu "$MAIN" alt+g
steady_shot "$WIN" "$WORK/menu-sound-again.png"
same "$WORK/menu-sound.png" "$WORK/menu-sound-again.png" ||
    fail "the Game menu differs after Silent was toggled twice"
say "ok: Silent toggled back"
xdotool key --clearmodifiers s
wait_menus 0
say "Silent is on for the game"

start_challenge_1 "$MAIN"
press "$MAIN" Right space Left space
expect_moving "$MAIN" "after the robot ran and fired"
menu "$MAIN" alt+g s
say "Silent is off"
press "$MAIN" space
expect_moving "$MAIN" "after Silent was turned off"

open_hall_of_fame "$MAIN"

exit_by_menu "$MAIN"
expected=$(printf '"Ann","300"\r\n"Bob","200"\r\n"Cy","100"\r\n' | od -An -c)
actual=$(od -An -c "$ADD/hiscores.txt")
[ "$actual" = "$expected" ] ||
    fail "hiscores.txt after Exit holds$(printf '\n%s\n' "$actual") instead of$(printf '\n%s' "$expected")"
say "ok: Exit saved hiscores.txt as three quoted lines ending in CR LF"
say "PASS"
