#!/bin/sh
# Wraps a 256 x 256 PNG into a Windows icon: the header, one directory entry, then the PNG as it is.
set -eu
png=$1
ico=$2
le32() {
  for shift in 0 8 16 24; do
    # shellcheck disable=SC2059 # the format is the octal escape of one byte
    printf "\\$(printf %03o $((($1 >> shift) & 255)))"
  done
}
size=$(wc -c <"$png")
# Reserved, type 1 (icon), one image; 256 x 256 is written 0 x 0; no palette; one plane, 32 bits.
{ printf '\0\0\1\0\1\0\0\0\0\0\1\0\40\0'; le32 "$size"; le32 22; cat "$png"; } >"$ico"
