#include "agenda/frmimportarcontactos.h"

#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSaveFile>
#include <QVBoxLayout>

#include "agenda/principalagenda.h"
#include "agenda/registrocontacto.h"
#include "comun/contexto.h"

namespace {

using Agenda::AccionConflicto;

// Remembered between imports: the country of numbers written without a country code.
const QString SeccionImportacion = QStringLiteral("Importacion1.0");
const QString ClaveRegion = QStringLiteral("Region");

const QString FiltroContactos =
    QStringLiteral("Contactos de teléfonos y correo web (*.vcf *.vcard *.csv)|*.vcf;*.vcard;*.csv|Todos los "
                   "archivos (*.*)|*.*");
const QString SinProveedor = QStringLiteral("(elegir)");
// A contacts file is small; a larger one is no contacts file and would only fill the memory.
constexpr qint64 TamanoMaximo = 256LL * 1024 * 1024;

enum Columna { ColNombre, ColNumero, ColProveedor, ColRepetido };

QString TextoAccion(const Agenda::FilaImportacion &f)
{
    if (!f.existe)
        return {};
    switch (f.accion) {
    case AccionConflicto::Omitir:
        return QStringLiteral("Omitir");
    case AccionConflicto::Reemplazar:
        return QStringLiteral("Reemplazar");
    case AccionConflicto::Renombrar:
        return QStringLiteral("Nombre (2)");
    }
    return {};
}

QString NumeroConBlanco(qint64 n)
{
    return QLatin1Char(' ') + QString::number(n);
}

} // namespace

