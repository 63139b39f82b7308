# Sourced by each install test with CMAKE CPACK BUILD_DIR SOURCE_DIR: checks, their tally, a scratch folder.
set -u
cmake=$1 cpack=$2 build=$3 source=$4 passed=0 failed=0 scratch=$(mktemp -d "${TMPDIR:-/tmp}/tavrello-install.XXXXXX")
trap 'rm -rf -- "$scratch"' EXIT
trap 'exit 1' HUP INT TERM PIPE
# check DESCRIPTION COMMAND...: the command's success is the check.
check() {
    if "${@:2}"; then passed=$((passed + 1)) && printf 'ok: %s\n' "$1" && return; fi
    failed=$((failed + 1)) && printf 'FAIL: %s\n' "$1" && return 1
}
require() { check "$@" || finish; } # a check that the later ones cannot do without
finish() { printf '%d passed, %d failed\n' "$passed" "$failed" && exit $((failed > 0)); }
same() { [ "$1" = "$2" ] || ! printf '  expected: %s\n  actual:   %s\n' "$2" "$1"; }
