// The rows of the history window over the records read from the store: the
// texts of its six columns, each row's tag, and the sort by a column. Texts are
// made when a row is shown or a column is sorted, so a long store opens at once.
#pragma once

#include <QAbstractTableModel>
#include <QCollatorSortKey>
#include <QList>
#include <QLocale>

#include <functional>
#include <optional>
#include <vector>

#include "historial/almacenhistorial.h"
#include "historial/busquedahistorial.h"

namespace lista_historial {

// Between the message and the date in a row's tag.
inline constexpr char Separador[] = "__$SEPARADOR_/DE/_FECHAS$__";

// Column 3: CR becomes a blank, LF is dropped; past 18 characters, the first 19 and "...".
QString vistaPrevia(const QString &mensaje);

// Column 1: "yyyy-mm-dd (ddd) h:mm", the hour without a leading zero.
QString textoFecha(const QDateTime &fecha, const QLocale &locale);

// Column 2: recipient + "  [" + destination + "]".
QString textoDestinatario(const RegistroHistorial &registro);

// The date in the locale's general form: short date and the time with seconds.
QString fechaGeneral(const QDateTime &fecha, const QLocale &locale);

// Message + separator + general date.
QString etiqueta(const RegistroHistorial &registro, const QLocale &locale);

// Splits a tag into message and date. At the last separator: the date never
// holds one, a message might.
void partirEtiqueta(const QString &etiqueta, QString *mensaje, QString *fecha);

// "12 de 3.456 mensajes": thousands grouped with a dot, also for four digits.
QString textoCuenta(int mostrados, int total);

} // namespace lista_historial

class ModeloHistorial final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ModeloHistorial)
public:
    enum Columna { ColFecha, ColDestinatario, ColMensaje, ColRemitente, ColProveedor, ColIndice, Columnas };
    // Qt::UserRole on any column: the row's tag.
    static constexpr int RolEtiqueta = Qt::UserRole;

    explicit ModeloHistorial(QObject *padre = nullptr);
    ~ModeloHistorial() override;

    // Rows in file order, unsorted. `alAvanzar(i)` runs after record i (1-based) is taken.
    void cargar(almacen_historial::HistorialIndexado historial, const std::function<void(int)> &alAvanzar = {});
    // One row that is not a record (an empty store), its text in column 1.
    void ponerMarcador(const QString &texto);
    void vaciar();

    bool hayRegistros() const { return !historial_.isEmpty(); }
    // Every record read, whether shown or not.
    int totalRegistros() const { return int(historial_.size()); }
    const almacen_historial::HistorialIndexado &historial() const { return historial_; }
    // The records shown (0-based indices into historial()), in the rows' order.
    const QList<int> &registrosMostrados() const { return filas_; }

    // Shows only the records that match `consulta` (all of them for a blank one),
    // keeping the order; a row's position in the file stays what posicion() says.
    void filtrar(const QString &consulta);
    QString consulta() const { return consulta_; }
    // The record shown in `fila`, decoded now; none on the placeholder row or out of range.
    std::optional<RegistroHistorial> registro(int fila) const;
    // Its position in the file (1 = first record), 0 when there is none.
    int posicion(int fila) const;
    QString texto(int fila, int columna) const;
    QString etiquetaFila(int fila) const;

    // -1 while unsorted.
    int columnaOrden() const { return columnaOrden_; }
    Qt::SortOrder orden() const { return orden_; }

    int rowCount(const QModelIndex &padre = {}) const override;
    int columnCount(const QModelIndex &padre = {}) const override;
    QVariant data(const QModelIndex &indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol = Qt::DisplayRole) const override;
    // "Fecha y Hora" in time order; the other columns by their text. Equal rows keep file order.
    void sort(int columna, Qt::SortOrder orden = Qt::AscendingOrder) override;

private:
    bool esFila(int fila) const { return fila >= 0 && fila < filas_.size(); }
    QString textoRegistro(int k, int columna) const;
    bool hayFiltro() const { return !consulta_.trimmed().isEmpty(); }
    // filas_ from todos_ and the current search.
    void aplicarFiltro();
    const std::vector<QCollatorSortKey> &clavesTexto(int columna);

    QLocale locale_;
    almacen_historial::HistorialIndexado historial_;
    std::vector<std::optional<std::vector<QCollatorSortKey>>> claves_; // per column, made on the first sort
    QList<int> filas_;                                                 // shown row -> record index
    QList<int> todos_;                                                 // every record, in the order of the rows
    busqueda_historial::IndiceBusqueda indice_;                        // made at the first search
    QString consulta_;
    QList<int> coincidencias_; // ascending; meaningful while consulta_ is not blank
    std::vector<char> visible_;
    QString marcador_;
    int columnaOrden_ = -1;
    Qt::SortOrder orden_ = Qt::AscendingOrder;
};
