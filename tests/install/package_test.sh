#!/usr/bin/env bash
# The install rules and the .deb packaging on a small stand-in project: the same cmake/install.cmake and
# packaging/ files, a stand-in game program, assets that include a player's leftover score files, and
# the launcher in /usr/games as Debian places games.
# Usage: package_test.sh CMAKE CPACK SOURCE_DIR
set -u
cmake=$1 cpack=$2 source=$3
. "$(dirname "$0")/common.sh"

project="$scratch/project"
mkdir -p -- "$project/cmake" "$project/dist/icons" "$project/assets/extra"
cp -- "$source/cmake/install.cmake" "$project/cmake/"
cp -r -- "$source/packaging" "$project/"
cp -- "$source/LICENSE" "$project/"
cp -- "$source/dist/icons/tavrello.png" "$project/dist/icons/"
cp -- "$source/assets/COOPBL.TTF.copyright" "$project/assets/"
printf 'picture\n' >"$project/assets/board.png"
printf 'sound\n' >"$project/assets/extra/drop.mp3"
for leftover in highscore.txt highscore.txt.bak highscore.txt.tmp; do
    printf 'Someone\n[LAST_PLAYER]\nSomeone\n' >"$project/assets/$leftover"
done
cat >"$project/CMakeLists.txt" <<'EOF'
cmake_minimum_required(VERSION 3.16)
project(Tavrello VERSION 1.0 LANGUAGES CXX)
add_executable(tavrello stand_in.cpp)
include(cmake/install.cmake)
EOF
# The stand-in prints the directory it was started in, which is all the launcher decides.
cat >"$project/stand_in.cpp" <<'EOF'
#include <iostream>
#include <unistd.h>
int main() {
    char path[4096];
    if (getcwd(path, sizeof path) == nullptr)
        return 2;
    std::cout << path << '\n';
    return 0;
}
EOF

build="$scratch/build"
configure_and_build() {
    "$cmake" -S "$project" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_BINDIR=games \
        >"$scratch/configure.log" 2>&1 &&
        "$cmake" --build "$build" >>"$scratch/configure.log" 2>&1 && return 0
    cat "$scratch/configure.log"
    return 1
}
configure_and_build || die "the stand-in project configures and builds"

prefix="$scratch/prefix"
install_build "$cmake" "$build" "$prefix" || die "cmake --install of the stand-in project"
check "the launcher goes to the chosen bin directory" eval '[ -x "$prefix/games/tavrello" ] && [ ! -e "$prefix/bin" ]'
check "assets are installed with their subdirectories, score files left out" \
    same_text "$(list_names "$prefix/share/tavrello/assets" | paste -sd ' ')" \
    "COOPBL.TTF.copyright board.png extra/drop.mp3"

home="$scratch/home"
mkdir -p -- "$home"
run_game() {
    env -u XDG_DATA_HOME HOME="$home" "$1"
}
check "from a games directory the launcher still finds the program" \
    same_text "$(run_game "$prefix/games/tavrello")" "$home/.local/share/tavrello"
check "a subdirectory of assets is linked as a whole" \
    same_text "$(cat "$home/.local/share/tavrello/assets/extra/drop.mp3")" "sound"

packages="$scratch/packages"
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$packages" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; die "cpack -G DEB builds a package"; }
deb=$(find "$packages" -maxdepth 1 -name '*.deb')
check "cpack -G DEB builds one package" eval '[ "$(printf "%s\n" "$deb" | grep -c "\.deb$")" = 1 ]'

field() {
    dpkg-deb -f "$deb" "$1"
}
check "the package is called tavrello, version 1.0, in section games" \
    same_text "$(field Package) $(field Version) $(field Section)" "tavrello 1.0 games"
check "the package depends on the C++ runtime the program links" \
    eval 'field Depends | grep -q "libstdc++6" && field Depends | grep -q "libc6"'
check "the package names a maintainer" eval 'field Maintainer | grep -q "<.*@.*>"'

contents="$scratch/contents"
dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./||' >"$contents"
holds() {
    grep -qx "$1" "$contents"
}
for path in usr/games/tavrello usr/libexec/tavrello/tavrello usr/share/tavrello/assets/board.png \
    usr/share/applications/io.github.tavrello.Tavrello.desktop \
    usr/share/icons/hicolor/256x256/apps/tavrello.png \
    usr/share/metainfo/io.github.tavrello.Tavrello.metainfo.xml usr/share/doc/tavrello/copyright; do
    check "the package holds /$path" holds "$path"
done
check "the package holds no score file" eval '! grep -q highscore "$contents"'

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
rm -rf -- "$home/.local"
check "the unpacked package starts the program in the player's directory" \
    same_text "$(run_game "$root/usr/games/tavrello")" "$home/.local/share/tavrello"
check "... with links into the unpacked assets" \
    same_text "$(readlink "$home/.local/share/tavrello/assets/board.png")" \
    "$(cd "$root" && pwd -P)/usr/share/tavrello/assets/board.png"

finish
