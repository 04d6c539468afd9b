# What the shell-driven tests share: checks that say what was expected and
# what came back, counting their failures, and the verdict that ends a test.
# Sourced by them. A test may set check_subject to name what every line is
# about.

check_failures=0
check_subject=

# expect WHAT EXPECTED GOT: records the comparison and goes on.
expect() {
    local what=${check_subject:+$check_subject: }$1
    if [ "$2" = "$3" ]; then
        echo "ok: $what: $3"
    else
        echo "FAIL: $what: expected [$2], got [$3]" >&2
        check_failures=$((check_failures + 1))
    fi
}

# Ends the test: it fails when any check did.
finish_checks() {
    if [ "$check_failures" -ne 0 ]; then
        echo "$check_failures check(s) failed" >&2
        exit 1
    fi
    echo "all checks passed"
}
