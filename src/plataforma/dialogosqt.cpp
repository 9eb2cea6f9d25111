#include "plataforma/dialogosqt.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>

namespace {

// The window manager's icon and buttons beside a title.
constexpr int AnchoBotonesMarco = 130;

} // namespace

QWidget *DialogosQt::padre() const
{
    return m_padre ? m_padre : QApplication::activeWindow();
}

Dialogos::Respuesta DialogosQt::mostrarMensaje(const QString &texto, Botones botones, Icono icono,
                                               const QString &titulo, Respuesta predeterminada)
{
    QMessageBox caja(padre());
    caja.setWindowTitle(titulo.isEmpty() ? tituloPrograma() : titulo);
    // Texts are plain: a "<" in a contact name must not turn the box into markup.
    caja.setTextFormat(Qt::PlainText);
    QString visible = texto;
    visible.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    caja.setText(visible);
    // The user may need to pass an error text on: it can be selected, and Ctrl+C with
    // nothing selected copies all of it.
    caja.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto *copiar = new QShortcut(QKeySequence::Copy, &caja);
    QObject::connect(copiar, &QShortcut::activated, &caja, [visible] { QApplication::clipboard()->setText(visible); });
    switch (icono) {
    case Icono::Ninguno:
        caja.setIcon(QMessageBox::NoIcon);
        break;
    case Icono::Informacion:
        caja.setIcon(QMessageBox::Information);
        break;
    case Icono::Exclamacion:
        caja.setIcon(QMessageBox::Warning);
        break;
    case Icono::Critico:
        caja.setIcon(QMessageBox::Critical);
        break;
    case Icono::Pregunta:
        caja.setIcon(QMessageBox::Question);
        break;
    }

    QList<QPair<QPushButton *, Respuesta>> mapa;
    auto agregar = [&](const QString &textoBoton, QMessageBox::ButtonRole rol, Respuesta r) {
        QPushButton *b = caja.addButton(textoBoton, rol);
        mapa.append({b, r});
        return b;
    };
    // Closing the box without a button gives the answer that does nothing.
    Respuesta alCerrar = Respuesta::Aceptar;
    switch (botones) {
    case Botones::Aceptar:
        caja.setEscapeButton(agregar(QStringLiteral("Aceptar"), QMessageBox::AcceptRole, Respuesta::Aceptar));
        break;
    case Botones::AceptarCancelar:
        agregar(QStringLiteral("Aceptar"), QMessageBox::AcceptRole, Respuesta::Aceptar);
        caja.setEscapeButton(agregar(QStringLiteral("Cancelar"), QMessageBox::RejectRole, Respuesta::Cancelar));
        alCerrar = Respuesta::Cancelar;
        break;
    case Botones::SiNo:
        agregar(QStringLiteral("Sí"), QMessageBox::YesRole, Respuesta::Si);
        caja.setEscapeButton(agregar(QStringLiteral("No"), QMessageBox::NoRole, Respuesta::No));
        alCerrar = Respuesta::No;
        break;
    }
    for (const auto &[boton, respuesta] : std::as_const(mapa)) {
        if (respuesta == predeterminada)
            caja.setDefaultButton(boton);
    }
    // A short text makes a narrow box, and the window manager then cuts its title: the
    // box is at least as wide as the title in bold plus room for the frame's buttons
    // (after the icon and buttons are set, which lay the box out anew).
    if (auto *rejilla = qobject_cast<QGridLayout *>(caja.layout())) {
        // Window managers draw titles in their own font, commonly the desktop's sans-serif
        // in bold at 10 points: the wider of that and the program's font in bold.
        QFont negrita = caja.font();
        negrita.setBold(true);
        const QFont marco(QStringLiteral("Sans"), 10, QFont::Bold);
        const int ancho = qMax(QFontMetrics(negrita).horizontalAdvance(caja.windowTitle()),
                               QFontMetrics(marco).horizontalAdvance(caja.windowTitle())) +
                          AnchoBotonesMarco;
        rejilla->addItem(new QSpacerItem(ancho, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), rejilla->rowCount(),
                         0, 1, rejilla->columnCount());
    }
    caja.exec();
    const QAbstractButton *pulsado = caja.clickedButton();
    for (const auto &[boton, respuesta] : std::as_const(mapa)) {
        if (boton == pulsado)
            return respuesta;
    }
    return alCerrar;
}

