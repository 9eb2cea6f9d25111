#!/usr/bin/env bash
# The client's notification-area icon with a real tray host (trayer, XEmbed) on a
# virtual X display with a window manager, driven with the mouse from outside:
#   - started with no tray host, minimised, the window stays on the task bar (iconic,
#     not hidden) and comes back when the task bar activates it;
#   - a tray host started then is picked up: minimised, the window goes to the tray
#     and the balloon points at the icon;
#   - right click on the icon, "Abrir NTX Mensajes": the window is back, the icon
#     gone, the process alive;
#   - minimised again, a left click on the icon: the window is back;
#   - each time it comes back it stands where it was before going to the tray;
#   - the window manager offers no maximise for the fixed-size window;
#   - minimised again, right click, "Salir": the process ends by itself with code 0
#     and its options are saved.
#
#   prueba_bandeja.sh <carpeta de ejecutables> <carpeta de salida>
set -euo pipefail

BIN=$(cd "${1:?Uso: prueba_bandeja.sh <carpeta de ejecutables> <carpeta de salida>}" && pwd)
SALIDA=${2:?falta la carpeta de salida}
ESPERA=${NTX_ESPERA:-90}
ALTO_CLIENTE=483 # the main window's client area; the splash screen has the same title

CASA="$SALIDA/casa"
CAPTURAS="$SALIDA/capturas"
rm -rf "$CASA" "$CAPTURAS"
mkdir -p "$CASA/config" "$CASA/datos" "$CASA/cache" "$CAPTURAS"
# Short, so the hand-over socket's path fits wherever the build folder is.
TEMPORAL=$(mktemp -d /tmp/ntxbandeja.XXXXXX)
mkdir -m 700 "$TEMPORAL/run"
export HOME="$CASA" XDG_CONFIG_HOME="$CASA/config" XDG_DATA_HOME="$CASA/datos" XDG_CACHE_HOME="$CASA/cache"
export XDG_RUNTIME_DIR="$TEMPORAL/run" LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb
export QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu"
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
# Without a session bus the icon is the X11 one that trayer embeds.
unset WAYLAND_DISPLAY SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS

PROPIOS=()
terminar() {
    local pid
    for pid in "${PROPIOS[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
    rm -rf "$TEMPORAL"
}
trap terminar EXIT

CLIENTE=""
falla() {
    local causa=""
    if [ -n "$CLIENTE" ] && ! kill -0 "$CLIENTE" 2>/dev/null; then
        local codigo=0
        wait "$CLIENTE" 2>/dev/null || codigo=$?
        causa=" (el cliente ya había terminado, con el código $codigo)"
    fi
    echo "FALLA: $*$causa" >&2
    import -display "$DISPLAY" -window root "$CAPTURAS/falla.png" 2>/dev/null || true
    [ ! -s "$TEMPORAL/cliente.log" ] || { echo "--- salida del cliente:" >&2; tail -n 30 "$TEMPORAL/cliente.log" >&2; }
    exit 1
}

esperar() { # esperar <segundos> <orden...>: repeats the order until it succeeds
    local limite=$(($(date +%s) + $1))
    shift
    until "$@"; do
        [ "$(date +%s)" -lt "$limite" ] || return 1
        sleep 0.2
    done
}

capturar() { import -display "$DISPLAY" -window root "$CAPTURAS/$1.png" 2>/dev/null; }

# ---- the desktop: X server, window manager, tray ----
Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp -noreset 5>"$TEMPORAL/pantalla" >/dev/null 2>&1 &
PROPIOS+=($!)
esperar 30 test -s "$TEMPORAL/pantalla" || falla "el servidor X virtual no arrancó"
export DISPLAY=":$(head -n 1 "$TEMPORAL/pantalla")"
openbox --sm-disable >/dev/null 2>&1 &
PROPIOS+=($!)
esperar 30 xdotool get_desktop >/dev/null 2>&1 || falla "openbox no arrancó"
# The tray host comes later: the client starts on a desktop without one.

# ---- first run done, simulator, client ----
"$BIN/ntxasistente" /noejecutar >/dev/null 2>&1 &
ASISTENTE=$!
PROPIOS+=("$ASISTENTE")
atiende_term() { # the wizard has installed its handler for SIGTERM
    local mascara
    mascara=$(sed -n 's/^SigCgt:\s*//p' "/proc/$ASISTENTE/status" 2>/dev/null) || return 1
    [ -n "$mascara" ] && [ $((0x$mascara & 0x4000)) -ne 0 ]
}
esperar "$ESPERA" atiende_term || falla "el asistente no arrancó"
kill -TERM "$ASISTENTE"
wait "$ASISTENTE" || falla "el asistente terminó con error"

