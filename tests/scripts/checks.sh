# What the scripts' tests share: the checks, and a scratch folder removed on
# exit. Sourced by them.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"

# The cases set the forcing variable themselves: a run of the whole suite with
# it set (to try the other branch) must not change what they expect.
unset KEYVANE_ASSUME_NO_32BIT

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
