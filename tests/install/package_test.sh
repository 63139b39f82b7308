#!/usr/bin/env bash
# The .deb package of the build tree: lintian finds no error or warning, the games layout, one version
# everywhere, the font linked to the system's copy, and the unpacked command starting the program.
. "$(dirname "$0")/common.sh"
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/packages" >"$scratch/cpack.log" 2>&1 ||
    cat "$scratch/cpack.log"
deb=$(find "$scratch/packages" -maxdepth 1 -name '*.deb')
require "cpack -G DEB builds one package" same "$(basename -a $deb | sed 's/_.*//')" tavrello
lintian_clean() {
    lintian --fail-on error,warning --display-info "$deb" 2>&1 | tee "$scratch/lintian"
    [ "${PIPESTATUS[0]}" -eq 0 ] && ! grep -q '^[EW]:' "$scratch/lintian"
}
check "lintian reports no error and no warning" lintian_clean
check "the package is tavrello in section games, with the libraries and the font it needs" eval \
    'same "$(dpkg-deb -f "$deb" Package Section | paste -sd " ")" "Package: tavrello Section: games" &&
     dpkg-deb -f "$deb" Depends | grep "fonts-dejavu-core" | grep "libsfml-graphics2.5" | grep -q "libc6"'

root="$scratch/root" data=usr/share/games/tavrello/assets
dpkg-deb -x "$deb" "$root"
check "the command is in /usr/games, the program and data where the games policy allows, no score file" eval \
    '[ -x "$root/usr/games/tavrello" ] && [ -x "$root/usr/libexec/tavrello/tavrello" ] &&
     diff -r -x "highscore.txt*" -x COOPBL.TTF "$source/assets" "$root/$data" &&
     [ -z "$(find "$root" -name "highscore*")" ]'
font=$(realpath -m "/$data/$(readlink "$root/$data/COOPBL.TTF")")
check "the font is a link to the font package's copy of the font the game is made with" eval \
    'same "$(dpkg -S "$font")" "fonts-dejavu-core: $font" && cmp "$font" "$source/assets/COOPBL.TTF"'

version=$(dpkg-deb -f "$deb" Version)
zcat "$root/usr/share/doc/tavrello/changelog.gz" >"$scratch/changelog"
check "the changelog, the manual page and the metainfo name the package's version" same \
    "$(dpkg-parsechangelog -l "$scratch/changelog" -S Version) $(zcat "$root"/usr/share/man/man6/*.gz |
        sed -n 's/^\.TH .*"Tavrello \([^"]*\)".*/\1/p') $(grep -o 'release version="[^"]*"' \
        "$root"/usr/share/metainfo/*.xml | cut -d '"' -f 2)" "$version $version $version"

printf '#!/bin/sh\npwd -P\n' >"$root/usr/libexec/tavrello/tavrello"
home="$scratch/home"
check "the unpacked command starts the program in the player's directory, linked to the packaged data" eval \
    'same "$(env -u XDG_DATA_HOME HOME="$home" "$root/usr/games/tavrello")" "$home/.local/share/tavrello" &&
     same "$(readlink "$home/.local/share/tavrello/assets/gem_20.png")" "$root/$data/gem_20.png"'
finish
