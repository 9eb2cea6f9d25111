# Shared by the run and test commands: install what is missing, then build.
set -euo pipefail

RAIZ=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PAQUETES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-webengine-dev libqt6webenginecore6-bin
          qt6-httpserver-dev qt6-websockets-dev libsqlite3-dev libbenchmark-dev
          xvfb xauth fonts-dejavu-core libgl-dev)

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

# The run and test commands share one build, so either is quick after the other.
COMPILACION="$RAIZ/build/ci"
compilar_programa() {
    compilar "$COMPILACION" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNTX_WERROR=ON -DNTX_BENCH=ON
}
