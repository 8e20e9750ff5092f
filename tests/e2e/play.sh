#!/usr/bin/env bash
# The game as a player meets it. The intro opens first, under the game's title, fades in with its
# story, and a key that types a character (space) hands over to the game window, which covers
# the screen. Then a short game driven through the menus by their access keys, without the
# bounce and shot sounds: New Game, Silent, Hall of Fame and About, whose closing gives the game
# back its keyboard without a click (no window manager does that for us); Exit saves the hall of
# fame in its own format and ends the program with status 0.
#   bash play.sh STAGED_ZELTRIX_DIR MAIN_TITLE
source "$(dirname "$0")/lib.sh"
MAIN_TITLE=$2
e2e_setup "$1"
# LF line ends and no quotes: the saved file must come back quoted and with CR LF.
printf 'Ann,300\n"Bob","200"\nCy,100\n' >"$ADD/hiscores.txt"
rm "$ADD/pop.wav" "$ADD/gunshot.wav"
start_game

wait_intro
intro=$WIN
# The window's background fades from black towards the picture's colour; its top-right corner
# shows nothing but that background.
width=$(xwininfo -id "$intro" | awk '/Width:/ {print $2}')
faded() {
    shot "$intro" "$WORK/intro.png"
    corner=$(identify -format "%[pixel:p{$((width - 5)),5}]" "$WORK/intro.png")
    [ "$corner" != "srgb(0,0,0)" ] && [ "$corner" != black ]
}
poll 10 faded || fail "the intro's background stayed black for 10s"
say "ok: the intro, titled with the game's title, fades in (corner now $corner)"
colours=$(identify -format '%k' "$WORK/intro.png")
[ "$colours" -ge 8 ] || fail "the intro shows only $colours colours: no text"
say "ok: the intro shows text ($colours colours)"

press "$intro" space
wait_title "$MAIN_TITLE"
MAIN=$WIN
[ "$(xprop -id "$MAIN" -notype WM_NAME)" = "WM_NAME = \"$MAIN_TITLE\"" ] || fail "WM_NAME is not '$MAIN_TITLE'"
poll 5 eval '! game_windows | grep -qx "$intro"' ||
    fail "the intro window is still shown beside the game window"
geometry=$(xwininfo -id "$MAIN" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}')
[ "$geometry" = 1280x1024 ] || fail "the game window is $geometry, not the whole 1280x1024 screen"
say "ok: space hid the intro and opened the game window, which covers the screen ($geometry)"

start_challenge_1 "$MAIN"
press "$MAIN" Right space Left space
expect_moving "$MAIN" "after the robot ran and fired without its sounds"
menu "$MAIN" alt+g s
press "$MAIN" space
expect_moving "$MAIN" "after Silent was turned on"

dialog "$MAIN" "High Scores" alt+g h
expect_moving "$MAIN" "after the Hall of Fame closed, without clicking the game window"
dialog "$MAIN" "About ${MAIN_TITLE%%  V*}" alt+h a
expect_moving "$MAIN" "after the About box closed, without clicking the game window"

exit_by_menu "$MAIN"
expected=$(printf '"Ann","300"\r\n"Bob","200"\r\n"Cy","100"\r\n' | od -An -c)
actual=$(od -An -c "$ADD/hiscores.txt")
[ "$actual" = "$expected" ] ||
    fail "hiscores.txt after Exit holds$(printf '\n%s\n' "$actual") instead of$(printf '\n%s' "$expected")"
say "ok: Exit saved hiscores.txt as three quoted lines ending in CR LF"
say "PASS"
