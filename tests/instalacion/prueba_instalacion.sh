#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR as a package would, validates the
# desktop entries and the AppStream file, then runs the installed programs: the
# wizard (first run) and the client against the simulator, offscreen, until the
# main window has asked the maker's site for its home page. The installed client
# has no logica/ next to it: it must find its pages under ../share/ntx-mensajes.
#
#   prueba_instalacion.sh <carpeta de compilación> <versión del proyecto>
set -euo pipefail
COMPILACION=$(cd "$1" && pwd)
VERSION=$2
ESPERA=${NTX_ESPERA:-120}
DESTINO=$(mktemp -d)
PROPIOS=()
terminar() {
    local p
    for p in "${PROPIOS[@]}"; do kill "$p" 2>/dev/null || true; done
    for p in "${PROPIOS[@]}"; do wait "$p" 2>/dev/null || true; done
    rm -rf "$DESTINO"
}
trap terminar EXIT
falla() { echo "FALLA: $*" >&2; exit 1; }
esperar() { # esperar <segundos> <orden...>
    local limite=$(($(date +%s) + $1)); shift
    until "$@"; do
        [ "$(date +%s)" -lt "$limite" ] || return 1
        sleep 0.2
    done
}

DESTDIR="$DESTINO" cmake --install "$COMPILACION" --prefix /usr >/dev/null
R="$DESTINO/usr"
for f in bin/ntxmensajes bin/ntxasistente share/ntx-mensajes/logica/index.htm \
         share/ntx-mensajes/logica/enviando.gif share/icons/hicolor/48x48/apps/ntx-mensajes.png \
         share/icons/hicolor/256x256/apps/ntx-mensajes.png share/icons/hicolor/scalable/apps/ntx-mensajes.svg \
         share/metainfo/ar.com.ntxvarel.mensajes.metainfo.xml \
         share/applications/ar.com.ntxvarel.mensajes.desktop \
         share/applications/ar.com.ntxvarel.mensajes.asistente.desktop \
         share/man/man1/ntxmensajes.1.gz share/man/man1/ntxasistente.1.gz \
         share/doc/ntx-mensajes/copyright share/doc/ntx-mensajes/changelog.gz; do
    [ -e "$R/$f" ] || falla "no se instaló $f"
done
[ ! -e "$R/bin/logica" ] || falla "las páginas locales quedaron en bin/"

desktop-file-validate "$R"/share/applications/*.desktop || falla "desktop-file-validate"
appstreamcli validate --no-net "$R/share/metainfo/ar.com.ntxvarel.mensajes.metainfo.xml" || falla "appstreamcli validate"
for entrada in "$R"/share/applications/*.desktop; do
    programa=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entrada")
    [ -x "$R/bin/$programa" ] || falla "$entrada ejecuta $programa, que no se instaló"
done
# Manual pages that man can read, the client's documenting "/c:"; a copyright
# file in Debian's machine-readable form; a changelog whose last entry is this version.
for pagina in ntxmensajes ntxasistente; do
    texto=$(MANWIDTH=100 LC_ALL=C.UTF-8 man -l "$R/share/man/man1/$pagina.1.gz" 2>&1) || falla "man no lee $pagina.1"
    grep -q "^ *$pagina - " <<<"$texto" || falla "la página de $pagina no empieza por su nombre"
done
MANWIDTH=100 LC_ALL=C.UTF-8 man -l "$R/share/man/man1/ntxmensajes.1.gz" 2>/dev/null | grep -q '/c:"nombre"' ||
    falla "la página de ntxmensajes no documenta /c:"
head -n 1 "$R/share/doc/ntx-mensajes/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    falla "el archivo copyright no tiene el formato legible por máquina"
grep -q '^License: GPL-3.0-or-later$' "$R/share/doc/ntx-mensajes/copyright" || falla "copyright sin la licencia GPL-3.0-or-later"
zcat "$R/share/doc/ntx-mensajes/changelog.gz" | head -n 1 | grep -q "^ntx-mensajes ($VERSION) " ||
    falla "el changelog no empieza por la versión $VERSION"
for entrada in "$R"/share/applications/*.desktop; do
    grep -q '^StartupWMClass=' "$entrada" && grep -q '^Icon=ntx-mensajes$' "$entrada" ||
        falla "$entrada sin StartupWMClass o sin el ícono"
done
grep -q "<release version=\"$VERSION\"" "$R/share/metainfo/ar.com.ntxvarel.mensajes.metainfo.xml" ||
    falla "el metainfo no anuncia la versión $VERSION"

export HOME="$DESTINO/casa" XDG_CONFIG_HOME="$DESTINO/casa/config" XDG_DATA_HOME="$DESTINO/casa/datos"
export XDG_RUNTIME_DIR="$DESTINO/casa/run" QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cd "$DESTINO"

# First run: the installed wizard, told not to start the client; closing it (as
# logging out does) finishes it.
"$R/bin/ntxasistente" /noejecutar &
ASISTENTE=$!
PROPIOS+=("$ASISTENTE")
atiende_term() { # the wizard has installed its handler for SIGTERM
    local mascara
    mascara=$(sed -n 's/^SigCgt:\s*//p' "/proc/$ASISTENTE/status" 2>/dev/null) || return 1
    [ -n "$mascara" ] && [ $((0x$mascara & 0x4000)) -ne 0 ]
}
esperar "$ESPERA" atiende_term || falla "el asistente instalado no arrancó"
kill -TERM "$ASISTENTE"
codigo=0
wait "$ASISTENTE" || codigo=$?
[ "$codigo" -eq 0 ] || falla "el asistente instalado terminó con $codigo"

"$COMPILACION/bin/ntxsimulador" --entorno "$DESTINO/entorno" >/dev/null &
PROPIOS+=($!)
esperar 30 grep -q '^NTX_MOVILNET=' "$DESTINO/entorno" || falla "el simulador no arrancó"
set -a; source "$DESTINO/entorno"; set +a

export QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
"$R/bin/ntxmensajes" >"$DESTINO/cliente.log" 2>&1 &
CLIENTE=$!
PROPIOS+=("$CLIENTE")
inicio_pedido() {
    curl -fsS --max-time 10 "$NTX_SITIO/_sim/peticiones" |
        jq -e '[.[] | select(.ruta | contains("princ2_5"))] | length > 0' >/dev/null
}
if ! esperar "$ESPERA" inicio_pedido; then
    cat "$DESTINO/cliente.log" >&2
    kill -0 "$CLIENTE" 2>/dev/null || falla "el cliente instalado terminó sin abrir la ventana principal"
    falla "la ventana principal del cliente instalado no pidió la página de inicio"
fi
kill -0 "$CLIENTE" 2>/dev/null || falla "el cliente instalado terminó"
# The client speaks Spanish to the web.
idioma=$(curl -fsS "$NTX_SITIO/_sim/peticiones" | jq -r \
    '[.[] | select(.ruta | contains("princ2_5"))][0].cabeceras[] | select(.[0] | ascii_downcase == "accept-language") | .[1]')
case "$idioma" in
    es-AR,es*) ;;
    *) falla "Accept-Language: «$idioma», se esperaba es-AR y después es" ;;
esac
echo "Instalado en $DESTINO: asistente y cliente arrancan desde el prefijo; Accept-Language: $idioma"
