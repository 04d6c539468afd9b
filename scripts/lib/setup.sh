# Installs the Debian packages that building Keyvane and running it under Wine
# need. Sourced by the scripts in scripts/; costs a few dpkg queries when
# everything is installed already.

KEYVANE_PACKAGES=(
    cmake make
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    wine wine64
    # Wine's own fonts: the dialog font's metrics and the caption buttons' glyphs.
    fonts-wine
    xvfb xauth xdotool
    googletest
    # The X11 census, a native program; X-Resource names the clients that
    # hold grabs.
    g++ libx11-dev libxres-dev
    # The Linux desktops' shortcut tables: GIO (GDBus, GSettings), xkbcommon's
    # keysym names and its default keyboard, a JSON library (header-only, for
    # the Windows census's PowerToys settings as well); dconf's client, which
    # lists MATE's custom shortcut folders.
    pkg-config libglib2.0-dev libxkbcommon-dev xkb-data nlohmann-json3-dev libdconf-dev
    # What their tests start or read: KDE's daemon on a private bus, waited
    # for with gdbus; a headless sway; GNOME's keybinding schemas and the
    # control center's descriptions of them.
    libkf5globalaccel-bin dbus-daemon libglib2.0-bin sway
    gsettings-desktop-schemas gnome-shell-common mutter-common gnome-settings-daemon-common
    gnome-control-center-data
    # Real X clients that grab keys, for telling their grabs apart.
    xbindkeys openbox i3-wm
    # Cinnamon's, MATE's and GNOME Shell extensions' keybinding schemas; dconf
    # (its tool writes MATE's custom folders, its backend reads them); Xfce's
    # xfconfd and LXQt's global-keys daemon, run on a private bus.
    cinnamon-desktop-data marco-common mate-settings-daemon-common gnome-shell-extensions
    dconf-cli dconf-gsettings-backend xfconf lxqt-globalkeys
    # Where i3 names its socket: the root window, read with xcb. A real i3 on
    # Xvfb serves the configuration it loaded to the tests.
    libxcb1-dev
)

# The 32-bit half of Wine, which only the i686 build needs: without it, or on
# a kernel that runs no 32-bit programs, the scripts use the x86_64 build.
KEYVANE_32BIT_PACKAGES=(wine32:i386)

# Why the 32-bit packages were not installed, and what would bring them: set
# by keyvane_install_packages, read by keyvane_check_32bit (arch.sh).
keyvane_32bit_setup_failure=
keyvane_32bit_setup_remedy=

# Whether this kernel runs 32-bit x86 programs: it runs a 93-byte i386 program
# that only exits, so that the question is answered before any i386 package
# is there to ask with.
keyvane_kernel_runs_32bit() {
    local program status=0
    program=$(mktemp)
    # ELF header, one loadable segment at 0x08048000, then at its entry
    # 0x08048054: mov eax, 1; xor ebx, ebx; int 0x80 (exit 0).
    printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\061\333\315\200' >"$program"
    chmod +x "$program"
    "$program" 2>/dev/null || status=$?
    rm -f "$program"
    return $status
}

# keyvane_install_packages [PACKAGE...]: the packages above and the given ones.
# A package index that cannot be updated (a mirror in the middle of a sync)
# is warned about, and the install goes on with the indexes there are. The
# 32-bit packages are installed on their own: when they cannot be, or the
# kernel runs no 32-bit programs, none of them is, and the reason is kept for
# the notice of the fallback to x86_64.
keyvane_install_packages() {
    local package missing=() missing_32bit=()
    for package in "${KEYVANE_PACKAGES[@]}" "$@"; do
        keyvane_package_installed "$package" || missing+=("$package")
    done
    for package in "${KEYVANE_32BIT_PACKAGES[@]}"; do
        keyvane_package_installed "$package" || missing_32bit+=("$package")
    done
    if [ ${#missing[@]} -eq 0 ] && [ ${#missing_32bit[@]} -eq 0 ]; then
        return 0
    fi

    if [ "$(id -u)" -ne 0 ]; then
        cat >&2 <<MESSAGE
Missing Debian packages: ${missing[*]} ${missing_32bit[*]}
Install them as root, then run this script again:
  dpkg --add-architecture i386
  apt-get update
  apt-get install --no-install-recommends ${missing[*]} ${missing_32bit[*]}
MESSAGE
        exit 1
    fi
    if [ ${#missing_32bit[@]} -ne 0 ] && ! keyvane_kernel_runs_32bit; then
        keyvane_32bit_setup_failure="this kernel runs no 32-bit programs"
        keyvane_32bit_setup_remedy="To run them, boot Linux with the kernel parameter ia32_emulation=on."
        missing_32bit=()
    fi
    if [ ${#missing_32bit[@]} -ne 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    if ! apt-get update; then
        echo "Warning: some package indexes could not be updated (see above); going on with the ones there are." >&2
    fi
    if [ ${#missing[@]} -ne 0 ]; then
        DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
    fi
    if [ ${#missing_32bit[@]} -ne 0 ] &&
        ! DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing_32bit[@]}"; then
        keyvane_32bit_setup_failure="the 32-bit packages ${missing_32bit[*]} cannot be installed (see above)"
        keyvane_32bit_setup_remedy="To run them, install them once the package mirror is whole again: apt-get install ${missing_32bit[*]}"
    fi
}

keyvane_package_installed() {
    [ "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)" = installed ]
}
