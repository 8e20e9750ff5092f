#!/usr/bin/env bash
# The game's own modal windows pause the game; when they close, the game window is active again
# and play goes on without the player having to click it. No window manager does that for us.
#   bash resume.sh STAGED_ZELTRIX_DIR MAIN_TITLE
source "$(dirname "$0")/lib.sh"
MAIN_TITLE=$2
e2e_setup "$1"
start_game
skip_intro
start_challenge_1 "$MAIN"

open_hall_of_fame "$MAIN"
say "focus is now on window $(xdotool getwindowfocus) (the game window is $MAIN)"
expect_moving "$MAIN" "after the Hall of Fame closed, without clicking the game window"

menu "$MAIN" alt+h a
about="About ${MAIN_TITLE%%  V*}"
wait_title "$about"
say "ok: About opened the window '$about'"
press "$WIN" Return
wait_title_gone "$about"
expect_moving "$MAIN" "after the About box closed, without clicking the game window"

exit_by_menu "$MAIN"
say "PASS"
