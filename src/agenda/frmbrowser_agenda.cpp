// The main window's contact handlers: quick-contact drop-down, recipient label,
// contacts panel and the "/c:" command line.
#include "agenda/agenda.h"
#include "agenda/lineacomandos.h"
#include "agenda/registrocontacto.h"
#include "shell/frmbrowser.h"

void frmBrowser::ActualizarAgenda()
{
    const bool leidos = Agenda::LeerContactos(ctx.ajustes, &ctx.contactos);
    if (txtalias->isHidden())
        MostrarDestinatarioPorNumero();
    else
        MostrarDestinatarioPorAlias();

    std::array<QString, 10> guardadas;
    for (int n = 1; n <= 10; ++n)
        guardadas[static_cast<size_t>(n - 1)] = ctx.ajustes.leer(SeccionMensajes, ClaveRapida(n));
    const auto entradas = Agenda::CalcularRapidas(ctx.contactos, leidos, guardadas);
    for (int n = 1; n <= 10; ++n) {
        const Agenda::EntradaRapida &e = entradas[static_cast<size_t>(n - 1)];
        accionesRapidas[n - 1]->setText(e.texto);
        accionesRapidas[n - 1]->setEnabled(e.habilitada);
        if (e.borrarValor)
            ctx.ajustes.borrarClave(SeccionMensajes, ClaveRapida(n));
    }
}

namespace {

void SinDestinatario(frmBrowser &f, const QString &texto, bool agendarHabilitado)
{
    f.lblNombreDestinatario->setText(texto);
    f.cmdAlEscritorio->hide();
    f.cmdAlEscritorio->setEnabled(false);
    f.cmdAgendar->show();
    f.cmdAgendar->setEnabled(agendarHabilitado);
}

void ConDestinatario(frmBrowser &f, const QString &nombre)
{
    f.lblNombreDestinatario->setText(nombre);
    f.cmdAlEscritorio->show();
    f.cmdAlEscritorio->setEnabled(true);
    f.cmdAgendar->hide();
    f.cmdAgendar->setEnabled(false);
}

} // namespace

void frmBrowser::MostrarDestinatarioPorNumero()
{
    if (txtCodArea->text().isEmpty() && txtNumero->text().isEmpty()) {
        SinDestinatario(*this, QStringLiteral("(Ninguno)"), false);
        return;
    }
    const int fila = Agenda::BuscarPorNumero(ctx.contactos, txtCodArea->text(), txtNumero->text());
    if (fila < 0)
        SinDestinatario(*this, QStringLiteral("(No agendado)"), true);
    else
        ConDestinatario(*this, ctx.contactos.at(fila).nombre);
}

void frmBrowser::MostrarDestinatarioPorAlias()
{
    if (txtalias->text().isEmpty()) {
        SinDestinatario(*this, QStringLiteral("(Ninguno)"), false);
        return;
    }
    const int fila = Agenda::BuscarPorAlias(ctx.contactos, txtalias->text());
    if (fila < 0)
        SinDestinatario(*this, QStringLiteral("(No agendado)"), true);
    else
        ConDestinatario(*this, ctx.contactos.at(fila).nombre);
}

void frmBrowser::IniciarPanelContactos()
{
    ParesAjustes pares;
    ctx.ajustes.enumerarConEstado(SeccionAgenda, &pares);
    tvwContactos->clear();
    if (pares.isEmpty()) {
        new QTreeWidgetItem(tvwContactos, {QStringLiteral("No hay contactos en la Agenda")});
        cmdEscribirA->setEnabled(false);
        return;
    }
    const QIcon icono(QStringLiteral(":/iconos/contacto.png"));
    for (const auto &par : std::as_const(pares)) {
        auto *nodo = new QTreeWidgetItem(tvwContactos, {par.first});
        nodo->setIcon(0, icono);
        nodo->setData(0, Qt::UserRole, par.second);
    }
    tvwContactos->setCurrentItem(tvwContactos->topLevelItem(0));
    cmdEscribirA->setEnabled(true);
}

void frmBrowser::ProcesarLineaDeComandos(const QString &linea)
{
    const QString texto = linea.isEmpty() ? ctx.sistema.lineaDeComandos() : linea;
    QString nombre;
    switch (Agenda::AnalizarLineaDeComandos(texto, &nombre)) {
    case Agenda::ArgumentoContacto::Ninguno:
        return;
    case Agenda::ArgumentoContacto::SintaxisInvalida:
        ctx.dialogos.mensaje(Agenda::MensajeSintaxisLineaDeComandos(), Dialogos::Botones::Aceptar,
                             Dialogos::Icono::Exclamacion, Dialogos::tituloPrograma());
        return;
    case Agenda::ArgumentoContacto::Nombre:
        if (ocultarPresentacion)
            ocultarPresentacion();
        show();
        Agenda::EscribirAContactoPorNombre(*this, nombre);
        return;
    }
}

void frmBrowser::cmdAgendar_Click()
{
    Agenda::AgendarDestinatario(*this);
}
