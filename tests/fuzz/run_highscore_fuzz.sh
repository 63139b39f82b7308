#!/usr/bin/env bash
# Builds the high-score fuzz target with clang's libFuzzer and sanitizers when its sources changed, then
# runs it for a count of inputs from the committed seed corpus. Usage: run_highscore_fuzz.sh BUILD_DIR INPUTS
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$here/../.."
binary="$1/highscore_fuzz"
mkdir -p "$1"
if [ ! -x "$binary" ] || [ -n "$(find "$here/highscore_fuzz.cpp" "$root/scores" -newer "$binary" -print -quit)" ]; then
    clang++ -std=c++17 -g -O1 -Wall -Wextra -Wpedantic -Werror -fsanitize=fuzzer,address,undefined \
        -fno-sanitize-recover=undefined -I"$root" "$here/highscore_fuzz.cpp" "$root"/scores/*.cpp -o "$binary"
fi
# New inputs go to a scratch corpus so the committed seeds stay as they are; the store's files to memory.
work="$(mktemp -d "$1/corpus.XXXXXX")"
scratch="$(mktemp -d -p /dev/shm tavrello-fuzz.XXXXXX 2>/dev/null || mktemp -d)"
trap 'rm -rf "$work" "$scratch"' EXIT
FUZZ_SCRATCH="$scratch" "$binary" -runs="$2" -seed=1 -max_len=4096 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$1/" "$work" "$here/corpus"
