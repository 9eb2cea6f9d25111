#include "envio/colaenvio.h"

#include <QHash>
#include <QSet>

#include "envio/proveedores.h"
#include "plataforma/sistema.h"

namespace {

// Two recipients with the same phone number get one message. Area code and number
// are compared as the gateways join them, so "351" "5551234" and "3515" "551234" are one.
QString claveNumero(const MensajeSaliente &m)
{
    const DestinatarioSaliente &d = m.destinatario;
    return m.destinatario.modoAlias ? QStringLiteral("alias:") + d.alias.toLower()
                                    : d.codArea.trimmed() + d.numero.trimmed();
}

} // namespace

MaximoCola MenorMaximo(const QList<DestinatarioCola> &destinatarios)
{
    MaximoCola menor;
    for (const DestinatarioCola &d : destinatarios) {
        const Proveedor *p = BuscarProveedor(d.proveedor);
        if (p && (menor.proveedor.isEmpty() || p->maximo < menor.maximo)) {
            menor.maximo = p->maximo;
            menor.proveedor = p->nombre;
        }
    }
    return menor;
}

ColaEnvio::ColaEnvio(const Sistema &reloj, LimitesEnvio &limites)
    : m_reloj(reloj)
    , m_limites(limites)
{}

void ColaEnvio::preparar(const MensajeSaliente &base, const QList<DestinatarioCola> &destinatarios,
                         const ConfiguracionRemota &config)
{
    m_elementos.clear();
    m_elementos.reserve(destinatarios.size());
    m_detenida = false;
    for (const DestinatarioCola &d : destinatarios) {
        Elemento e;
        e.mensaje = base;
        e.mensaje.ProveedorActual = d.proveedor;
        e.mensaje.destinatario = d.destino;
        e.mensaje.destinatario.nombre = d.nombre;
        e.mensaje.destinatario.agendado = true;
        const Proveedor *p = BuscarProveedor(d.proveedor);
        e.mensaje.maximo = p ? p->maximo : 0;
        e.mensaje.ServidorAlternativo = config.cargada ? ServidorDePser(config.pser, d.proveedor) : QString();
        e.motivo = d.motivo;
        m_elementos.append(e);
    }
    QHash<QString, int> vistos;
    vistos.reserve(m_elementos.size());
    for (int i = 0; i < m_elementos.size(); ++i) {
        Elemento &e = m_elementos[i];
        if (e.motivo.isEmpty())
            e.motivo = MotivoDestinatario(e.mensaje, config);
        if (e.motivo.isEmpty()) {
            const QString clave = claveNumero(e.mensaje);
            const auto it = vistos.constFind(clave);
            if (it == vistos.constEnd()) {
                vistos.insert(clave, i);
            } else {
                e.repetidoDe = it.value();
                e.motivo = QStringLiteral("Mismo número que ") +
                           m_elementos.at(it.value()).mensaje.DestinatarioNombre() +
                           QStringLiteral(": el mensaje se envía una sola vez");
            }
        }
        e.estado = e.motivo.isEmpty() ? Estado::Pendiente : Estado::NoEnviado;
        e.enRonda = e.estado == Estado::Pendiente;
    }
}

int ColaEnvio::aEnviar() const
{
    int n = 0;
    for (const Elemento &e : m_elementos)
        n += e.estado == Estado::Pendiente ? 1 : 0;
    return n;
}

int ColaEnvio::proveedores() const
{
    QSet<QString> nombres;
    for (const Elemento &e : m_elementos) {
        if (e.estado == Estado::Pendiente)
            nombres.insert(e.mensaje.ProveedorActual);
    }
    return int(nombres.size());
}

QStringList ColaEnvio::fueraDeServicio(const ConfiguracionRemota &config) const
{
    QStringList lista;
    if (!config.cargada)
        return lista;
    for (const Elemento &e : m_elementos) {
        const QString &p = e.mensaje.ProveedorActual;
        if (e.estado == Estado::Pendiente && !lista.contains(p) && CoincideProveedor(config.psin, p))
            lista.append(p);
    }
    return lista;
}

QString ColaEnvio::textoPregunta(const ConfiguracionRemota &config) const
{
    const int n = aEnviar();
    const int p = proveedores();
    QString texto = QStringLiteral("Se enviará") + (n == 1 ? QString() : QStringLiteral("n")) + QLatin1Char(' ') +
                    QString::number(n) + (n == 1 ? QStringLiteral(" mensaje") : QStringLiteral(" mensajes")) +
                    QStringLiteral(" a ") + QString::number(p) +
                    (p == 1 ? QStringLiteral(" proveedor.") : QStringLiteral(" proveedores.")) +
                    QStringLiteral(" Se abrirá la ventana de envío de cada destinatario, una tras otra.");
    QString omitidos;
    for (const Elemento &e : m_elementos) {
        if (e.estado == Estado::NoEnviado)
            omitidos += QStringLiteral("\r\n · ") + e.mensaje.DestinatarioNombre() + QStringLiteral(": ") + e.motivo;
    }
    if (!omitidos.isEmpty())
        texto += QStringLiteral("\r\n\r\nNo se enviará a:") + omitidos;
    const QStringList fuera = fueraDeServicio(config);
    if (!fuera.isEmpty())
        texto += QStringLiteral("\r\n\r\nPuede que los servidores de ") + fuera.join(QStringLiteral(", ")) +
                 QStringLiteral(" estén fuera de servicio. NTX Mensajes intentará enviar el mensaje de todos modos.");
    return texto + QStringLiteral("\r\n\r\n¿Desea continuar?");
}

