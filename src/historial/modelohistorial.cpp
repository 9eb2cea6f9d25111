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

namespace {

QString conPuntos(int n)
{
    QString texto = QString::number(n < 0 ? -qint64(n) : qint64(n));
    for (qsizetype i = texto.size() - 3; i > 0; i -= 3) {
        texto.insert(i, QLatin1Char('.'));
    }
    return n < 0 ? QLatin1Char('-') + texto : texto;
}

} // namespace

QString textoCuenta(int mostrados, int total)
{
    return conPuntos(mostrados) + QLatin1String(" de ") + conPuntos(total) + QLatin1String(" mensajes");
}

} // namespace lista_historial

namespace lh = lista_historial;

ModeloHistorial::ModeloHistorial(QObject *padre)
    : QAbstractTableModel(padre)
{}

ModeloHistorial::~ModeloHistorial() = default;

void ModeloHistorial::cargar(almacen_historial::HistorialIndexado historial, const std::function<void(int)> &alAvanzar)
{
    beginResetModel();
    historial_ = std::move(historial);
    marcador_.clear();
    columnaOrden_ = -1;
    orden_ = Qt::AscendingOrder;
    claves_.assign(Columnas, std::nullopt);
    const qsizetype n = historial_.size();
    filas_.resize(n);
    for (qsizetype k = 0; k < n; ++k) {
        filas_[k] = int(k);
        if (alAvanzar) {
            alAvanzar(int(k + 1));
        }
    }
    todos_ = filas_;
    indice_ = {};
    consulta_.clear();
    coincidencias_.clear();
    visible_.clear();
    endResetModel();
}

void ModeloHistorial::ponerMarcador(const QString &texto)
{
    beginResetModel();
    historial_.clear();
    claves_.assign(Columnas, std::nullopt);
    filas_.clear();
    todos_.clear();
    indice_ = {};
    consulta_.clear();
    coincidencias_.clear();
    visible_.clear();
    marcador_ = texto;
    columnaOrden_ = -1;
    orden_ = Qt::AscendingOrder;
    endResetModel();
}

void ModeloHistorial::vaciar()
{
    beginResetModel();
    // The store's bytes go with it, not kept for a reuse.
    historial_ = {};
    claves_.assign(Columnas, std::nullopt);
    filas_ = {};
    todos_ = {};
    indice_ = {};
    consulta_.clear();
    coincidencias_ = {};
    visible_ = {};
    marcador_.clear();
    columnaOrden_ = -1;
    endResetModel();
}

std::optional<RegistroHistorial> ModeloHistorial::registro(int fila) const
{
    if (!esFila(fila)) {
        return std::nullopt;
    }
    return historial_.registro(filas_[fila]);
}

int ModeloHistorial::posicion(int fila) const
{
    return esFila(fila) ? filas_[fila] + 1 : 0;
}

QString ModeloHistorial::textoRegistro(int k, int columna) const
{
    using almacen_historial::CampoHistorial;
    switch (columna) {
    case ColFecha:
        return lh::textoFecha(historial_.fecha(k), locale_);
    case ColDestinatario:
        return historial_.texto(k, CampoHistorial::Destinatario) + QLatin1String("  [") +
               historial_.texto(k, CampoHistorial::Destino) + QLatin1Char(']');
    case ColMensaje:
        return lh::vistaPrevia(historial_.texto(k, CampoHistorial::Mensaje));
    case ColRemitente:
        return historial_.texto(k, CampoHistorial::Remitente);
    case ColProveedor:
        return historial_.texto(k, CampoHistorial::Proveedor);
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
    if (!esFila(fila)) {
        return {};
    }
    return textoRegistro(filas_[fila], columna);
}

QString ModeloHistorial::etiquetaFila(int fila) const
{
    if (!esFila(fila)) {
        return {};
    }
    const int k = filas_[fila];
    return historial_.texto(k, almacen_historial::CampoHistorial::Mensaje) + QLatin1String(lh::Separador) +
           lh::fechaGeneral(historial_.fecha(k), locale_);
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
        nuevas.reserve(size_t(historial_.size()));
        for (qsizetype k = 0; k < historial_.size(); ++k) {
            nuevas.push_back(collator.sortKey(textoRegistro(int(k), columna)));
        }
        claves = std::move(nuevas);
    }
    return *claves;
}

void ModeloHistorial::sort(int columna, Qt::SortOrder orden)
{
    if (columna < 0 || columna >= Columnas || historial_.isEmpty()) {
        return;
    }
    const bool descendente = orden == Qt::DescendingOrder;
    std::vector<int> nuevo(size_t(historial_.size()));
    std::iota(nuevo.begin(), nuevo.end(), 0);
    // Stable, and the order is flipped in the comparison rather than by
    // reversing the result: equal rows stay in file order both ways.
    if (columna == ColFecha) {
        // The date as written (yyyymmddhhmmss), already in the index: no record is decoded.
        const auto &h = historial_;
        std::stable_sort(nuevo.begin(), nuevo.end(), [&h, descendente](int a, int b) {
            return descendente ? h.fechaNumero(b) < h.fechaNumero(a) : h.fechaNumero(a) < h.fechaNumero(b);
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
    const QList<int> anteriores = filas_;
    todos_ = QList<int>(nuevo.begin(), nuevo.end());
    aplicarFiltro();
    // Selection and current row follow their records (the search is the same: every shown record stays shown).
    std::vector<int> filaDe(nuevo.size(), -1);
    for (qsizetype fila = 0; fila < filas_.size(); ++fila) {
        filaDe[size_t(filas_[fila])] = int(fila);
    }
    const QModelIndexList antes = persistentIndexList();
    QModelIndexList despues;
    despues.reserve(antes.size());
    for (const QModelIndex &i : antes) {
        const int fila = filaDe[size_t(anteriores[i.row()])];
        despues.append(fila < 0 ? QModelIndex() : index(fila, i.column()));
    }
    changePersistentIndexList(antes, despues);
    columnaOrden_ = columna;
    orden_ = orden;
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ModeloHistorial::aplicarFiltro()
{
    if (!hayFiltro()) {
        filas_ = todos_;
        return;
    }
    QList<int> filas;
    filas.reserve(coincidencias_.size());
    for (const int k : std::as_const(todos_)) {
        if (visible_[size_t(k)]) {
            filas.append(k);
        }
    }
    filas_ = std::move(filas);
}

void ModeloHistorial::filtrar(const QString &consulta)
{
    if (historial_.isEmpty() || consulta == consulta_) {
        return;
    }
    const bool antes = hayFiltro();
    const QString anterior = consulta_;
    consulta_ = consulta;
    if (!hayFiltro()) {
        if (!antes) {
            return;
        }
        beginResetModel();
        coincidencias_.clear();
        filas_ = todos_;
        endResetModel();
        return;
    }
    if (!indice_.construido()) {
        indice_.construir(historial_);
    }
    // Typing on only narrows: the new matches are among the last ones.
    coincidencias_ = antes && busqueda_historial::IndiceBusqueda::estrecha(anterior, consulta)
                         ? indice_.buscar(consulta, &coincidencias_, anterior)
                         : indice_.buscar(consulta);
    visible_.assign(size_t(historial_.size()), 0);
    for (const int k : std::as_const(coincidencias_)) {
        visible_[size_t(k)] = 1;
    }
    beginResetModel();
    aplicarFiltro();
    endResetModel();
}