frmImportarContactos::frmImportarContactos(Contexto &contexto, PrincipalAgenda &principal,
                                           Agenda::LecturaContactos lectura, const QString &nombreArchivo,
                                           QWidget *parent)
    : QDialog(parent)
    , ctx(contexto)
    , m_principal(principal)
    , m_lectura(std::move(lectura))
{
    setWindowTitle(QStringLiteral("Importar contactos de otro programa"));
    setModal(true);

    c.lblArchivo = new QLabel(this);
    c.lblArchivo->setTextFormat(Qt::PlainText);
    c.lblArchivo->setText(
        QStringLiteral("Archivo: ") + nombreArchivo +
        (m_lectura.formato == Agenda::FormatoContactos::VCard ? QStringLiteral(" (vCard)") : QStringLiteral(" (CSV)")));
    c.lblRegion = new QLabel(QStringLiteral("Números sin código de país:"), this);
    c.cboRegion = new QComboBox(this);
    c.cboRegion->addItem(QStringLiteral("Argentina"), QStringLiteral("AR"));
    c.cboRegion->addItem(QStringLiteral("Venezuela"), QStringLiteral("VE"));
    const Agenda::RegionNumeros guardada = Agenda::RegionDeCodigo(ctx.ajustes.leer(SeccionImportacion, ClaveRegion));
    c.cboRegion->setCurrentIndex(guardada == Agenda::RegionNumeros::Venezuela ? 1 : 0);

    c.lvwContactos = new QTreeWidget(this);
    c.lvwContactos->setHeaderLabels({QStringLiteral("Nombre"), QStringLiteral("Número"), QStringLiteral("Proveedor"),
                                     QStringLiteral("Nombre repetido")});
    c.lvwContactos->setRootIsDecorated(false);
    c.lvwContactos->setUniformRowHeights(true);
    c.lvwContactos->setSelectionMode(QAbstractItemView::ExtendedSelection);
    c.lvwContactos->header()->setStretchLastSection(true);
    c.lvwContactos->setColumnWidth(ColNombre, 220);
    c.lvwContactos->setColumnWidth(ColNumero, 110);
    c.lvwContactos->setColumnWidth(ColProveedor, 150);

    c.lblProveedor = new QLabel(QStringLiteral("Proveedor de los contactos elegidos:"), this);
    c.cboProveedor = new QComboBox(this);
    c.cboProveedor->addItems({SinProveedor, Agenda::ProveedorClaro, Agenda::ProveedorPersonal});
    c.cmdProveedorTodos = new QPushButton(QStringLiteral("Para todos los de Argentina"), this);
    c.lblConflicto = new QLabel(QStringLiteral("Si el nombre ya está en la Agenda:"), this);
    c.cboConflicto = new QComboBox(this);
    c.cboConflicto->addItem(QStringLiteral("Omitir"), int(AccionConflicto::Omitir));
    c.cboConflicto->addItem(QStringLiteral("Reemplazar"), int(AccionConflicto::Reemplazar));
    c.cboConflicto->addItem(QStringLiteral("Nombre (2)"), int(AccionConflicto::Renombrar));
    c.cmdConflictoTodos = new QPushButton(QStringLiteral("Para todos los repetidos"), this);

    c.lblRechazados = new QLabel(QStringLiteral("No se importarán:"), this);
    c.lvwRechazados = new QTreeWidget(this);
    c.lvwRechazados->setHeaderLabels({QStringLiteral("Línea"), QStringLiteral("Nombre"), QStringLiteral("Motivo")});
    c.lvwRechazados->setRootIsDecorated(false);
    c.lvwRechazados->setUniformRowHeights(true);
    c.lvwRechazados->setColumnWidth(0, 60);
    c.lvwRechazados->setColumnWidth(1, 200);

    c.lblResumen = new QLabel(this);
    c.lblResumen->setTextFormat(Qt::PlainText);
    c.prgAvance = new QProgressBar(this);
    c.prgAvance->setRange(0, int(m_lectura.contactos.size()));
    c.prgAvance->hide();
    c.cmdImportar = new QPushButton(QStringLiteral("Importar"), this);
    c.cmdCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    c.cmdImportar->setAutoDefault(false);
    c.cmdCancelar->setAutoDefault(false);
    c.nombrar();

    auto *region = new QHBoxLayout;
    region->addWidget(c.lblRegion);
    region->addWidget(c.cboRegion);
    region->addStretch(1);
    auto *elecciones = new QGridLayout;
    elecciones->addWidget(c.lblProveedor, 0, 0);
    elecciones->addWidget(c.cboProveedor, 0, 1);
    elecciones->addWidget(c.cmdProveedorTodos, 0, 2);
    elecciones->addWidget(c.lblConflicto, 1, 0);
    elecciones->addWidget(c.cboConflicto, 1, 1);
    elecciones->addWidget(c.cmdConflictoTodos, 1, 2);
    elecciones->setColumnStretch(3, 1);
    auto *botones = new QHBoxLayout;
    botones->addWidget(c.prgAvance, 1);
    botones->addStretch(0);
    botones->addWidget(c.cmdImportar);
    botones->addWidget(c.cmdCancelar);
    auto *todo = new QVBoxLayout(this);
    todo->addWidget(c.lblArchivo);
    todo->addLayout(region);
    todo->addWidget(c.lvwContactos, 3);
    todo->addLayout(elecciones);
    todo->addWidget(c.lblRechazados);
    todo->addWidget(c.lvwRechazados, 1);
    todo->addWidget(c.lblResumen);
    todo->addLayout(botones);
    resize(640, 520);

    connect(c.cboRegion, &QComboBox::activated, this, &frmImportarContactos::cboRegion_Click);
    connect(c.cboProveedor, &QComboBox::activated, this, &frmImportarContactos::cboProveedor_Click);
    connect(c.cmdProveedorTodos, &QPushButton::clicked, this, &frmImportarContactos::cmdProveedorTodos_Click);
    connect(c.cboConflicto, &QComboBox::activated, this, &frmImportarContactos::cboConflicto_Click);
    connect(c.cmdConflictoTodos, &QPushButton::clicked, this, &frmImportarContactos::cmdConflictoTodos_Click);
    connect(c.lvwContactos, &QTreeWidget::itemChanged, this, &frmImportarContactos::lvwContactos_ItemChanged);
    connect(c.lvwContactos, &QTreeWidget::itemSelectionChanged, this,
            &frmImportarContactos::lvwContactos_SelectionChanged);
    connect(c.cmdImportar, &QPushButton::clicked, this, &frmImportarContactos::cmdImportar_Click);
    connect(c.cmdCancelar, &QPushButton::clicked, this, &frmImportarContactos::cmdCancelar_Click);
}

frmImportarContactos::~frmImportarContactos() = default;

