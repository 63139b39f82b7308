#!/usr/bin/env bash
# A plain `cmake --install` into a scratch prefix: what lands where, checked with the freedesktop
# validators and man.
. "$(dirname "$0")/common.sh"
prefix="$scratch/pre fix"
app_id=io.github.tavrello.Tavrello
require "cmake --install into a prefix with a space in it" install_build "$prefix"

program="$prefix/libexec/tavrello/tavrello" launcher="$prefix/bin/tavrello"
check "the program is an ELF file in libexec, the command a sh script that dash and shellcheck accept" eval \
    '[ -x "$program" ] && file -b "$program" | grep -q ^ELF && [ -x "$launcher" ] &&
     same "$(head -n 1 "$launcher")" "#!/bin/sh" && dash -n "$launcher" && shellcheck -s sh "$launcher"'
check "every shipped asset is installed unchanged, nothing else, and no score file anywhere" eval \
    'diff -r -x "highscore.txt*" "$source/assets" "$prefix/share/tavrello/assets" &&
     [ -z "$(find "$prefix" -name "highscore*")" ]'

desktop="$prefix/share/applications/$app_id.desktop"
value() { sed -n "s/^$1=//p" "$desktop"; }
check "desktop-file-validate accepts the menu entry, a logic game that starts the command" eval \
    'desktop-file-validate "$desktop" &&
     same "$(value Name) $(value Exec) $(value Categories)" "Tavrello tavrello Game;LogicGame;"'
check "the entry's icon is a 256x256 PNG in the hicolor theme" eval \
    'file -b "$prefix/share/icons/hicolor/256x256/apps/$(value Icon).png" |
     grep -q "PNG image data, 256 x 256"'
metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
check "appstreamcli validate --no-net accepts the metainfo, which launches the menu entry" eval \
    'appstreamcli validate --no-net "$metainfo" && grep -q ">$app_id.desktop</launchable>" "$metainfo"'

check "man renders the compressed manual page without a warning" eval \
    'LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man6/tavrello.6.gz" >"$scratch/man" \
         2>"$scratch/man.err" && grep -q "^SYNOPSIS" "$scratch/man" && same "$(cat "$scratch/man.err")" ""'
doc="$prefix/share/doc/tavrello"
check "the copyright files and the changelog are installed" eval \
    'cmp "$source/packaging/copyright" "$doc/copyright" && cmp "$source/assets/COOPBL.TTF.copyright" \
         "$doc/COOPBL.TTF.copyright" && zcmp "$doc/changelog.gz" "$source/packaging/changelog"'
finish
