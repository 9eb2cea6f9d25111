// The message store seen from the windows: where it lives, the append done by
// the delivery windows after a confirmed send, and the read and delete
// operations of the history window. Message boxes go through Contexto.
#pragma once

#include <QString>

#include "historial/almacenhistorial.h"

struct Contexto;
class Sistema;
class QWidget;

// Special folder `identificador` (28 local data, 16 desktop) with a trailing
// separator, cut at its first zero character.
QString CarpetaEspecial(const Sistema &sistema, qint16 identificador);

// The local data folder + "NTX/Mensajes/Historial.ntxhist"; the program folder
// stands in when the special folder is unusable (under 4 characters).
QString RutaHistorial(const Sistema &sistema);
QString RutaHistorial(const Contexto &ctx);

// Removes what a write killed half way left beside the store (the file a deletion
// writes before replacing it). Run at start by the only running client.
void QuitarTemporalesHistorial(const Contexto &ctx);

// Appends one record with the fields given; the date is the clock's now. The
// caller checks chkHistorial first. Failures are shown in a critical box;
// sending is not affected.
void GuardarEnHistorial(Contexto &ctx, const RegistroHistorial &registro);

// Indexes the store into `historial` (record k at k - 1, decoded when asked for)
// and returns an EstadoHistorial value (0 read, 1 access error, 2 other error,
// 3 no store, 4 empty). Shows nothing. Pending paint and timer events run once
// the file is read.
qint16 LeerHistorial(Contexto &ctx, almacen_historial::HistorialIndexado &historial);

// Removes the k-th record (1-based) by writing a new file that replaces the old
// one at once. A failure shows "Error al tener acceso al almacén. Imposible
// eliminar elemento." and returns false; the store is then as it was.
bool BorrarRegistroHistorial(Contexto &ctx, int k);

// Deletes the whole store (the next append starts a new one). A failure is shown
// and returns false.
bool BorrarHistorial(Contexto &ctx);

// The preferences' repair button: asks, deletes the store, tells the outcome.
void RepararHistorial(Contexto &ctx);

// The notice shown when saving for this run goes against the permanent setting
// ("Historial"), unless the user asked not to see it again ("TipHistorialNoMas").
void AvisarCambioHistorial(Contexto &ctx, QWidget *dueno, bool guardar, bool historialPermanente);