bool frmImportarContactos::Importar(Contexto &ctx, PrincipalAgenda &principal, QWidget *padre)
{
    const QString ruta =
        ctx.dialogos.abrirArchivo(QStringLiteral("Importar contactos de otro programa"), FiltroContactos, QString());
    if (ruta.isEmpty())
        return false;
    const auto fallo = [&ctx](const QString &texto) {
        ctx.dialogos.mensaje(QStringLiteral("No se pueden importar contactos de este archivo\r\n\r\n") + texto,
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
        return false;
    };
    QFile archivo(ruta);
    if (QFileInfo(ruta).isDir() || !archivo.open(QIODevice::ReadOnly))
        return fallo(QStringLiteral("Ocurrió un error al acceder al archivo, compruebe que tenga los permisos "
                                    "necesarios para acceder al archivo y que esté en este equipo y no en otro de la "
                                    "red"));
    if (archivo.size() > TamanoMaximo)
        return fallo(QStringLiteral("El archivo es demasiado grande para ser una libreta de contactos."));
    const QByteArray bytes = archivo.readAll();
    if (archivo.error() != QFileDevice::NoError)
        return fallo(QStringLiteral("Ocurrió un error al leer el archivo: ") + archivo.errorString());
    archivo.close();

    Agenda::LecturaContactos lectura = Agenda::LeerContactosDeOtroPrograma(bytes);
    if (lectura.formato == Agenda::FormatoContactos::Desconocido)
        return fallo(lectura.error);
    if (lectura.contactos.isEmpty()) {
        ctx.dialogos.mensaje(QStringLiteral("El archivo no contiene contactos."), Dialogos::Botones::Aceptar,
                             Dialogos::Icono::Informacion, Dialogos::tituloPrograma());
        return false;
    }
    frmImportarContactos ventana(ctx, principal, std::move(lectura), QFileInfo(ruta).fileName(), padre);
    if (!ventana.Cargar())
        return false;
    ventana.exec();
    return ventana.importados() > 0;
}

bool frmImportarContactos::Cargar()
{
    show();
    m_cargando = true;
    m_cancelado = false;
    // Only Cancel acts while the numbers are split.
    const QList<QWidget *> quietos{c.cmdImportar,       c.cboRegion,    c.lvwContactos,     c.cboProveedor,
                                   c.cmdProveedorTodos, c.cboConflicto, c.cmdConflictoTodos};
    for (QWidget *control : quietos)
        control->setEnabled(false);
    c.prgAvance->setValue(0);
    c.prgAvance->show();
    ParesAjustes pares;
    ctx.ajustes.enumerarConEstado(SeccionAgenda, &pares);
    m_existentes.clear();
    for (const auto &par : std::as_const(pares))
        m_existentes.append({par.first, par.second});
    const Agenda::RegionNumeros region = Agenda::RegionDeCodigo(c.cboRegion->currentData().toString());
    // Cancel must act in a long file: input is let through while the numbers are split.
    const bool hecho =
        Agenda::PrepararImportacion(m_lectura.contactos, region, m_existentes, &m_vista, [this](int hechos) {
            c.prgAvance->setValue(hechos);
            ctx.sistema.dejarCorrerMensajes(true);
            return !m_cancelado;
        });
    m_cargando = false;
    c.prgAvance->hide();
    for (QWidget *control : quietos)
        control->setEnabled(true);
    if (!hecho) {
        done(QDialog::Rejected);
        return false;
    }
    llenarListas();
    c.cmdImportar->setEnabled(!m_vista.filas.isEmpty());
    return true;
}

void frmImportarContactos::llenarListas()
{
    m_llenando = true;
    c.lvwContactos->clear();
    QList<QTreeWidgetItem *> filas;
    filas.reserve(m_vista.filas.size());
    for (qsizetype i = 0; i < m_vista.filas.size(); ++i) {
        auto *item = new QTreeWidgetItem;
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        filas.append(item);
    }
    c.lvwContactos->addTopLevelItems(filas);
    for (int i = 0; i < int(m_vista.filas.size()); ++i)
        mostrarFila(i);
    c.lvwRechazados->clear();
    QList<QTreeWidgetItem *> rechazados;
    for (const Agenda::RechazoImportacion &r : std::as_const(m_vista.rechazados))
        rechazados.append(new QTreeWidgetItem(
            {QString::number(r.linea), r.nombre.isEmpty() ? QStringLiteral("(sin nombre)") : r.nombre, r.motivo}));
    c.lvwRechazados->addTopLevelItems(rechazados);
    m_llenando = false;
    mostrarResumen();
}

void frmImportarContactos::mostrarFila(int i)
{
    const Agenda::FilaImportacion &f = m_vista.filas.at(i);
    QTreeWidgetItem *item = c.lvwContactos->topLevelItem(i);
    const bool antes = m_llenando;
    m_llenando = true;
    item->setText(ColNombre, f.nombre);
    item->setCheckState(ColNombre, f.incluir ? Qt::Checked : Qt::Unchecked);
    // As the address book shows a number: the area (or operator) code, a blank, the number.
    item->setText(ColNumero,
                  (f.argentino ? QString() : QStringLiteral("04")) + f.codArea + QLatin1Char(' ') + f.numero);
    item->setText(ColProveedor, f.proveedor.isEmpty() ? SinProveedor : f.proveedor);
    item->setText(ColRepetido, TextoAccion(f));
    m_llenando = antes;
}

void frmImportarContactos::mostrarResumen()
{
    int incluidos = 0, sinProveedor = 0, repetidos = 0;
    for (const Agenda::FilaImportacion &f : std::as_const(m_vista.filas)) {
        if (!f.incluir)
            continue;
        ++incluidos;
        sinProveedor += f.proveedor.isEmpty();
        repetidos += f.existe;
    }
    QString texto = QString::number(incluidos) + QStringLiteral(" contacto(s) para importar");
    if (repetidos > 0)
        texto += QStringLiteral(", ") + QString::number(repetidos) + QStringLiteral(" con un nombre que ya existe");
    if (sinProveedor > 0)
        texto += QStringLiteral(", ") + QString::number(sinProveedor) + QStringLiteral(" sin proveedor elegido");
    texto += QStringLiteral("; ") + QString::number(m_vista.rechazados.size()) + QStringLiteral(" rechazado(s).");
    c.lblResumen->setText(texto);
    c.lblRechazados->setText(m_vista.rechazados.isEmpty()
                                 ? QStringLiteral("No se importarán: ninguno.")
                                 : QStringLiteral("No se importarán (") + QString::number(m_vista.rechazados.size()) +
                                       QStringLiteral("):"));
}

QList<int> frmImportarContactos::filasElegidas() const
{
    QList<int> filas;
    for (QTreeWidgetItem *item : c.lvwContactos->selectedItems())
        filas.append(c.lvwContactos->indexOfTopLevelItem(item));
    std::sort(filas.begin(), filas.end());
    return filas;
}

void frmImportarContactos::avisar(const QString &texto, int icono)
{
    ctx.dialogos.mensaje(texto, Dialogos::Botones::Aceptar, Dialogos::Icono(icono), Dialogos::tituloPrograma());
}

void frmImportarContactos::cboRegion_Click()
{
    ctx.ajustes.escribir(SeccionImportacion, ClaveRegion, c.cboRegion->currentData().toString());
    // The numbers are split again; the choices made on the old ones no longer apply.
    if (!Cargar())
        return;
}

void frmImportarContactos::cboProveedor_Click()
{
    const QString proveedor = c.cboProveedor->currentIndex() > 0 ? c.cboProveedor->currentText() : QString();
    for (const int i : filasElegidas()) {
        Agenda::FilaImportacion &f = m_vista.filas[i];
        // Venezuelan numbers have their provider; Claro and Personal are Argentine.
        if (!f.argentino)
            continue;
        f.proveedor = proveedor;
        mostrarFila(i);
    }
    mostrarResumen();
}

void frmImportarContactos::cmdProveedorTodos_Click()
{
    if (c.cboProveedor->currentIndex() <= 0) {
        avisar(QStringLiteral("Elija primero un proveedor de la lista."), int(Dialogos::Icono::Exclamacion));
        return;
    }
    for (int i = 0; i < int(m_vista.filas.size()); ++i) {
        if (m_vista.filas.at(i).argentino) {
            m_vista.filas[i].proveedor = c.cboProveedor->currentText();
            mostrarFila(i);
        }
    }
    mostrarResumen();
}

void frmImportarContactos::cboConflicto_Click()
{
    const auto accion = AccionConflicto(c.cboConflicto->currentData().toInt());
    for (const int i : filasElegidas()) {
        if (m_vista.filas.at(i).existe) {
            m_vista.filas[i].accion = accion;
            mostrarFila(i);
        }
    }
}

void frmImportarContactos::cmdConflictoTodos_Click()
{
    const auto accion = AccionConflicto(c.cboConflicto->currentData().toInt());
    for (int i = 0; i < int(m_vista.filas.size()); ++i) {
        if (m_vista.filas.at(i).existe) {
            m_vista.filas[i].accion = accion;
            mostrarFila(i);
        }
    }
}

void frmImportarContactos::lvwContactos_ItemChanged(QTreeWidgetItem *item, int columna)
{
    if (m_llenando || columna != ColNombre)
        return;
    const int i = c.lvwContactos->indexOfTopLevelItem(item);
    if (i < 0 || i >= m_vista.filas.size())
        return;
    m_vista.filas[i].incluir = item->checkState(ColNombre) == Qt::Checked;
    mostrarResumen();
}

void frmImportarContactos::lvwContactos_SelectionChanged()
{
    // The boxes show the choice of the first contact picked.
    const QList<int> filas = filasElegidas();
    if (filas.isEmpty())
        return;
    const Agenda::FilaImportacion &f = m_vista.filas.at(filas.constFirst());
    const int proveedor = c.cboProveedor->findText(f.proveedor);
    c.cboProveedor->setCurrentIndex(proveedor < 0 ? 0 : proveedor);
    c.cboConflicto->setCurrentIndex(c.cboConflicto->findData(int(f.accion)));
}

void frmImportarContactos::cmdImportar_Click()
{
    if (m_cargando)
        return;
    const Agenda::PlanGuardado plan = Agenda::PlanificarGuardado(m_vista, m_existentes);
    if (plan.sinProveedor > 0) {
        avisar(QStringLiteral("Elija el proveedor de") + NumeroConBlanco(plan.sinProveedor) +
                   QStringLiteral(" contacto(s) de Argentina antes de importar.\r\n\r\n · Los números pasan de una "
                                  "empresa a otra: elija Argentina - Claro o Argentina - Personal para cada contacto "
                                  "o para todos"),
               int(Dialogos::Icono::Exclamacion));
        return;
    }
    // One transaction: a failure leaves the address book as it was.
    if (!plan.pares.isEmpty() && !ctx.ajustes.escribirVarios(SeccionAgenda, plan.pares)) {
        avisar(QStringLiteral("No se pudieron guardar los contactos en la Agenda. La Agenda quedó como estaba."),
               int(Dialogos::Icono::Critico));
        return;
    }
    m_importados = plan.importados;
    if (plan.importados > 0) {
        m_principal.IniciarPanelContactos();
        m_principal.ActualizarAgenda();
    }
    done(QDialog::Accepted);
    avisar(QStringLiteral("Importación terminada\r\n\r\n · Importados:") + NumeroConBlanco(plan.importados) +
               QStringLiteral("\r\n · Omitidos:") + NumeroConBlanco(plan.omitidos) +
               QStringLiteral("\r\n · Rechazados:") + NumeroConBlanco(m_vista.rechazados.size()),
           int(Dialogos::Icono::Informacion));
}

void frmImportarContactos::cmdCancelar_Click()
{
    reject();
}

void frmImportarContactos::reject()
{
    if (m_cargando) {
        m_cancelado = true;
        return;
    }
    QDialog::reject();
}

namespace Agenda {

void ExportarVCard(Contexto &ctx)
{
    const auto informar = [&ctx](const QString &texto, Dialogos::Icono icono) {
        ctx.dialogos.mensaje(texto, Dialogos::Botones::Aceptar, icono, Dialogos::tituloPrograma());
    };
    Contactos contactos;
    if (!LeerContactos(ctx.ajustes, &contactos)) {
        informar(QStringLiteral("No se pudo exportar la Agenda\r\n\r\nNo se pudieron leer los contactos guardados; no "
                                "se escribió ningún archivo."),
                 Dialogos::Icono::Critico);
        return;
    }
    if (contactos.isEmpty()) {
        informar(QStringLiteral("No se puede exportar la Agenda\r\n\r\nLa Agenda está vacía, agregue algunos contactos "
                                "antes de intentar exportar de nuevo"),
                 Dialogos::Icono::Critico);
        return;
    }
    const QString ruta = ctx.dialogos.guardarArchivo(
        QStringLiteral("Exportar a vCard"),
        QStringLiteral("Tarjetas de contacto vCard (*.vcf)|*.vcf|Todos los archivos (*.*)|*.*"),
        QStringLiteral("Agenda.vcf"), true);
    if (ruta.isEmpty())
        return;
    ResumenVCard resumen;
    const QByteArray datos = EscribirVCard(contactos, &resumen);
    QSaveFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly) || archivo.write(datos) != datos.size() || !archivo.commit()) {
        informar(QStringLiteral("No se puede exportar la Agenda\r\n\r\nOcurrió un error al acceder al archivo, "
                                "compruebe que tenga los permisos necesarios para acceder al archivo y que esté en "
                                "este equipo y no en otro de la red"),
                 Dialogos::Icono::Ninguno);
        return;
    }
    QString texto = QStringLiteral("La Agenda se exportó con exito\r\n\r\n · Contactos en el archivo:") +
                    NumeroConBlanco(resumen.escritos);
    if (resumen.omitidos > 0)
        texto += QStringLiteral("\r\n · No se exportaron") + NumeroConBlanco(resumen.omitidos) +
                 QStringLiteral(" contacto(s) con un alias o un número que un teléfono no puede marcar");
    informar(texto, Dialogos::Icono::Informacion);
}

} // namespace Agenda
