#!/usr/bin/env bash
# The programs read from outside through AT-SPI, as a screen reader reads them:
#   prueba_atspi.sh nombres|teclado <carpeta de ejecutables> <carpeta de salida>
# A private session bus of its own (the accessibility bus is started on it), so the
# user's desktop is never touched. Ends with 77 (skipped) when a part is missing.
set -euo pipefail
faltan=()
for orden in dbus-run-session Xvfb xdotool import; do
    command -v "$orden" >/dev/null 2>&1 || faltan+=("$orden")
done
[ -x /usr/libexec/at-spi-bus-launcher ] || faltan+=(at-spi2-core)
# The system's Python, where Debian installs pyatspi (not one found first on PATH).
/usr/bin/python3 -c 'import pyatspi' >/dev/null 2>&1 || faltan+=(python3-pyatspi)
if [ ${#faltan[@]} -gt 0 ]; then
    echo "Se omite la prueba por AT-SPI: faltan ${faltan[*]} (paquetes at-spi2-core, python3-pyatspi, dbus, xvfb, xdotool, imagemagick)."
    exit 77
fi
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
exec dbus-run-session -- /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/atspi_ntx.py" "$@"