QStringList DialogosQt::convertirFiltro(const QString &filtro)
{
    QStringList resultado;
    if (filtro.trimmed().isEmpty())
        return resultado;
    const QStringList partes = filtro.split(QLatin1Char('|'));
    static const QRegularExpression parentesisFinal(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    for (qsizetype i = 0; i < partes.size(); i += 2) {
        // A trailing "|" leaves an empty pair behind.
        if (partes.at(i).trimmed().isEmpty() && (i + 1 >= partes.size() || partes.at(i + 1).trimmed().isEmpty()))
            continue;
        QString descripcion = partes.at(i).trimmed();
        const QString patrones = i + 1 < partes.size() ? partes.at(i + 1) : QStringLiteral("*");
        QStringList lista;
        for (QString p : patrones.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            p = p.trimmed();
            // "*.*" asks for every file; here a name need not have a dot.
            if (p == QLatin1String("*.*"))
                p = QStringLiteral("*");
            if (!p.isEmpty())
                lista << p;
        }
        if (lista.isEmpty())
            lista << QStringLiteral("*");
        // Qt reads the patterns from the parentheses, so they must be the real ones.
        descripcion.remove(parentesisFinal);
        const QString mostrado = lista.join(QLatin1Char(' '));
        resultado << (descripcion.isEmpty() ? mostrado : descripcion) + QStringLiteral(" (") + mostrado +
                         QLatin1Char(')');
    }
    return resultado;
}

QString DialogosQt::archivo(bool guardar, const QString &titulo, const QString &filtro, const QString &nombreInicial,
                            bool confirmarSobrescribir)
{
    QFileDialog dialogo(padre(), titulo);
    dialogo.setAcceptMode(guardar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialogo.setFileMode(guardar ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialogo.setOption(QFileDialog::DontConfirmOverwrite, !confirmarSobrescribir);
    const QStringList filtros = convertirFiltro(filtro);
    if (!filtros.isEmpty())
        dialogo.setNameFilters(filtros);
    if (guardar && !filtros.isEmpty()) {
        // A name typed without extension gets the first filter's, as the user expects.
        static const QRegularExpression extension(QStringLiteral("\\(\\*\\.([^*?\\s().]+)[ )]"));
        const QRegularExpressionMatch m = extension.match(filtros.constFirst());
        if (m.hasMatch())
            dialogo.setDefaultSuffix(m.captured(1));
    }
    if (!nombreInicial.isEmpty())
        dialogo.selectFile(nombreInicial);
    if (dialogo.exec() != QDialog::Accepted)
        return {};
    const QStringList elegidos = dialogo.selectedFiles();
    return elegidos.isEmpty() ? QString() : elegidos.constFirst();
}

QString DialogosQt::pedirTexto(const QString &titulo, const QString &etiqueta, const QString &inicial)
{
    QInputDialog d(padre());
    d.setWindowTitle(titulo);
    d.setLabelText(etiqueta);
    d.setTextValue(inicial);
    d.setOkButtonText(QStringLiteral("Aceptar"));
    d.setCancelButtonText(QStringLiteral("Cancelar"));
    return d.exec() == QDialog::Accepted ? d.textValue() : QString();
}

QString DialogosQt::abrirArchivo(const QString &titulo, const QString &filtro, const QString &nombreInicial)
{
    return archivo(false, titulo, filtro, nombreInicial, false);
}

QString DialogosQt::guardarArchivo(const QString &titulo, const QString &filtro, const QString &nombreInicial,
                                   bool confirmarSobrescribir)
{
    return archivo(true, titulo, filtro, nombreInicial, confirmarSobrescribir);
}
