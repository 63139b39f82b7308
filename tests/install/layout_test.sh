#!/usr/bin/env bash
# Installs the build tree into a scratch prefix and checks what lands where: program, launcher,
# assets, desktop entry, icon, metainfo and licences, with the freedesktop validators.
# Usage: layout_test.sh CMAKE BUILD_DIR SOURCE_DIR
set -u
cmake=$1 build=$2 source=$3
. "$(dirname "$0")/common.sh"

prefix="$scratch/pre fix"
app_id=io.github.tavrello.Tavrello
install_build "$cmake" "$build" "$prefix" || die "cmake --install into $prefix"

is_elf() {
    [ "$(head -c 4 -- "$1" | od -An -c | tr -d ' ')" = '177ELF' ]
}
check "the program is an executable ELF file under libexec" \
    eval '[ -x "$prefix/libexec/tavrello/tavrello" ] && is_elf "$prefix/libexec/tavrello/tavrello"'
check "the launcher is an executable POSIX sh script" \
    eval '[ -x "$prefix/bin/tavrello" ] && same_text "$(head -n 1 "$prefix/bin/tavrello")" "#!/bin/sh"'
check "the launcher parses with dash" dash -n "$prefix/bin/tavrello"
if command -v shellcheck >/dev/null; then
    check "shellcheck finds nothing in the launcher" shellcheck -s sh "$prefix/bin/tavrello"
fi

shipped_assets() {
    list_names "$source/assets" | grep -v -E '^highscore\.txt($|\.)'
}
check "every shipped asset is installed, and nothing else" \
    eval 'diff <(shipped_assets) <(list_names "$prefix/share/tavrello/assets")'
identical_assets() {
    local name
    while IFS= read -r name; do
        cmp -s -- "$source/assets/$name" "$prefix/share/tavrello/assets/$name" || return 1
    done < <(shipped_assets)
}
check "installed assets are byte-identical to the source" identical_assets
check "no high-score file anywhere under the prefix" \
    eval '[ -z "$(find "$prefix" -name "highscore.txt*")" ]'

desktop="$prefix/share/applications/$app_id.desktop"
desktop_value() {
    sed -n "s/^$1=//p" "$desktop"
}
check "desktop-file-validate accepts the desktop entry" desktop-file-validate "$desktop"
check "the desktop entry is called Tavrello" same_text "$(desktop_value Name)" "Tavrello"
check "the desktop entry starts the launcher on PATH" same_text "$(desktop_value Exec)" "tavrello"
check "the desktop entry is a game and a logic game" \
    same_text "$(desktop_value Categories)" "Game;LogicGame;"

icon="$prefix/share/icons/hicolor/256x256/apps/$(desktop_value Icon).png"
png_size() {
    /usr/bin/python3 -c '
import struct, sys
data = open(sys.argv[1], "rb").read(24)
assert data[:8] == b"\x89PNG\r\n\x1a\n" and data[12:16] == b"IHDR", "not a PNG file"
print("%dx%d" % struct.unpack(">II", data[16:24]))' "$1"
}
check "the icon named by the desktop entry is a 256x256 PNG in the hicolor theme" \
    same_text "$(png_size "$icon" 2>&1)" "256x256"

metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
check "appstreamcli validate --no-net accepts the metainfo" appstreamcli validate --no-net "$metainfo"
check "the metainfo launches the installed desktop entry" \
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo"
check "the metainfo names the launcher as the binary" grep -q "<binary>tavrello</binary>" "$metainfo"

doc="$prefix/share/doc/tavrello"
check "the licence is installed unchanged" cmp -s "$source/LICENSE" "$doc/LICENSE"
check "the Debian copyright file is installed" grep -q '^License: MIT' "$doc/copyright"
check "the font's copyright file is installed with the documents" \
    cmp -s "$source/assets/COOPBL.TTF.copyright" "$doc/COOPBL.TTF.copyright"

finish
