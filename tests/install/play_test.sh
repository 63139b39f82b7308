#!/usr/bin/env bash
# Installs the game, starts the installed launcher on a private X display, registers a player through
# real key presses and clicks, and checks the scores land in the player's directory and survive a
# reinstall and another start.
# Usage: play_test.sh CMAKE BUILD_DIR
set -u
cmake=$1 build=$2
. "$(dirname "$0")/common.sh"

export ALSOFT_DRIVERS=null
# Leaks are the game's own tests' business; here a leak report would only mask how the install went.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
player=Tester
window_title="Tavrello Game"
prefix="$scratch/prefix"
home="$scratch/home"
data="$scratch/data home"
scores="$data/tavrello/assets/highscore.txt"
mkdir -p -- "$home"

start_display() {
    # -noreset: without it the server resets when a probe disconnects, dropping a game that connects then.
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$scratch/display" 2>"$scratch/xvfb.log" &
    local server=$!
    at_exit "kill $server; wait $server"
    wait_for 15 test -s "$scratch/display" || return 1
    display=":$(head -n 1 "$scratch/display")"
}

on_display() {
    DISPLAY="$display" "$@"
}

# A small digest of the whole screen: equal digests mean an unchanged picture.
screen_digest() {
    xwd -root -silent -display "$display" | /usr/bin/convert xwd:- -scale 48x27! rgb:- | md5sum | cut -c 1-32
}

# The screen shows something other than REF and holds still for a moment: a fade has ended.
settled_away_from() {
    local first second
    first=$(screen_digest)
    sleep 0.3
    second=$(screen_digest)
    [ "$first" = "$second" ] && [ "$first" != "$1" ] && settled=$first
}

changed_from() {
    [ "$(screen_digest)" != "$1" ]
}

game_running() {
    kill -0 "$game" 2>/dev/null
}

window_or_exit() {
    ! game_running || on_display xdotool search --onlyvisible --name "$window_title" >/dev/null 2>&1
}

# launch NAME: starts the installed launcher in the background as the test's player, waits for the
# game's window and puts the pointer over it, which gives it the keyboard (there is no window manager).
launch() {
    HOME="$home" XDG_DATA_HOME="$data" DISPLAY="$display" "$prefix/bin/tavrello" >"$scratch/$1.log" 2>&1 &
    game=$!
    game_reaped=""
    wait_for 60 window_or_exit && game_running && on_display xdotool mousemove 960 420
}

# Only a game this test started and has not yet reaped is stopped at exit.
stop_game() {
    [ -n "${game:-}" ] && [ -z "$game_reaped" ] && kill "$game" 2>/dev/null
}
at_exit stop_game

# Escape leaves the settings page, then closes the game from the main menu; a lost press is repeated.
quit_with_escape() {
    local attempt
    for attempt in 1 2 3 4; do
        on_display xdotool key Escape
        wait_for 3 eval '! game_running' && break
    done
    if game_running; then
        printf '  the game is still running after %d Escape presses\n' "$attempt"
        kill "$game"
    fi
    wait "$game"
    local status=$?
    game_reaped=yes
    return "$status"
}

# The registration path: splash -> Space -> main menu -> Start (no player yet) -> settings page with
# the name prompt -> type the name -> Enter; the store then writes the file in the working directory.
register_player() {
    local menu splash
    splash=$(screen_digest)
    on_display xdotool key space
    # The keys wait in the queue while the game loads its assets, so this covers the loading too.
    wait_for 60 settled_away_from "$splash" || return 1
    menu=$settled
    on_display xdotool mousemove 960 420 mousedown 1 && sleep 0.1 && on_display xdotool mouseup 1
    wait_for 10 changed_from "$menu" || return 1
    on_display xdotool type --delay 60 "$player" && on_display xdotool key Return
    wait_for 10 grep -qsx "$player" "$scores"
}

show_log() {
    tail -n 30 "$scratch/$1.log"
}

install_build "$cmake" "$build" "$prefix" || die "cmake --install into $prefix"
start_display || die "a private X display starts"

launch first || { show_log first; die "the installed launcher opens the game window"; }
pass "the installed launcher opens the game window"
check "a player registered through the menus is written to the player's directory" register_player
quit_with_escape
status=$?
check "Escape ends the game with status 0" same_text "$status" 0
[ "$status" -eq 0 ] || show_log first
check "the scores are a regular file of the player" eval '[ -f "$scores" ] && [ ! -L "$scores" ]'
check "nothing was written under the installation prefix" \
    eval '[ -z "$(find "$prefix" -name "highscore.txt*")" ]'
check "nothing was written under HOME when XDG_DATA_HOME is set" eval '[ ! -e "$home/.local" ]'

cp -- "$scores" "$scratch/scores-before"
install_build "$cmake" "$build" "$prefix" || die "a second cmake --install over the first"
check "a second install leaves the player's scores alone" cmp -s "$scratch/scores-before" "$scores"

launch second || { show_log second; die "the game starts again after the reinstall"; }
pass "the game starts again after the reinstall"
quit_with_escape
check "the second run ends with status 0" same_text "$?" 0
check "the player's scores survive the reinstall and the next start" \
    eval 'cmp -s "$scratch/scores-before" "$scores" && grep -qx "$player" "$scores"'
check "the game found every asset through the player's links" \
    eval '! grep -h "Failed to" "$scratch/first.log" "$scratch/second.log"'

finish
