#include "simulador/opcionessimulador.h"

#include <QCommandLineParser>
#include <QFile>

QString ayudaSimulador()
{
    return QStringLiteral(
        "Uso: ntxsimulador [--sitio PUERTO] [--personal PUERTO] [--claro PUERTO] [--movilnet PUERTO]\n"
        "                  [--entorno ARCHIVO] [--retraso MS] [--falla 500|cortar|desconocida]\n"
        "                  [--rol sitio|personal|claro|movilnet|todos] [--config TEXTO | --config-archivo ARCHIVO]\n"
        "                  [--actualizacion ninguna|ofrecer|obligar|corta|alterada|sinfirma|otraclave]\n"
        "                  [--clave ARCHIVO] [--semilla N]\n"
        "\n"
        "Simula en 127.0.0.1 el sitio de NTX y las pasarelas de Personal, Claro y Movilnet, cada uno en su\n"
        "puerto (0, o la opción omitida, elige uno libre). Al quedar escuchando escribe las líneas NTX_SITIO=, "
        "NTX_PERSONAL=,\n"
        "NTX_CLARO= y NTX_MOVILNET= en la salida (y en ARCHIVO con --entorno).\n"
        "\n"
        "Respuestas de las pasarelas según el número de destino:\n"
        "  Personal: código o imagen equivocados -> \"El código ingresado es incorrecto\" y una imagen nueva;\n"
        "            si no, el mensaje se envía.\n"
        "  Claro (numerito): termina en 0001 -> NO TIENE SERVICIO; 0002 -> NO EXISTE;\n"
        "            0003 -> NO TIENE ACTUALMENTE HABILITADO; otro -> Mensaje Enviado.\n"
        "            Código equivocado -> Ingreso incorrecto (el mismo código sigue valiendo).\n"
        "  Movilnet (numero): termina en 0000 -> Su mensaje no fue enviado; código equivocado -> Su mensaje\n"
        "            no fue enviado; otro -> Su mensaje fue enviado.\n"
        "\n"
        "Fallas (--retraso y --falla se aplican a los roles de --rol, por omisión a todos):\n"
        "  --retraso MS   responde después de MS milisegundos\n"
        "  --falla 500    responde HTTP 500\n"
        "  --falla cortar envía la mitad de la respuesta y cierra la conexión\n"
        "  --falla desconocida  responde una página que no es la esperada\n"
        "\n"
        "Sitio: --config reemplaza el texto de configuración (por omisión \"colaNTXsimulador\");\n"
        "--actualizacion elige la página de versión: la actual, una oferta ntx://actdw, una obligatoria\n"
        "ntx://actdf (que se sigue sola) del archivo que el simulador sirve, o una oferta (corta) cuya descarga\n"
        "trae la mitad del tamaño anunciado. El archivo es un guion que al ejecutarse deja a su lado el archivo\n"
        "ntx-instalador-ejecutado.\n"
        "Cada descarga tiene al lado su firma Ed25519 (la misma dirección + \".sig\"), hecha con la clave secreta\n"
        "de --clave (por omisión la clave de desarrollo de la carpeta de compilación; sin clave no hay firmas).\n"
        "Ofertas que el cliente debe rechazar: alterada (un byte cambiado, mismo tamaño, la firma verdadera),\n"
        "sinfirma (sin .sig) y otraclave (firmada con una clave que no es la del fabricante).\n"
        "Órdenes: /ntxbin/comandos.htm (y /otro/comandos en los demás puertos) con enlaces ntx://actdw y\n"
        "ntx://sales (?seguir=actdw|sales los sigue al cargar; &arriba=1 en la página de arriba);\n"
        "/ntxbin/marco.htm?seguir=...[&ajeno=1] muestra esa página dentro de un marco.\n"
        "\n"
        "Rutas de inspección en cada puerto:\n"
        "  /_sim/peticiones[?rol=...|todos]   peticiones recibidas (JSON, cuerpo en base64 y latin1)\n"
        "  /_sim/codigo[?sesion=ID]           código de verificación vigente (de la última sesión)\n"
        "  /_sim/mensajes[?rol=...|todos]     mensajes aceptados, decodificados (JSON)\n"
        "  /_sim/limpiar                      borra todo y vuelve a los modos del arranque\n"
        "  /_sim/modo?falla=&rol=&retraso=&actualizacion=&config=   cambia los modos en marcha\n"
        "                                     (falla=ninguna quita la falla; sin parámetros sólo informa)\n"
        "  /_sim/config                       texto de configuración (POST lo reemplaza)\n");
}

namespace {
bool leerPuerto(const QString &texto, quint16 *puerto)
{
    bool ok = false;
    const uint valor = texto.toUInt(&ok);
    if (!ok || valor > 65535)
        return false;
    *puerto = static_cast<quint16>(valor);
    return true;
}
} // namespace

