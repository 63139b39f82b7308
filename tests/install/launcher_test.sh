#!/usr/bin/env bash
# The installed launcher with a stand-in for the game program: where each player's working directory
# goes, how its links follow installs, upgrades and moves, and that the player's own files survive.
. "$(dirname "$0")/common.sh"
prefix="$scratch/first prefix" report="$scratch/report" home="$scratch/home a" work="$home/.local/share/tavrello"
require "cmake --install" eval '"$cmake" --install "$build" --prefix "$prefix" >"$scratch/log" 2>&1 ||
    ! cat "$scratch/log"'
printf '#!/bin/sh\n{ pwd -P; printf "%%s\\n" "$@"; } >"$REPORT"\nexit "${STATUS:-0}"\n' \
    >"$prefix/libexec/tavrello/tavrello"
# start HOME XDG_DATA_HOME PREFIX [ARGS...]: an empty XDG_DATA_HOME leaves it unset.
start() {
    rm -f -- "$report"
    env -u XDG_DATA_HOME HOME="$1" ${2:+"XDG_DATA_HOME=$2"} REPORT="$report" "$3/bin/tavrello" "${@:4}"
}
started_in() { same "$(head -n 1 "$report" 2>/dev/null)" "$1"; }
# The player's assets directory links every installed asset but the score files, and nothing else.
links_match() {
    same "$(cd -- "$1" && find . -type l -printf '%P -> %l\n' | LC_ALL=C sort)" \
        "$(cd -- "$2/share/tavrello/assets" && find . -mindepth 1 -maxdepth 1 ! -name 'highscore*' \
            -printf "%P -> $PWD/%P\n" | LC_ALL=C sort)"
}
start "$home" "" "$prefix" "one arg" two
check "without XDG_DATA_HOME the game starts in ~/.local/share/tavrello, with the arguments and every asset linked" \
    eval 'same "$(paste -sd "|" "$report")" "$work|one arg|two" && links_match "$work/assets" "$prefix"'
check "an absolute XDG_DATA_HOME holds the working directory, nothing under HOME; a relative one is ignored" \
    eval 'start "$scratch/home b" "$scratch/xdg b" "$prefix" && started_in "$scratch/xdg b/tavrello" &&
          [ ! -e "$scratch/home b" ] && start "$home" relative "$prefix" && started_in "$work"'
player_files=(highscore.txt highscore.txt.bak highscore.txt.bak.1 highscore.txt.tmp notes.txt)
for name in "${player_files[@]}"; do echo "$name of the player" >"$work/assets/$name"; done
kept() { (cd -- "$work/assets" && for n in "${player_files[@]}"; do [ ! -L "$n" ] && cat "$n"; done); }
before=$(kept)
# An upgrade adds and drops assets, and a careless one ships a score file; a link left by an older install goes.
rm -- "$prefix/share/tavrello/assets/gem_20.png"
echo new >"$prefix/share/tavrello/assets/new_gem.png"
touch -- "$prefix/share/tavrello/assets/highscore.txt"
ln -s /nonexistent/tavrello/old_gem.png "$work/assets/old_gem.png"
start "$home" "" "$prefix"
check "after an upgrade the links follow the installed assets, no score file linked; the player's files stay" \
    eval 'links_match "$work/assets" "$prefix" && same "$(kept)" "$before"'
moved="$scratch/moved prefix"
mv -- "$prefix" "$moved" && mkdir -- "$scratch/bin" && ln -s -- "$moved/bin/tavrello" "$scratch/bin/tavrello"
rm -f -- "$report" && PATH="$scratch/bin:$PATH" env -u XDG_DATA_HOME HOME="$home" REPORT="$report" STATUS=7 tavrello
check "a moved installation started through a link on PATH links its new place, returns the game's status" \
    eval "[ $? -eq 7 ] && started_in \"\$work\" && links_match \"\$work/assets\" \"\$moved\" &&
          same \"\$(kept)\" \"\$before\""
start "$scratch/home e" "" "$moved" 2>"$scratch/e1" & first=$!
check "two simultaneous first starts both succeed" eval 'start "$scratch/home e" "" "$moved" 2>"$scratch/e2" &&
    wait "$first" && same "$(cat "$scratch"/e[12])" "" &&
    links_match "$scratch/home e/.local/share/tavrello/assets" "$moved"'
echo "a file" >"$scratch/not-a-dir"
start "$home" "$scratch/not-a-dir" "$moved" 2>"$scratch/e1"
bad_dir=$? && rm -- "$moved/libexec/tavrello/tavrello" && start "$home" "" "$moved" 2>"$scratch/e2"
check "an unusable data directory stops the launcher with an error naming it; a missing program gets status 127" \
    eval "[ $bad_dir -ne 0 ] && [ $? -eq 127 ] && grep -q not-a-dir \"\$scratch/e1\" &&
          grep -q libexec/tavrello/tavrello \"\$scratch/e2\""
finish
