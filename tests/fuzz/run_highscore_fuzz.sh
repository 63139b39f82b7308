#!/usr/bin/env bash
# Builds the high-score fuzz target with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs it from the committed seed corpus for a bounded budget.
# Usage: run_highscore_fuzz.sh BUILD_DIR [BUDGET]
#   BUDGET is a time such as "30s" (the default) or a number of inputs such as "200000".
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:?usage: run_highscore_fuzz.sh BUILD_DIR [BUDGET]}"
budget="${2:-30s}"
cxx="${CLANGXX:-$(command -v clang++-14 || command -v clang++ || true)}"
if [ -z "$cxx" ]; then
    echo "run_highscore_fuzz.sh: clang++ not found (Debian packages clang and libclang-rt-14-dev)" >&2
    exit 1
fi

mkdir -p "$build"
binary="$build/highscore_fuzz"
if [ ! -x "$binary" ] || [ -n "$(find "$here/highscore_fuzz.cpp" "$root/scores" -newer "$binary" -print -quit)" ]; then
    "$cxx" -std=c++17 -g -O1 -Wall -Wextra -Wpedantic -Werror \
        -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
        -I"$root" "$here/highscore_fuzz.cpp" "$root"/scores/*.cpp -o "$binary"
fi

case "$budget" in
    *s) limit="-max_total_time=${budget%s}" ;;
    *) limit="-runs=$budget" ;;
esac
# New inputs go to a scratch corpus so the committed seeds stay as they are.
work="$(mktemp -d "$build/corpus.XXXXXX")"
trap 'rm -rf "$work"' EXIT
"$binary" "$limit" -seed="${FUZZ_SEED:-1}" -max_len=4096 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$build/" "$work" "$here/corpus"
