# Shared by the run and test commands: install what is missing, then build.
set -euo pipefail

RAIZ=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PAQUETES=(
    # Compiling: the build generator, the compiler, and pkg-config, which Qt's
    # CMake packages use to find some system libraries.
    cmake ninja-build g++ pkg-config
    # Qt 6: widgets and network (qtbase), the embedded web view and its helper
    # process (QtWebEngineProcess), and the OpenGL headers Qt's Gui package asks for.
    qt6-base-dev qt6-webengine-dev libqt6webenginecore6-bin libgl-dev
    # Qt's own Spanish texts (file dialogs, context menus), loaded at start.
    qt6-translations-l10n
    # The pictures of the windows are drawn as SVG, so they stay sharp on scaled
    # screens; Qt reads them through the SVG icon and image plugins of this package.
    libqt6svg6
    # The settings store.
    libsqlite3-dev
    # Ed25519 signatures of downloaded installers: the client checks them, the
    # simulator and the build's development key pair make them.
    libsodium-dev
    # The update test's https site on loopback gets a self-signed certificate from it.
    openssl
    # Phone numbers of contacts imported from phones and webmail (vCard, CSV): read in
    # all their written forms and split into area code and number. The package
    # depends on libphonenumber8, which dpkg-shlibdeps puts among the package's own.
    libphonenumber-dev
    # The benchmarks under bench/, built by the test command.
    libbenchmark-dev
    # Fonts: DejaVu so windows drawn headless or on the virtual display have letters;
    # Liberation Sans, of Arial's widths, stands in for Tahoma, for which the windows'
    # fixed positions were measured (captions would be cut with a wider font).
    fonts-dejavu-core fonts-liberation
    # The guided demonstration (and its test): a virtual X server, a window
    # manager (focus and dialogs behave as on a desktop), keys and clicks sent
    # from outside, xkbcomp to give the keyboard the Spanish letters, screenshots,
    # and reading the simulator's inspection paths (HTTP, JSON).
    xvfb openbox xdotool x11-xkb-utils imagemagick curl jq
    # The notification-area test: a tray host that embeds the icon as desktops do
    # (XEmbed), the window tree read to find the icon in it, and the settings file
    # read to see what the program saved on its way out.
    trayer x11-utils sqlite3
    # The desktop-notification test runs a session bus of its own.
    dbus-daemon
    # The same demonstration under Wayland: a compositor that runs without a
    # screen (sway), keys sent through its virtual-keyboard protocol (wtype),
    # screenshots (grim), and Qt's Wayland platform plugin for the programs.
    sway grim wtype qt6-wayland
    # The accessibility test: the AT-SPI bus and registry (at-spi2-core) on a private
    # D-Bus session (dbus-daemon, dbus-run-session), read from outside as a screen
    # reader reads it (python3-pyatspi, with its GObject bindings gir1.2-atspi-2.0).
    at-spi2-core dbus-daemon dbus-bin python3-pyatspi gir1.2-atspi-2.0
    # The package: CPack finds the executables with file(1) and dpkg-shlibdeps
    # (dpkg-dev) works out the libraries they need; the installation test
    # validates the desktop entries and the AppStream file.
    dpkg-dev file desktop-file-utils appstream
    # The package's check against Debian's policy (scripts/empaquetar runs it).
    lintian
    # The fuzz harnesses of the readers: clang and its libFuzzer and sanitizer runtimes.
    clang libclang-rt-14-dev
    # The test command checks that every source is laid out as .clang-format says.
    clang-format
)

instalar_faltantes() {
    local faltan=()
    for p in "${PAQUETES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltan+=("$p")
    done
    if [ ${#faltan[@]} -gt 0 ]; then
        echo "== Instalando: ${faltan[*]}"
        local SUDO=""
        [ "$(id -u)" -eq 0 ] || SUDO="sudo"
        $SUDO apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${faltan[@]}"
    fi
}

compilar() { # compilar <carpeta> [opciones de cmake...]
    local carpeta=$1; shift
    cmake -S "$RAIZ" -B "$carpeta" -G Ninja "$@" >/dev/null
    cmake --build "$carpeta" -j "$(nproc)"
}
