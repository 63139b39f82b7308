#!/usr/bin/env bash
# The installed launcher with a stand-in for the game program: where each player's working directory
# goes, how its asset links follow installs, upgrades and moves, and that the player's scores survive.
# Usage: launcher_test.sh CMAKE BUILD_DIR
set -u
cmake=$1 build=$2
. "$(dirname "$0")/common.sh"

prefix="$scratch/first prefix"
install_build "$cmake" "$build" "$prefix" || die "cmake --install into $prefix"
prefix=$(cd -- "$prefix" && pwd -P)

# The stand-in records its working directory and arguments, and exits with the status asked for.
cat >"$prefix/libexec/tavrello/tavrello" <<'EOF'
#!/bin/sh
{ pwd -P; printf '%s\n' "$@"; } >"$STUB_REPORT"
exit "${STUB_STATUS:-0}"
EOF

report="$scratch/report"
# launch HOME XDG_DATA_HOME [LAUNCHER [ARGS...]]: an empty XDG_DATA_HOME leaves it unset.
launch() {
    local home=$1 data=$2 launcher=${3:-$prefix/bin/tavrello}
    shift $(($# < 3 ? $# : 3))
    rm -f -- "$report"
    if [ -n "$data" ]; then
        env HOME="$home" XDG_DATA_HOME="$data" STUB_REPORT="$report" "$launcher" "$@"
    else
        env -u XDG_DATA_HOME HOME="$home" STUB_REPORT="$report" "$launcher" "$@"
    fi
}
started_in() {
    same_text "$(head -n 1 "$report" 2>/dev/null)" "$1"
}
# Every installed asset, and nothing else, is linked from the player's assets directory.
links_match() {
    local assets=$1 shared=$2 name
    diff <(list_names "$shared" | grep -v '^highscore\.txt') <(cd -- "$assets" && find . -type l -printf '%P\n' | LC_ALL=C sort) ||
        return 1
    while IFS= read -r name; do
        same_text "$(readlink -- "$assets/$name")" "$shared/$name" || return 1
    done < <(cd -- "$assets" && find . -type l -printf '%P\n')
}

shared="$prefix/share/tavrello/assets"
home_a="$scratch/home of a"
mkdir -p -- "$home_a"
work_a="$home_a/.local/share/tavrello"
launch "$home_a" "" "$prefix/bin/tavrello" "one arg" two
check "without XDG_DATA_HOME the game starts in ~/.local/share/tavrello" started_in "$work_a"
check "arguments reach the game" same_text "$(tail -n +2 "$report" | paste -sd '|')" "one arg|two"
check "the player's assets directory links every installed asset" links_match "$work_a/assets" "$shared"
check "the launcher itself writes no high-score file" eval '[ ! -e "$work_a/assets/highscore.txt" ]'

home_b="$scratch/home-b"
mkdir -p -- "$home_b"
launch "$home_b" "$scratch/xdg b"
check "XDG_DATA_HOME chooses the working directory" started_in "$scratch/xdg b/tavrello"
check "with XDG_DATA_HOME set nothing is made under HOME" eval '[ ! -e "$home_b/.local" ]'
launch "$home_b" "relative/data"
check "a relative XDG_DATA_HOME is ignored" started_in "$home_b/.local/share/tavrello"

# The player's scores, and the store's backup and temporary copies, are regular files of the player.
printf 'Alice\n[LAST_PLAYER]\nAlice\n' >"$work_a/assets/highscore.txt"
printf 'old\n' >"$work_a/assets/highscore.txt.bak"
printf 'half\n' >"$work_a/assets/highscore.txt.tmp"
printf 'mine\n' >"$work_a/assets/notes.txt"
cp -- "$work_a/assets/highscore.txt" "$scratch/scores-before"
touch -- "$shared/highscore.txt" "$shared/highscore.txt.bak" # as if a careless install had shipped them
launch "$home_a" ""
player_files_kept() {
    cmp -s "$scratch/scores-before" "$work_a/assets/highscore.txt" &&
        [ ! -L "$work_a/assets/highscore.txt" ] &&
        same_text "$(cat "$work_a/assets/highscore.txt.bak" "$work_a/assets/highscore.txt.tmp")" $'old\nhalf' &&
        same_text "$(cat "$work_a/assets/notes.txt")" "mine"
}
check "a second start keeps the player's scores and own files" player_files_kept
launch "$scratch/home-c" ""
check "another player starts without the first one's scores, and no installed file stands in" \
    eval '[ -z "$(find "$scratch/home-c/.local/share/tavrello/assets" -name "highscore*")" ]'
rm -f -- "$shared/highscore.txt" "$shared/highscore.txt.bak"

# An upgrade adds and drops assets; a link left by an older install elsewhere goes too.
first_asset=$(list_names "$shared" | head -n 1)
rm -f -- "$shared/$first_asset"
printf 'new\n' >"$shared/new_gem.png"
ln -s /nonexistent/tavrello/old_gem.png "$work_a/assets/old_gem.png"
launch "$home_a" ""
check "after an upgrade the links follow the installed assets" links_match "$work_a/assets" "$shared"
check "an upgrade keeps the player's scores and own files" player_files_kept

moved="$scratch/moved prefix"
mv -- "$prefix" "$moved"
launch "$home_a" "" "$moved/bin/tavrello"
check "a moved installation still starts the game" started_in "$work_a"
check "after a move the links point into the new place" links_match "$work_a/assets" "$moved/share/tavrello/assets"
check "a move keeps the player's scores and own files" player_files_kept

mkdir -p -- "$scratch/path bin"
ln -s -- "$moved/bin/tavrello" "$scratch/path bin/tavrello"
report_from_path() {
    PATH="$scratch/path bin:$PATH" launch "$home_a" "" tavrello
}
check "started through a link on PATH the launcher finds its installation" report_from_path
check "... and starts the game in the player's directory" started_in "$work_a"

STUB_STATUS=7 launch "$home_a" "" "$moved/bin/tavrello"
check "the game's exit status is the launcher's" same_text "$?" 7

printf 'a file, not a directory\n' >"$scratch/not-a-dir"
launch "$home_a" "$scratch/not-a-dir" "$moved/bin/tavrello" 2>"$scratch/stderr"
status=$?
check "an unusable data directory stops the launcher with an error" \
    eval '[ "$status" -ne 0 ] && [ ! -e "$report" ] && grep -q "not-a-dir" "$scratch/stderr"'

# Two starts at once for a new player must not trip over each other's links.
both_start() {
    local home="$scratch/home-d"
    env -u XDG_DATA_HOME HOME="$home" STUB_REPORT="$scratch/r1" "$moved/bin/tavrello" 2>"$scratch/e1" &
    local first=$!
    env -u XDG_DATA_HOME HOME="$home" STUB_REPORT="$scratch/r2" "$moved/bin/tavrello" 2>"$scratch/e2"
    local second=$?
    wait "$first" && [ "$second" -eq 0 ] && [ ! -s "$scratch/e1" ] && [ ! -s "$scratch/e2" ] &&
        links_match "$home/.local/share/tavrello/assets" "$moved/share/tavrello/assets"
}
check "two simultaneous first starts both succeed" both_start

rm -f -- "$moved/libexec/tavrello/tavrello"
launch "$home_a" "" "$moved/bin/tavrello" 2>"$scratch/stderr"
status=$?
check "a missing game program is reported with status 127" \
    eval '[ "$status" -eq 127 ] && grep -q "libexec/tavrello/tavrello" "$scratch/stderr"'

finish
