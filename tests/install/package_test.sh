#!/usr/bin/env bash
# The .deb package: lintian-clean, its games layout accepted by the freedesktop validators and man, one version
# everywhere, the font linked to the system's copy, the unpacked command starting the program.
. "$(dirname "$0")/common.sh"
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/packages" >"$scratch/cpack.log" 2>&1 ||
    cat "$scratch/cpack.log"
deb=$(find "$scratch/packages" -maxdepth 1 -name '*.deb')
require "cpack -G DEB builds one package" same "$(basename -a $deb | sed 's/_.*//')" tavrello
lintian --fail-on error,warning --display-info "$deb" >"$scratch/lintian" 2>&1; status=$? && cat "$scratch/lintian"
check "lintian reports no error and no warning" eval '[ $status -eq 0 ] && ! grep -q "^[EW]:" "$scratch/lintian"'
check "the package is tavrello in section games, with the libraries and the font it needs" eval \
    'same "$(dpkg-deb -f "$deb" Package Section | paste -sd " ")" "Package: tavrello Section: games" &&
     dpkg-deb -f "$deb" Depends | grep "fonts-dejavu-core" | grep "libsfml-graphics2.5" | grep -q "libc6"'
root="$scratch/root" data=usr/share/games/tavrello/assets share="$scratch/root/usr/share"
dpkg-deb -x "$deb" "$root"
launcher="$root/usr/games/tavrello" program="$root/usr/libexec/tavrello/tavrello"
check "the command is a sh script in /usr/games that dash and shellcheck accept, the program an ELF file that \
finds every library it needs" eval 'same "$(head -n 1 "$launcher")" "#!/bin/sh" && dash -n "$launcher" &&
     shellcheck -s sh "$launcher" && [ -x "$launcher" ] && [ -x "$program" ] && file -b "$program" | grep -q ^ELF &&
     ldd "$program" >"$scratch/ldd" && ! grep -q "not found" "$scratch/ldd"'
font=$(realpath -m "/$data/$(readlink "$root/$data/COOPBL.TTF")")
check "every shipped asset is in the games data directory unchanged, the font a link to the font package's copy, \
nothing else, no score file anywhere" eval 'diff -r -x "highscore.txt*" -x COOPBL.TTF "$source/assets" "$root/$data" &&
     same "$(dpkg -S "$font")" "fonts-dejavu-core: $font" && cmp "$font" "$source/assets/COOPBL.TTF" &&
     [ -z "$(find "$root" -name "highscore*")" ]'
app_id=io.github.tavrello.Tavrello desktop="$share/applications/$app_id.desktop"
value() { sed -n "s/^$1=//p" "$desktop"; }
check "desktop-file-validate accepts the menu entry, a logic game with a 256x256 icon that starts the command" eval \
    'desktop-file-validate "$desktop" &&
     same "$(value Name) $(value Exec) $(value Categories)" "Tavrello tavrello Game;LogicGame;" &&
     file -b "$share/icons/hicolor/256x256/apps/$(value Icon).png" | grep -q "PNG image data, 256 x 256"'
check "appstreamcli validate --no-net accepts the metainfo, which launches the menu entry" eval \
    'appstreamcli validate --no-net "$share/metainfo/$app_id.metainfo.xml" &&
     grep -q ">$app_id.desktop</launchable>" "$share/metainfo/$app_id.metainfo.xml"'
check "man renders the manual page without a warning; the game's and the font's copyright files are there" eval \
    'LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man6/tavrello.6.gz" >"$scratch/man" \
         2>"$scratch/man.err" && grep -q "^SYNOPSIS" "$scratch/man" && same "$(cat "$scratch/man.err")" "" &&
     cmp "$source/packaging/copyright" "$share/doc/tavrello/copyright" &&
     cmp "$source/assets/COOPBL.TTF.copyright" "$share/doc/tavrello/COOPBL.TTF.copyright"'
version=$(dpkg-deb -f "$deb" Version) changelog="$source/packaging/changelog"
check "the changelog (the project's own), the manual page and the metainfo name the package's version" eval \
    'zcat "$share/doc/tavrello/changelog.gz" | cmp - "$changelog" && same "$(dpkg-parsechangelog -l "$changelog" \
         -S Version) $(zcat "$share"/man/man6/*.gz | sed -n "s/^\.TH .*\"Tavrello \([^\"]*\)\".*/\1/p") $(grep -o \
         "release version=\"[^\"]*\"" "$share"/metainfo/*.xml | cut -d "\"" -f 2)" "$version $version $version"'
printf '#!/bin/sh\npwd -P\n' >"$program" && home="$scratch/home"
check "the unpacked command starts the program in the player's directory, linked to the packaged data" eval \
    'same "$(env -u XDG_DATA_HOME HOME="$home" "$launcher")" "$home/.local/share/tavrello" &&
     same "$(readlink "$home/.local/share/tavrello/assets/gem_20.png")" "$root/$data/gem_20.png"'
finish
