#!/usr/bin/env bash
# The intro: it opens first, under the game's title, fades in with its story, and a key that
# types a character (space) hands over to the game window, which covers the screen.
#   bash intro.sh STAGED_ZELTRIX_DIR MAIN_TITLE
source "$(dirname "$0")/lib.sh"
MAIN_TITLE=$2
e2e_setup "$1"
start_game

wait_intro
intro=$WIN
say "ok: the intro window is mapped and titled with the game's title"

# The window's background fades from black towards the picture's colour; its top-right corner
# shows nothing but that background.
width=$(xwininfo -id "$intro" | awk '/Width:/ {print $2}')
faded() {
    shot "$intro" "$WORK/intro.png"
    corner=$(identify -format "%[pixel:p{$((width - 5)),5}]" "$WORK/intro.png")
    [ "$corner" != "srgb(0,0,0)" ] && [ "$corner" != black ]
}
poll 10 faded || fail "the intro's background stayed black for 10s"
say "ok: the intro's background fades in (corner now $corner)"
colours=$(identify -format '%k' "$WORK/intro.png")
[ "$colours" -ge 8 ] || fail "the intro shows only $colours colours: no text"
say "ok: the intro shows text ($colours colours)"

press "$intro" space
wait_title "$MAIN_TITLE"
main=$WIN
say "ok: space opened the game window '$MAIN_TITLE'"
[ "$(wm_name_of "$main")" = "$MAIN_TITLE" ] || fail "WM_NAME is '$(wm_name_of "$main")'"
poll 5 eval '! game_windows | grep -qx "$intro"' ||
    fail "the intro window is still shown beside the game window"
say "ok: the intro window is hidden"
geometry=$(xwininfo -id "$main" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}')
[ "$geometry" = 1280x1024 ] || fail "the game window is $geometry, not the whole 1280x1024 screen"
say "ok: the game window covers the screen ($geometry)"

exit_by_menu "$main"
say "PASS"
