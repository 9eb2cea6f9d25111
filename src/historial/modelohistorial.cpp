#include "historial/modelohistorial.h"

#include <QCollator>

#include <algorithm>
#include <numeric>

namespace lista_historial {

QString vistaPrevia(const QString &mensaje)
{
    constexpr qsizetype Largo = 18;
    QString previa;
    previa.reserve(Largo + 4);
    for (const QChar c : mensaje) {
        if (c == QLatin1Char('\n')) {
            continue;
        }
        previa += c == QLatin1Char('\r') ? QLatin1Char(' ') : c;
        if (previa.size() > Largo) {
            previa += QLatin1String("...");
            break;
        }
    }
    return previa;
}

QString textoFecha(const QDateTime &fecha, const QLocale &locale)
{
    return locale.toString(fecha, QStringLiteral("yyyy-MM-dd (ddd) H:mm"));
}

QString textoDestinatario(const RegistroHistorial &registro)
{
    return registro.destinatario + QLatin1String("  [") + registro.destino + QLatin1Char(']');
}

QString fechaGeneral(const QDateTime &fecha, const QLocale &locale)
{
    return locale.toString(fecha.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(fecha.time(), QStringLiteral("H:mm:ss"));
}

QString etiqueta(const RegistroHistorial &registro, const QLocale &locale)
{
    return registro.mensaje + QLatin1String(Separador) + fechaGeneral(registro.fecha, locale);
}

void partirEtiqueta(const QString &etiqueta, QString *mensaje, QString *fecha)
{
    const qsizetype donde = etiqueta.lastIndexOf(QLatin1String(Separador), -1, Qt::CaseInsensitive);
    if (donde < 0) {
        *mensaje = etiqueta;
        fecha->clear();
        return;
    }
    *mensaje = etiqueta.left(donde);
    *fecha = etiqueta.mid(donde + qsizetype(sizeof(Separador) - 1));
}

} // namespace lista_historial

namespace lh = lista_historial;

ModeloHistorial::ModeloHistorial(QObject *padre)
    : QAbstractTableModel(padre)
{}

ModeloHistorial::~ModeloHistorial() = default;

void ModeloHistorial::cargar(TablaHistorial tabla, const std::function<void(int)> &alAvanzar)
{
    beginResetModel();
    tabla_ = std::move(tabla);
    marcador_.clear();
    columnaOrden_ = -1;
    orden_ = Qt::AscendingOrder;
    claves_.assign(Columnas, std::nullopt);
    instantes_.assign(size_t(tabla_.size()), 0);
    filas_.resize(tabla_.size());
    for (qsizetype k = 0; k < tabla_.size(); ++k) {
        instantes_[size_t(k)] = tabla_[k].fecha.toMSecsSinceEpoch();
        filas_[k] = int(k);
        if (alAvanzar) {
            alAvanzar(int(k + 1));
        }
    }
    endResetModel();
}

void ModeloHistorial::ponerMarcador(const QString &texto)
{
    beginResetModel();
    tabla_.clear();
    instantes_.clear();
    claves_.assign(Columnas, std::nullopt);
    filas_.clear();
    marcador_ = texto;
    columnaOrden_ = -1;
    orden_ = Qt::AscendingOrder;
    endResetModel();
}

void ModeloHistorial::vaciar()
{
    beginResetModel();
    tabla_.clear();
    tabla_.squeeze();
    instantes_ = {};
    claves_.assign(Columnas, std::nullopt);
    filas_ = {};
    marcador_.clear();
    columnaOrden_ = -1;
    endResetModel();
}

const RegistroHistorial *ModeloHistorial::registro(int fila) const
{
    if (fila < 0 || fila >= filas_.size()) {
        return nullptr;
    }
    return &tabla_[filas_[fila]];
}

int ModeloHistorial::posicion(int fila) const
{
    return registro(fila) ? filas_[fila] + 1 : 0;
}

QString ModeloHistorial::textoRegistro(int k, int columna) const
{
    const RegistroHistorial &r = tabla_[k];
    switch (columna) {
    case ColFecha:
        return lh::textoFecha(r.fecha, locale_);
    case ColDestinatario:
        return lh::textoDestinatario(r);
    case ColMensaje:
        return lh::vistaPrevia(r.mensaje);
    case ColRemitente:
        return r.remitente;
    case ColProveedor:
        return r.proveedor;
    case ColIndice:
        return QString::number(k + 1);
    default:
        return {};
    }
}

QString ModeloHistorial::texto(int fila, int columna) const
{
    if (!marcador_.isEmpty()) {
        return fila == 0 && columna == ColFecha ? marcador_ : QString();
    }
    if (fila < 0 || fila >= filas_.size()) {
        return {};
    }
    return textoRegistro(filas_[fila], columna);
}

QString ModeloHistorial::etiquetaFila(int fila) const
{
    const RegistroHistorial *r = registro(fila);
    return r ? lh::etiqueta(*r, locale_) : QString();
}

int ModeloHistorial::rowCount(const QModelIndex &padre) const
{
    if (padre.isValid()) {
        return 0;
    }
    return marcador_.isEmpty() ? int(filas_.size()) : 1;
}

int ModeloHistorial::columnCount(const QModelIndex &padre) const
{
    return padre.isValid() ? 0 : Columnas;
}

QVariant ModeloHistorial::data(const QModelIndex &indice, int rol) const
{
    if (!indice.isValid()) {
        return {};
    }
    if (rol == Qt::DisplayRole) {
        return texto(indice.row(), indice.column());
    }
    if (rol == RolEtiqueta) {
        return etiquetaFila(indice.row());
    }
    return {};
}

QVariant ModeloHistorial::headerData(int seccion, Qt::Orientation orientacion, int rol) const
{
    if (orientacion != Qt::Horizontal || rol != Qt::DisplayRole) {
        return {};
    }
    switch (seccion) {
    case ColFecha:
        return QStringLiteral("Fecha y Hora");
    case ColDestinatario:
        return QStringLiteral("Destinatario");
    case ColMensaje:
        return QStringLiteral("Mensaje");
    case ColRemitente:
        return QStringLiteral("Remitente");
    case ColProveedor:
        return QStringLiteral("Proveedor");
    case ColIndice:
        return QStringLiteral("Indice");
    default:
        return {};
    }
}

const std::vector<QCollatorSortKey> &ModeloHistorial::clavesTexto(int columna)
{
    auto &claves = claves_[size_t(columna)];
    if (!claves) {
        // The program speaks Spanish: ñ after n, and accents and case weigh
        // only between otherwise equal texts.
        QCollator collator{QLocale(QLocale::Spanish)};
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::vector<QCollatorSortKey> nuevas;
        nuevas.reserve(size_t(tabla_.size()));
        for (qsizetype k = 0; k < tabla_.size(); ++k) {
            nuevas.push_back(collator.sortKey(textoRegistro(int(k), columna)));
        }
        claves = std::move(nuevas);
    }
    return *claves;
}

void ModeloHistorial::sort(int columna, Qt::SortOrder orden)
{
    if (columna < 0 || columna >= Columnas || tabla_.isEmpty()) {
        return;
    }
    const bool descendente = orden == Qt::DescendingOrder;
    std::vector<int> nuevo(size_t(tabla_.size()));
    std::iota(nuevo.begin(), nuevo.end(), 0);
    // Stable, and the order is flipped in the comparison rather than by
    // reversing the result: equal rows stay in file order both ways.
    if (columna == ColFecha) {
        const auto &t = instantes_;
        std::stable_sort(nuevo.begin(), nuevo.end(), [&t, descendente](int a, int b) {
            return descendente ? t[size_t(b)] < t[size_t(a)] : t[size_t(a)] < t[size_t(b)];
        });
    } else if (columna == ColIndice) {
        if (descendente) {
            std::reverse(nuevo.begin(), nuevo.end());
        }
    } else {
        const auto &c = clavesTexto(columna);
        std::stable_sort(nuevo.begin(), nuevo.end(), [&c, descendente](int a, int b) {
            return descendente ? c[size_t(b)].compare(c[size_t(a)]) < 0 : c[size_t(a)].compare(c[size_t(b)]) < 0;
        });
    }

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Selection and current row follow their records.
    std::vector<int> filaDe(nuevo.size());
    for (size_t fila = 0; fila < nuevo.size(); ++fila) {
        filaDe[size_t(nuevo[fila])] = int(fila);
    }
    const QModelIndexList antes = persistentIndexList();
    QModelIndexList despues;
    despues.reserve(antes.size());
    for (const QModelIndex &i : antes) {
        despues.append(index(filaDe[size_t(filas_[i.row()])], i.column()));
    }
    filas_ = QList<int>(nuevo.begin(), nuevo.end());
    changePersistentIndexList(antes, despues);
    columnaOrden_ = columna;
    orden_ = orden;
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
