#!/usr/bin/env bash
# Builds everything for i686 and x86_64 and runs the i686 tests with CTest
# under Wine on a private Xvfb. The x86_64 build only proves the code 64-bit
# clean: its tests are built, not run. Also builds the X11 census natively and
# runs its tests on the same Xvfb. Exits with CTest's status (the last failing one).
#
#   scripts/test.sh [CTEST OPTION...]     e.g. scripts/test.sh -R geometry
set -euo pipefail
scripts=$(dirname "${BASH_SOURCE[0]}")
source "$scripts/lib/setup.sh"
source "$scripts/lib/build.sh"
# Always on a private display of their own, whatever display there is.
unset DISPLAY
source "$scripts/lib/wine-env.sh"

keyvane_install_packages
keyvane_build i686
keyvane_build x86_64
keyvane_build x11
keyvane_start_xvfb
keyvane_prepare_prefix
keyvane_keep_wine_running

# keyvane_selected_tests BUILD [CTEST OPTION...]: how many of the build's tests
# the options select.
keyvane_selected_tests() {
    local dir=$KEYVANE_BUILD_ROOT/$1
    shift
    ctest --test-dir "$dir" -N "$@" | sed -n 's/^Total Tests: //p'
}

# The Windows programs' tests under Wine, then the X11 census's native tests
# on the same display. The test preset's options; the preset itself would run
# the tests of its own build directory. Serially: the hotkey tests share one
# window station, the X11 tests one display. Options that select no test of
# either build are a mistake.
status=0
selected=0
for build in i686 x11; do
    count=$(keyvane_selected_tests "$build" "$@")
    if [ "${count:-0}" -eq 0 ]; then
        continue
    fi
    selected=$((selected + count))
    keyvane_run ctest --test-dir "$KEYVANE_BUILD_ROOT/$build" -j1 --output-on-failure \
        --timeout 600 "$@" || status=$?
done
if [ $selected -eq 0 ]; then
    echo "No tests were found." >&2
    exit 1
fi
exit $status
