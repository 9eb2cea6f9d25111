// Texts shared by the three delivery windows.
#pragma once

#include <QString>

#include "comun/textosconexion.h"

namespace TextosVerificacion {

inline const QString kConectando = QStringLiteral("Conectando al servidor, espere por favor...");
inline const QString kNoEncontrado = QStringLiteral("Mensaje no enviado: no se encontró el servicio.");
inline const QString kTituloNoEnviado = QStringLiteral("NTX Mensajes: Mensaje no enviado");

// The critical box of a navigation error; `ultimaLinea` differs between Personal and the others.
inline QString servicioNoEncontrado(const QString &proveedor, const QString &ultimaLinea)
{
    return QStringLiteral("No se encontró el servicio. El mensaje no ha sido enviado a ") + proveedor +
           QStringLiteral("\r\rPuede que el servidor de este proveedor no esté disponible.\r\n") +
           TextosConexion::comprobarConexion() +
           QStringLiteral("\r\n · Envíe el mensaje usando otro servidor de este proveedor (si está disponible)\r\n"
                          " · Compruebe si los servicios están funcionando desde el menú Ayuda » Estado de los "
                          "Servicios\r\n") +
           ultimaLinea;
}

inline const QString kPersisteOcupado =
    QStringLiteral(" · Si el error persiste, puede que el servidor esté muy ocupado temporalmente, intente más tarde");
inline const QString kPersisteVersion =
    QStringLiteral(" · Si el error persiste, busque una versión más actual del programa desde el menú Herramientas");

} // namespace TextosVerificacion