ColaEnvio::Paso ColaEnvio::siguiente(int *indice, qint64 *esperaMs)
{
    for (int i = 0; i < m_elementos.size(); ++i) {
        Elemento &e = m_elementos[i];
        if (e.estado != Estado::Pendiente)
            continue;
        if (m_detenida) {
            e.estado = Estado::Cancelado;
            continue;
        }
        if (sigueEnAgenda && !sigueEnAgenda(e.mensaje.destinatario.nombre)) {
            e.estado = Estado::NoEnviado;
            e.motivo = QStringLiteral("El contacto fue eliminado de la Agenda");
            continue;
        }
        if (!m_limites.cabeOtro()) {
            // A tick that is a little late still leaves the window full: look again in a second.
            if (esperaMs)
                *esperaMs = qMax<qint64>(1000, m_limites.esperaMs(m_reloj.ahora()));
            return Paso::Esperar;
        }
        ContarEnvio(m_limites.ContadorCorto, m_limites.ContadorLargo);
        if (indice)
            *indice = i;
        return Paso::Enviar;
    }
    return Paso::Terminada;
}

void ColaEnvio::terminar(int indice, const ResultadoEnvio &resultado)
{
    if (indice < 0 || indice >= m_elementos.size())
        return;
    Elemento &e = m_elementos[indice];
    e.estado = resultado.enviado ? Estado::Enviado : Estado::NoEnviado;
    e.motivo = resultado.enviado ? QString() : resultado.estado;
}

void ColaEnvio::cancelar(int indice)
{
    if (indice >= 0 && indice < m_elementos.size())
        m_elementos[indice].estado = Estado::Cancelado;
}

QString ColaEnvio::revisar(int indice, const ConfiguracionRemota &config)
{
    return MotivoDestinatario(m_elementos.at(indice).mensaje, config);
}

int ColaEnvio::reintentar(const ConfiguracionRemota &config)
{
    m_detenida = false;
    int n = 0;
    for (int i = 0; i < m_elementos.size(); ++i) {
        Elemento &e = m_elementos[i];
        e.enRonda = false;
        if (e.estado != Estado::NoEnviado || e.repetidoDe >= 0)
            continue;
        const QString motivo = revisar(i, config);
        if (!motivo.isEmpty()) {
            e.motivo = motivo;
            continue;
        }
        e.estado = Estado::Pendiente;
        e.motivo.clear();
        e.enRonda = true;
        ++n;
    }
    return n;
}

ColaEnvio::Totales ColaEnvio::totales() const
{
    Totales t;
    for (const Elemento &e : m_elementos) {
        switch (e.estado) {
        case Estado::Enviado:
            ++t.enviados;
            break;
        case Estado::NoEnviado:
            ++t.noEnviados;
            break;
        case Estado::Cancelado:
            ++t.cancelados;
            break;
        case Estado::Pendiente:
            ++t.pendientes;
            break;
        }
    }
    return t;
}

QString ColaEnvio::textoEstado(const Elemento &elemento)
{
    switch (elemento.estado) {
    case Estado::Enviado:
        return QStringLiteral("Enviado");
    case Estado::NoEnviado:
        return elemento.motivo.isEmpty() ? QStringLiteral("No enviado")
                                         : QStringLiteral("No enviado: ") + elemento.motivo;
    case Estado::Cancelado:
        return QStringLiteral("Cancelado");
    case Estado::Pendiente:
        break;
    }
    return QStringLiteral("Pendiente");
}

QString ColaEnvio::textoTotales() const
{
    const Totales t = totales();
    return QStringLiteral("Envío a varios destinatarios: ") + QString::number(t.enviados) +
           (t.enviados == 1 ? QStringLiteral(" enviado, ") : QStringLiteral(" enviados, ")) +
           QString::number(t.noEnviados) +
           (t.noEnviados == 1 ? QStringLiteral(" no enviado, ") : QStringLiteral(" no enviados, ")) +
           QString::number(t.cancelados) +
           (t.cancelados == 1 ? QStringLiteral(" cancelado") : QStringLiteral(" cancelados"));
}

QString ColaEnvio::textoProgreso(int indice) const
{
    if (indice < 0 || indice >= m_elementos.size())
        return {};
    int posicion = 0, total = 0;
    for (int i = 0; i < m_elementos.size(); ++i) {
        if (!m_elementos.at(i).enRonda)
            continue;
        ++total;
        if (i <= indice)
            ++posicion;
    }
    const MensajeSaliente &m = m_elementos.at(indice).mensaje;
    return QStringLiteral("Mensaje ") + QString::number(posicion) + QStringLiteral(" de ") + QString::number(total) +
           QStringLiteral(" — ") + m.DestinatarioNombre() + QStringLiteral(" (") + m.ProveedorActual + QLatin1Char(')');
}

QString ColaEnvio::textoEspera(qint64 esperaMs)
{
    // Whole seconds, rounded up: "0 s" would read as if nothing were left.
    const qint64 segundos = (esperaMs + 999) / 1000;
    return QStringLiteral("Esperando ") + QString::number(segundos) +
           QStringLiteral(" s para no superar el límite de envíos");
}
