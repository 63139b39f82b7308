# Shared helpers of the install tests (sourced by bash): checks with a closing tally, a scratch
# directory removed at exit, and installing the build tree into a prefix.

passed=0
failed=0
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tavrello-install.XXXXXX")
cleanup_steps=()

cleanup() {
    local step
    for step in "${cleanup_steps[@]}"; do
        eval "$step" || true
    done
    rm -rf -- "$scratch"
}
trap cleanup EXIT
trap 'exit 1' HUP INT TERM PIPE

at_exit() {
    cleanup_steps+=("$1")
}

pass() {
    passed=$((passed + 1))
    printf 'ok: %s\n' "$1"
}

fail() {
    failed=$((failed + 1))
    printf 'FAIL: %s\n' "$1"
}

# check DESCRIPTION COMMAND...: the command's success is the check.
check() {
    local what=$1
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}

# For a step that later checks cannot do without.
die() {
    printf 'FAIL: %s\n' "$1"
    failed=$((failed + 1))
    finish
}

finish() {
    printf '%d passed, %d failed\n' "$passed" "$failed"
    [ "$failed" -eq 0 ] && exit 0
    exit 1
}

# install_build CMAKE BUILD_DIR PREFIX
install_build() {
    "$1" --install "$2" --prefix "$3" >"$scratch/install.log" 2>&1 && return 0
    cat "$scratch/install.log"
    return 1
}

same_text() {
    [ "$1" = "$2" ] && return 0
    printf '  expected: %s\n  actual:   %s\n' "$2" "$1"
    return 1
}

# wait_for SECONDS COMMAND...: polls the command every 0.1 s until it succeeds or time runs out.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# Names of the files a directory holds, one a line, sorted.
list_names() {
    (cd -- "$1" && find . -mindepth 1 \( -type f -o -type l \) -printf '%P\n' | LC_ALL=C sort)
}