bool leerOpcionesSimulador(const QStringList &argumentos, OpcionesSimulador *opciones, QString *error)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption sitio(QStringLiteral("sitio"), QString(), QStringLiteral("PUERTO"));
    const QCommandLineOption personal(QStringLiteral("personal"), QString(), QStringLiteral("PUERTO"));
    const QCommandLineOption claro(QStringLiteral("claro"), QString(), QStringLiteral("PUERTO"));
    const QCommandLineOption movilnet(QStringLiteral("movilnet"), QString(), QStringLiteral("PUERTO"));
    const QCommandLineOption entorno(QStringLiteral("entorno"), QString(), QStringLiteral("ARCHIVO"));
    const QCommandLineOption retraso(QStringLiteral("retraso"), QString(), QStringLiteral("MS"));
    const QCommandLineOption falla(QStringLiteral("falla"), QString(), QStringLiteral("FALLA"));
    const QCommandLineOption rol(QStringLiteral("rol"), QString(), QStringLiteral("ROL"));
    const QCommandLineOption config(QStringLiteral("config"), QString(), QStringLiteral("TEXTO"));
    const QCommandLineOption configArchivo(QStringLiteral("config-archivo"), QString(), QStringLiteral("ARCHIVO"));
    const QCommandLineOption actualizacion(QStringLiteral("actualizacion"), QString(), QStringLiteral("MODO"));
    const QCommandLineOption semilla(QStringLiteral("semilla"), QString(), QStringLiteral("N"));
    const QCommandLineOption clave(QStringLiteral("clave"), QString(), QStringLiteral("ARCHIVO"));
    const QCommandLineOption ayuda({QStringLiteral("help"), QStringLiteral("h"), QStringLiteral("ayuda")}, QString());
    parser.addOptions({sitio, personal, claro, movilnet, entorno, retraso, falla, rol, config, configArchivo,
                       actualizacion, semilla, clave, ayuda});
    if (!parser.parse(argumentos)) {
        *error = parser.errorText();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error = QStringLiteral("Argumento inesperado: ") + parser.positionalArguments().constFirst();
        return false;
    }
    if (parser.isSet(ayuda)) {
        opciones->ayuda = true;
        return true;
    }

    const QCommandLineOption *puertos[] = {&sitio, &personal, &claro, &movilnet};
    for (int i = 0; i < Simulador::kCantidadRoles; ++i) {
        // A role without a port gets a free one, so the simulator starts with no arguments at all.
        opciones->ajustes.puertos[i] = 0;
        if (parser.isSet(*puertos[i]) && !leerPuerto(parser.value(*puertos[i]), &opciones->ajustes.puertos[i])) {
            *error = QStringLiteral("Puerto inválido para --") + puertos[i]->names().constFirst() +
                     QStringLiteral(": ") + parser.value(*puertos[i]);
            return false;
        }
    }
    opciones->archivoEntorno = parser.value(entorno);
    if (parser.isSet(retraso)) {
        bool ok = false;
        opciones->ajustes.modo.retrasoMs = parser.value(retraso).toInt(&ok);
        if (!ok || opciones->ajustes.modo.retrasoMs < 0) {
            *error = QStringLiteral("Retraso inválido: ") + parser.value(retraso);
            return false;
        }
    }
    if (parser.isSet(falla) && !Simulador::fallaDesdeNombre(parser.value(falla), &opciones->ajustes.modo.falla)) {
        *error = QStringLiteral("Falla desconocida: ") + parser.value(falla);
        return false;
    }
    if (parser.isSet(rol) && !Simulador::rolesDesdeTexto(parser.value(rol), &opciones->ajustes.modo.roles)) {
        *error = QStringLiteral("Rol desconocido: ") + parser.value(rol);
        return false;
    }
    if (parser.isSet(config) && parser.isSet(configArchivo)) {
        *error = QStringLiteral("Use --config o --config-archivo, no los dos.");
        return false;
    }
    if (parser.isSet(config))
        opciones->ajustes.configuracion = parser.value(config);
    if (parser.isSet(configArchivo)) {
        QFile archivo(parser.value(configArchivo));
        if (!archivo.open(QIODevice::ReadOnly)) {
            *error =
                QStringLiteral("No se pudo leer ") + archivo.fileName() + QStringLiteral(": ") + archivo.errorString();
            return false;
        }
        QString texto = QString::fromUtf8(archivo.readAll());
        // An editor's final line break is not part of the configuration.
        while (texto.endsWith(QLatin1Char('\n')) || texto.endsWith(QLatin1Char('\r')))
            texto.chop(1);
        opciones->ajustes.configuracion = texto;
    }
    if (parser.isSet(actualizacion) &&
        !Simulador::actualizacionDesdeNombre(parser.value(actualizacion), &opciones->ajustes.actualizacion)) {
        *error = QStringLiteral("Modo de actualización desconocido: ") + parser.value(actualizacion);
        return false;
    }
    // The build's development key when there is one; a key named on the command line must be readable.
    if (parser.isSet(clave)) {
        opciones->ajustes.claveSecreta = Simulador::leerClaveSecreta(parser.value(clave), error);
        if (opciones->ajustes.claveSecreta.isEmpty())
            return false;
    } else if (QFile::exists(Simulador::rutaClaveDesarrollo())) {
        QString ignorado;
        opciones->ajustes.claveSecreta = Simulador::leerClaveSecreta(Simulador::rutaClaveDesarrollo(), &ignorado);
    }
    if (parser.isSet(semilla)) {
        bool ok = false;
        opciones->ajustes.semilla = parser.value(semilla).toULongLong(&ok);
        if (!ok) {
            *error = QStringLiteral("Semilla inválida: ") + parser.value(semilla);
            return false;
        }
    }
    return true;
}
