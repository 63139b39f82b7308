#!/usr/bin/env bash
# The installed game on a private X display: a player registered through real key presses and clicks
# lands in the player's directory and survives a reinstall and another start.
. "$(dirname "$0")/common.sh"
export ALSOFT_DRIVERS=null
# Leaks are the game's own tests' business; here a leak report would only hide how the install went.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
prefix="$scratch/prefix" home="$scratch/home" game=""
scores="$scratch/data home/tavrello/assets/highscore.txt"
mkdir -p -- "$home"
at_exit 'running && kill $game'

# -noreset: otherwise the server resets when a probe disconnects, dropping a game connecting then.
start_display() {
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$scratch/display" 2>/dev/null &
    at_exit "kill $!"
    wait_for 15 test -s "$scratch/display" && export DISPLAY=":$(head -n 1 "$scratch/display")"
}
running() { [ -n "$game" ] && kill -0 "$game" 2>/dev/null; }
# A small digest of the whole screen: equal digests mean an unchanged picture.
digest() { xwd -root -silent | /usr/bin/convert xwd:- -scale 48x27! rgb:- | md5sum; }
# The screen shows other than $1 and holds still for a moment: a fade has ended.
settled_away_from() {
    settled=$(digest) && sleep 0.3 && [ "$settled" != "$1" ] && [ "$(digest)" = "$settled" ]
}
# Starts the installed command and waits for its window; the pointer over it gives it the keyboard.
launch() {
    HOME="$home" XDG_DATA_HOME="$scratch/data home" "$prefix/bin/tavrello" >"$scratch/$1.log" 2>&1 &
    game=$!
    wait_for 60 eval '! running || xdotool search --onlyvisible --name "Tavrello Game" >/dev/null' &&
        running && xdotool mousemove 960 420 || ! tail -n 30 "$scratch/$1.log"
}
# Escape closes the game from the main menu; a press lost while it loads is repeated.
quit_with_escape() {
    for _ in 1 2 3 4; do xdotool key Escape && wait_for 3 eval '! running' && break; done
    running && kill "$game"
    wait "$game"
}
# Splash, Space, main menu, Start with no player yet, settings page with the name prompt, the name
# typed and Enter: the store then writes the file in the working directory.
register_player() {
    local splash
    splash=$(digest) && xdotool key space && wait_for 60 settled_away_from "$splash" &&
        xdotool mousemove 960 420 mousedown 1 && sleep 0.1 && xdotool mouseup 1 &&
        wait_for 10 eval '[ "$(digest)" != "$settled" ]' && xdotool type --delay 60 Tester &&
        xdotool key Return && wait_for 10 grep -qsx Tester "$scores"
}

require "cmake --install" install_build "$prefix"
require "a private X display starts" start_display
require "the installed command opens the game window" launch first
check "a player registered through the menus is written to the player's directory" register_player
check "Escape ends the game with status 0" quit_with_escape
check "the scores are a regular file of the player, nothing is written under the prefix or HOME" eval \
    '[ -f "$scores" ] && [ ! -L "$scores" ] && [ -z "$(find "$prefix" -name "highscore*")" ] &&
     [ ! -e "$home/.local" ]'
cp -- "$scores" "$scratch/scores-before"
require "a second cmake --install over the first" install_build "$prefix"
require "the game starts again after the reinstall" launch second
check "the second run ends with status 0" quit_with_escape
check "the player's scores survive the reinstall and the next start" cmp "$scratch/scores-before" "$scores"
check "the game found every asset through the player's links" eval '! grep "Failed to" "$scratch"/*.log'
finish
