# Installs the Debian packages that building Keyvane and running it under Wine
# need. Sourced by the scripts in scripts/; costs a few dpkg queries when
# everything is installed already.

KEYVANE_PACKAGES=(
    cmake make
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    wine wine32:i386 wine64
    # Wine's own fonts: the dialog font's metrics and the caption buttons' glyphs.
    fonts-wine
    xvfb xauth xdotool
    googletest
    # The X11 census, a native program.
    g++ libx11-dev
    # The Linux desktops' shortcut tables: GIO (GDBus, GSettings), xkbcommon's
    # keysym names and its default keyboard, a JSON library (header-only, for
    # the Windows census's PowerToys settings as well).
    pkg-config libglib2.0-dev libxkbcommon-dev xkb-data nlohmann-json3-dev
    # What their tests start or read: KDE's daemon on a private bus, waited
    # for with gdbus; a headless sway; GNOME's keybinding schemas and the
    # control center's descriptions of them.
    libkf5globalaccel-bin dbus-daemon libglib2.0-bin sway
    gsettings-desktop-schemas gnome-shell-common mutter-common gnome-settings-daemon-common
    gnome-control-center-data
)

# keyvane_install_packages [PACKAGE...]: the packages above and the given ones.
keyvane_install_packages() {
    local package missing=()
    for package in "${KEYVANE_PACKAGES[@]}" "$@"; do
        if [ "$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null)" != installed ]; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi

    if [ "$(id -u)" -ne 0 ]; then
        cat >&2 <<MESSAGE
Missing Debian packages: ${missing[*]}
Install them as root, then run this script again:
  dpkg --add-architecture i386
  apt-get update
  apt-get install --no-install-recommends ${missing[*]}
MESSAGE
        exit 1
    fi
    # wine32 is an i386 package.
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}
