# What the scripts' tests share: a scratch folder removed on exit, checks
# that count their failures, and the closing verdict. Sourced by them.
set -uo pipefail

# The cases set the forcing variable themselves: a run of the whole suite with
# it set (to try the other branch) must not change what they expect.
unset KEYVANE_ASSUME_NO_32BIT

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

# expect WHAT EXPECTED GOT
expect() {
    if [ "$2" = "$3" ]; then
        echo "ok: $1"
    else
        printf 'FAIL: %s: expected [%s], got [%s]\n' "$1" "$2" "$3" >&2
        failures=$((failures + 1))
    fi
}

# Ends the test: it fails when any check did.
finish_checks() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
    echo "all checks passed"
}
