#!/usr/bin/env bash
# Builds everything for i686 and x86_64 and runs the tests of each build this
# machine runs, one after the other, with CTest under Wine on a private Xvfb,
# each build in a Wine prefix of its own. Exits non-zero when any run fails.
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
# Without --arch, both builds even where only one runs: each keeps the code
# warning-free.
builds=("${KEYVANE_ARCHES[@]}")
if [ -n "$keyvane_requested_arch" ]; then
    builds=("$keyvane_requested_arch")
fi
for arch in "${builds[@]}"; do
    keyvane_build "$arch"
done
keyvane_start_xvfb

failed=()
for arch in "${keyvane_arches[@]}"; do
    echo "Testing the $arch build"
    keyvane_use_arch "$arch"
    keyvane_prepare_prefix
    keyvane_keep_wine_running
    # The test preset's options; the preset itself would run the tests of its
    # own build directory. Serially: the hotkey tests share one window station.
    keyvane_run ctest --test-dir "$KEYVANE_BUILD_ROOT/$arch" -j1 --output-on-failure \
        --no-tests=error --timeout 600 "${keyvane_other_args[@]}" || failed+=("$arch")
    keyvane_stop_wine
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "Tests failed for: ${failed[*]}" >&2
    exit 1
fi
echo "Tests passed for: ${keyvane_arches[*]}"
