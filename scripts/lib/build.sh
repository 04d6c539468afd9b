# Configures and builds with the CMake presets, one build directory per preset
# under KEYVANE_BUILD_ROOT (default: <repository>/build).
# Sourced by the scripts in scripts/.

KEYVANE_REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
mkdir -p "${KEYVANE_BUILD_ROOT:=$KEYVANE_REPO/build}"
# Absolute, because Wine is handed paths below it.
KEYVANE_BUILD_ROOT=$(cd "$KEYVANE_BUILD_ROOT" && pwd)
# The machines this is built on have two cores.
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}

# keyvane_build PRESET [TARGET...]: builds the targets (default: all) in
# $KEYVANE_BUILD_ROOT/PRESET, configuring it with the preset the first time.
keyvane_build() {
    local dir=$KEYVANE_BUILD_ROOT/$1
    if [ ! -f "$dir/Makefile" ]; then
        (cd "$KEYVANE_REPO" && cmake --preset "$1" -B "$dir")
    fi
    shift
    if [ $# -gt 0 ]; then
        set -- --target "$@"
    fi
    cmake --build "$dir" "$@"
}

# keyvane_built_exe PRESET NAME: prints the path of program NAME in that build.
keyvane_built_exe() {
    local exe=$KEYVANE_BUILD_ROOT/$1/bin/$2.exe
    if [ ! -f "$exe" ]; then
        echo "$exe was not built" >&2
        return 1
    fi
    echo "$exe"
}
