// The fixed settings keys of section "Mensajes", each with its default, declared
// once; every reader and writer goes through this table. Keys computed per slot
// or per version ("Remitente0", "Rapida3", "PrimeraVez2_5") are built here too.
#pragma once

#include <QString>

#include <optional>

class Ajustes;

inline const QString SeccionMensajes = QStringLiteral("Mensajes");
inline const QString SeccionAgenda = QStringLiteral("Agenda1.0");
inline const QString SeccionAbreviaturas = QStringLiteral("Abreviaturas1.0");

enum class Clave {
    LMate,
    Abreviaturas,
    PanelVisible,
    Historial,
    IconoNotificacion,
    ConfirmaCobro,
    TTMostrado,
    TipImagenesNoMas,
    TipHistorialNoMas,
};

// The key's name as stored, and the value a missing key stands for (a Boolean
// key's default is "True" or "False"; an empty default means "absent").
QString NombreClave(Clave clave);
QString ValorPorDefecto(Clave clave);
// The key stored under `nombre` (exact case); none for a name outside the table.
std::optional<Clave> ClavePorNombre(const QString &nombre);

QString LeerClave(const Ajustes &ajustes, Clave clave);
// A value that is no Boolean word gives the default with `legible` false.
bool LeerClaveBooleana(const Ajustes &ajustes, Clave clave, bool *legible = nullptr);
bool EscribirClave(Ajustes &ajustes, Clave clave, const QString &valor);
bool EscribirClaveBooleana(Ajustes &ajustes, Clave clave, bool valor);
// A key that is not there is no failure.
void BorrarClaveSiExiste(Ajustes &ajustes, Clave clave);

// Slot keys of section "Mensajes": "Remitente", "Saludo" and "Firma" take 0 to 9,
// "Rapida" takes 1 to 10.
QString ClaveRemitente(int ranura);
QString ClaveSaludo(int ranura);
QString ClaveFirma(int ranura);
QString ClaveRapida(int numero);
// "PrimeraVez" + major + "_" + minor: true until the wizard of that version has run.
QString ClavePrimeraVez(int mayor = NTX_VERSION_MAYOR, int menor = NTX_VERSION_MENOR);