"$BIN/ntxsimulador" --entorno "$TEMPORAL/entorno" >/dev/null 2>&1 &
PROPIOS+=($!)
esperar 30 grep -qs "^NTX_MOVILNET=" "$TEMPORAL/entorno" || falla "el simulador no arrancó"
set -a
source "$TEMPORAL/entorno"
set +a

"$BIN/ntxmensajes" >"$TEMPORAL/cliente.log" 2>&1 &
CLIENTE=$!
PROPIOS+=("$CLIENTE")
vivo() { kill -0 "$CLIENTE" 2>/dev/null; }

ventana_principal() { # -> PRINCIPAL
    local w
    for w in $(xdotool search --onlyvisible --name '^NTX Mensajes$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        if [ "$HEIGHT" -gt "$ALTO_CLIENTE" ]; then
            PRINCIPAL=$w
            return 0
        fi
    done
    return 1
}
sin_ventana_principal() { ! ventana_principal; }

# The client's icon inside the tray: "x y ancho alto" on the screen.
icono() {
    local t
    for t in $(xdotool search --class trayer 2>/dev/null); do
        xwininfo -tree -id "$t" 2>/dev/null |
            sed -n 's/.*("ntxmensajes" "ntxmensajes") *\([0-9]*\)x\([0-9]*\)+[-0-9]*+[-0-9]* *+\([-0-9]*\)+\([-0-9]*\).*/\3 \4 \1 \2/p'
    done | head -n 1
}
hay_icono() { [ -n "$(icono)" ]; }
sin_icono() { ! hay_icono; }

# Visible top-level windows of the client other than the main one: "id x y ancho alto" each.
emergentes() {
    local w
    for w in $(xdotool search --onlyvisible --class ntxmensajes 2>/dev/null); do
        [ "$(xdotool getwindowname "$w" 2>/dev/null)" != "NTX Mensajes" ] || continue
        eval "$(xdotool getwindowgeometry --shell "$w")"
        # The icon itself (inside the tray) is not a pop-up.
        [ "$WIDTH" -gt 40 ] || continue
        echo "$w $X $Y $WIDTH $HEIGHT"
    done
}

minimizar() {
    esperar "$ESPERA" ventana_principal || falla "no apareció la ventana principal"
    xdotool windowminimize "$PRINCIPAL"
    esperar "$ESPERA" hay_icono || falla "el ícono no apareció en el área de notificación"
    esperar "$ESPERA" sin_ventana_principal || falla "la ventana principal siguió a la vista"
    read -r IX IY IW IH <<<"$(icono)"
}

# menu_bandeja <fila (1 Abrir, 2 Salir)>: right click on the icon, then a click on that row.
menu_bandeja() {
    local antes menu
    antes=$(emergentes | cut -d' ' -f1)
    xdotool mousemove $((IX + IW / 2)) $((IY + IH / 2)) click 3
    nuevo_emergente() {
        menu=$(emergentes | while read -r id resto; do grep -qx "$id" <<<"$antes" || echo "$id $resto"; done | head -n 1)
        [ -n "$menu" ]
    }
    esperar "$ESPERA" nuevo_emergente || falla "el clic derecho sobre el ícono no abrió el menú"
    read -r _ MX MY MW MH <<<"$menu"
    capturar "menu-$1"
    if [ "$1" -eq 1 ]; then
        xdotool mousemove $((MX + MW / 2)) $((MY + 10)) click 1
    else
        xdotool mousemove $((MX + MW / 2)) $((MY + MH - 10)) click 1
    fi
}

# "x y ancho alto" of the main window on the screen.
lugar_principal() {
    ventana_principal || return 1
    echo "$X $Y $WIDTH $HEIGHT"
}

esperar "$ESPERA" ventana_principal || falla "no apareció la ventana principal"
capturar 1-principal
# The user moves it away from where the window manager put it (a window mapped anew
# would be placed there again).
xdotool windowmove "$PRINCIPAL" 131 87
# Its place no longer changes by itself.
LUGAR=""
asentada() {
    local ahora
    ahora=$(lugar_principal) || return 1
    [ "$ahora" = "$LUGAR" ] && return 0
    LUGAR=$ahora
    sleep 0.5
    return 1
}
esperar "$ESPERA" asentada || falla "la ventana principal no quedó quieta"
echo "Ventana principal en $LUGAR"
acciones=$(xprop -id "$PRINCIPAL" _NET_WM_ALLOWED_ACTIONS 2>/dev/null || true)
[ -n "$acciones" ] || falla "el administrador de ventanas no publicó las acciones de la ventana principal"
! grep -q MAXIMIZE <<<"$acciones" || falla "la ventana principal, de tamaño fijo, se puede maximizar: $acciones"

# volvio_al_lugar <cómo>: the window came back where it was.
en_su_lugar() { [ "$(lugar_principal)" = "$LUGAR" ]; }
volvio_al_lugar() {
    esperar 10 en_su_lugar || falla "tras $1 la ventana volvió en $(lugar_principal), no en $LUGAR"
}

# No tray host yet: minimised, the window is iconic on the task bar, not hidden away
# (a hidden window has no task-bar button and could not be found again).
SIN_BANDEJA=$PRINCIPAL
xdotool windowminimize "$SIN_BANDEJA"
en_barra_de_tareas() {
    xprop -id "$SIN_BANDEJA" WM_STATE 2>/dev/null | grep -q 'window state: Iconic' &&
        xprop -id "$SIN_BANDEJA" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_HIDDEN
}
esperar "$ESPERA" en_barra_de_tareas || falla "sin área de notificación, la ventana minimizada no quedó en la barra de tareas: $(xprop -id "$SIN_BANDEJA" WM_STATE _NET_WM_STATE 2>&1 | tr '\n' ' ')"
esperar 5 sin_ventana_principal || falla "sin área de notificación, la ventana no se minimizó"
! hay_icono || falla "sin área de notificación apareció un ícono"
capturar 1b-sin-bandeja
# As a click on its task-bar button.
xdotool windowactivate "$SIN_BANDEJA"
esperar "$ESPERA" ventana_principal || falla "la ventana minimizada sin área de notificación no volvió"
vivo || falla "minimizar sin área de notificación terminó el proceso"
volvio_al_lugar "minimizar sin área de notificación"
echo "Sin área de notificación: la ventana quedó en la barra de tareas y volvió a su lugar"

# A tray host appears: the next minimising goes to it.
trayer --edge bottom --align right --widthtype pixel --width 96 --heighttype pixel --height 32 \
    >"$TEMPORAL/trayer.log" 2>&1 &
PROPIOS+=($!)
esperar 30 bash -c 'xdotool search --class trayer >/dev/null 2>&1' || falla "trayer no arrancó"
minimizar

# The balloon points at the icon: it stands next to it, not in a corner of the screen.
globo() {
    local id x y w h cx=$((IX + IW / 2)) cy=$((IY + IH / 2))
    while read -r id x y w h; do
        [ -n "$id" ] || continue
        local dx=0 dy=0
        [ "$cx" -ge "$x" ] || dx=$((x - cx))
        [ "$cx" -le $((x + w)) ] || dx=$((cx - x - w))
        [ "$cy" -ge "$y" ] || dy=$((y - cy))
        [ "$cy" -le $((y + h)) ] || dy=$((cy - y - h))
        GLOBO="$x $y ${w}x$h"
        [ "$dx" -le 60 ] && [ "$dy" -le 60 ] && return 0
    done <<<"$(emergentes)"
    return 1
}
GLOBO=""
esperar 20 globo || falla "el globo no señala al ícono (ícono en $IX $IY; globo: ${GLOBO:-ninguno})"
capturar 2-globo
echo "Globo en $GLOBO, ícono en $IX $IY ${IW}x$IH"

menu_bandeja 1
volvio() { ! vivo || ventana_principal; }
esperar "$ESPERA" volvio || falla "la ventana no volvió"
esperar "$ESPERA" sin_icono || falla "el ícono siguió en el área de notificación"
vivo || falla "«Abrir NTX Mensajes» terminó el proceso"
capturar 3-abierta
volvio_al_lugar "«Abrir NTX Mensajes»"
echo "«Abrir NTX Mensajes»: la ventana volvió a su lugar y el ícono se fue"

# A left click on the icon brings it back too, at the same place.
minimizar
xdotool mousemove $((IX + IW / 2)) $((IY + IH / 2)) click 1
esperar "$ESPERA" volvio || falla "el clic sobre el ícono no trajo la ventana"
esperar "$ESPERA" sin_icono || falla "el ícono siguió en el área de notificación tras el clic"
vivo || falla "el clic sobre el ícono terminó el proceso"
capturar 4-clic
volvio_al_lugar "el clic sobre el ícono"
echo "Clic sobre el ícono: la ventana volvió a su lugar"

# Back to the tray: the process still answers its window.
minimizar
menu_bandeja 2
termino() { ! vivo; }
esperar "$ESPERA" termino || falla "«Salir» no terminó el programa"
codigo=0
wait "$CLIENTE" || codigo=$?
[ "$codigo" -eq 0 ] || falla "«Salir» terminó el programa con el código $codigo"
for clave in panelvisible lmate abreviaturas; do
    valor=$(sqlite3 "$XDG_CONFIG_HOME/NTX/ajustes.sqlite" \
        "select valor from ajustes where seccion_pleg = 'mensajes' and clave_pleg = '$clave'")
    [ -n "$valor" ] || falla "«Salir» no guardó $clave"
done
echo "«Salir»: el programa terminó con 0 y guardó sus opciones"
