#!/usr/bin/env bash
# Builds the high-score fuzz target with clang's libFuzzer and sanitizers, then runs it from the
# committed seed corpus. Usage: run_highscore_fuzz.sh BUILD_DIR [INPUTS], 200000 inputs by default.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:?usage: run_highscore_fuzz.sh BUILD_DIR [INPUTS]}"
cxx="${CLANGXX:-$(command -v clang++-14 || command -v clang++ || true)}"
[ -n "$cxx" ] || { echo "run_highscore_fuzz.sh: clang++ not found (Debian: clang, libclang-rt-14-dev)" >&2; exit 1; }
mkdir -p "$build"
binary="$build/highscore_fuzz"
if [ ! -x "$binary" ] || [ -n "$(find "$here/highscore_fuzz.cpp" "$root/scores" -newer "$binary" -print -quit)" ]; then
    "$cxx" -std=c++17 -g -O1 -Wall -Wextra -Wpedantic -Werror -fsanitize=fuzzer,address,undefined \
        -fno-sanitize-recover=undefined -I"$root" "$here/highscore_fuzz.cpp" "$root"/scores/*.cpp -o "$binary"
fi
# New inputs go to a scratch corpus so the committed seeds stay as they are; the store's files go to
# memory when there is a memory file system.
work="$(mktemp -d "$build/corpus.XXXXXX")"
scratch="$(mktemp -d "$( [ -d /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/tavrello-fuzz.XXXXXX")"
trap 'rm -rf "$work" "$scratch"' EXIT
FUZZ_SCRATCH="$scratch" "$binary" -runs="${2:-200000}" -seed="${FUZZ_SEED:-1}" -max_len=4096 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$build/" "$work" "$here/corpus"
