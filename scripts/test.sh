#!/usr/bin/env bash
# Builds everything for i686 and x86_64, and the X11 census natively, and runs
# the tests of each Windows build this machine runs, one after the other, with
# CTest under Wine on a private Xvfb, each build in a Wine prefix of its own;
# then the X11 census's native tests on the same display. Exits non-zero when
# any run fails.
#
#   scripts/test.sh [--arch i686|x86_64] [CTEST OPTION...]
#
# --arch builds and tests that build alone, e.g.
#   scripts/test.sh --arch x86_64 -R geometry
set -euo pipefail
scripts=$(dirname "${BASH_SOURCE[0]}")
source "$scripts/lib/setup.sh"
source "$scripts/lib/build.sh"
source "$scripts/lib/arch.sh"
# Always on a private display of their own, whatever display there is.
unset DISPLAY
source "$scripts/lib/wine-env.sh"

keyvane_take_arch_option "$@"
keyvane_install_packages
keyvane_check_32bit
keyvane_select_arches all
# Without --arch, both Windows builds even where only one runs: each keeps the
# code warning-free; and the X11 census, whose tests run natively.
builds=("${KEYVANE_ARCHES[@]}" x11)
if [ -n "$keyvane_requested_arch" ]; then
    builds=("$keyvane_requested_arch")
    runs=("$keyvane_requested_arch")
else
    runs=("${keyvane_arches[@]}" x11)
fi
for build in "${builds[@]}"; do
    keyvane_build "$build"
done
keyvane_start_xvfb

# keyvane_selected_tests BUILD: how many of the build's tests the CTest options
# select.
keyvane_selected_tests() {
    ctest --test-dir "$KEYVANE_BUILD_ROOT/$1" -N "${keyvane_other_args[@]}" | sed -n 's/^Total Tests: //p'
}

# The test preset's options; the preset itself would run the tests of its own
# build directory. Serially: the hotkey tests share one window station, the X11
# tests one display. Options that select no test of any build are a mistake.
failed=()
selected=0
for build in "${runs[@]}"; do
    count=$(keyvane_selected_tests "$build")
    if [ "${count:-0}" -eq 0 ]; then
        continue
    fi
    selected=$((selected + count))
    echo "Testing the $build build"
    if [ "$build" != x11 ]; then
        keyvane_use_arch "$build"
        keyvane_prepare_prefix
        keyvane_keep_wine_running
    fi
    keyvane_run ctest --test-dir "$KEYVANE_BUILD_ROOT/$build" -j1 --output-on-failure \
        --timeout 600 "${keyvane_other_args[@]}" || failed+=("$build")
    if [ "$build" != x11 ]; then
        keyvane_stop_wine
    fi
done

if [ $selected -eq 0 ]; then
    echo "No tests were found." >&2
    exit 1
fi
if [ ${#failed[@]} -ne 0 ]; then
    echo "Tests failed for: ${failed[*]}" >&2
    exit 1
fi
echo "Tests passed for: ${runs[*]}"
