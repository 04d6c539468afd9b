#!/usr/bin/env bash
# Builds everything for i686 and x86_64 and runs the i686 tests with CTest
# under Wine on a private Xvfb. The x86_64 build only proves the code 64-bit
# clean: its tests are built, not run. Exits with CTest's status.
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
keyvane_start_xvfb
keyvane_prepare_prefix
keyvane_keep_wine_running
# The test preset's options; the preset itself would run the tests of its own
# build directory. Serially: the hotkey tests share one window station.
keyvane_run ctest --test-dir "$KEYVANE_BUILD_ROOT/i686" -j1 --output-on-failure \
    --no-tests=error --timeout 600 "$@"
