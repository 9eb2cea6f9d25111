#include "dobles/vistawebguion.h"

#include <QRegularExpression>

VistaWebGuion::VistaWebGuion(QWidget *padre)
    : VistaWeb(padre)
{}

void VistaWebGuion::ponerPagina(const QString &direccion, const Pagina &pagina)
{
    paginas_.insert(direccion, pagina);
}

void VistaWebGuion::ponerPaginaHtml(const QString &direccion, const QString &htmlCuerpo, const QString &cookies)
{
    static const QRegularExpression etiqueta(QStringLiteral("<[^>]*>"));
    Pagina p;
    p.htmlCuerpo = htmlCuerpo;
    p.textoCuerpo = QString(htmlCuerpo).remove(etiqueta);
    p.cookies = cookies;
    ponerPagina(direccion, p);
}

void VistaWebGuion::setScrollMaximo(int arriba, int izquierda)
{
    maxArriba_ = arriba;
    maxIzquierda_ = izquierda;
}

void VistaWebGuion::navegar(const QString &direccion)
{
    empezar({direccion, false, {}, {}});
}

void VistaWebGuion::navegarPost(const QString &direccion, const QByteArray &cuerpo, const QString &cabeceras)
{
    empezar({direccion, true, cuerpo, cabeceras});
}

void VistaWebGuion::empezar(const Navegacion &n)
{
    navegaciones.append(n);
    if (dispararAntesDeNavegar(n.direccion, {}, n.cuerpo, n.cabeceras)) {
        return;
    }
    pendiente_ = n;
    estado_ = 1;
    ocupado_ = true;
    if (completarAlNavegar_) {
        completarCarga();
    }
}

void VistaWebGuion::completarCarga()
{
    if (pendiente_.direccion.isEmpty()) {
        return;
    }
    const QString dir = pendiente_.direccion;
    pendiente_ = {};
    actual_ = paginas_.value(dir);
    sinAplicar_.clear();
    direccion_ = dir;
    historia_.append(dir);
    estado_ = Completo;
    ocupado_ = false;
    Q_EMIT navegacionCompleta(dir);
    Q_EMIT descargaCompleta();
    Q_EMIT documentoCompleto(dir);
}

bool VistaWebGuion::fallarCarga(int codigo)
{
    if (pendiente_.direccion.isEmpty()) {
        return false;
    }
    const QString dir = pendiente_.direccion;
    pendiente_ = {};
    const bool cancelar = dispararErrorDeNavegacion(dir, codigo);
    estado_ = Completo;
    ocupado_ = false;
    Q_EMIT descargaCompleta();
    return cancelar;
}

void VistaWebGuion::refrescar()
{
    const auto escrituras = sinAplicar_;
    sinAplicar_.clear();
    for (const auto &e : escrituras) {
        e(actual_);
    }
}

bool VistaWebGuion::dispararAntesDeNavegar(const QString &direccion, const QString &marco, const QByteArray &datosPost,
                                           const QString &cabeceras, bool marcoPrincipal)
{
    bool cancelar = false;
    Q_EMIT antesDeNavegar(direccion, marco, datosPost, cabeceras, cancelar, marcoPrincipal);
    if (cancelar) {
        canceladas.append(direccion);
    }
    return cancelar;
}

bool VistaWebGuion::dispararErrorDeNavegacion(const QString &direccion, int codigo, const QString &marco)
{
    bool cancelar = false;
    Q_EMIT errorDeNavegacion(direccion, marco, codigo, cancelar);
    return cancelar;
}

bool VistaWebGuion::dispararCierreDeVentana()
{
    bool cancelar = false;
    Q_EMIT cierreDeVentana(cancelar);
    return cancelar;
}

void VistaWebGuion::detener()
{
    ++detenciones;
    if (!pendiente_.direccion.isEmpty()) {
        pendiente_ = {};
        estado_ = Completo;
        ocupado_ = false;
    }
}

void VistaWebGuion::atras()
{
    ++atrases;
    if (historia_.size() < 2) {
        return;
    }
    historia_.removeLast();
    const QString anterior = historia_.takeLast();
    pendiente_ = {anterior, false, {}, {}};
    estado_ = 1;
    ocupado_ = true;
    if (completarAlNavegar_) {
        completarCarga();
    }
}

QString VistaWebGuion::htmlRaiz() const
{
    if (!actual_.htmlRaiz.isEmpty()) {
        return actual_.htmlRaiz;
    }
    return QStringLiteral("<html><body>") + actual_.htmlCuerpo + QStringLiteral("</body></html>");
}

QString VistaWebGuion::atributoCuerpo(const QString &nombre) const
{
    return actual_.atributos.value(nombre.toLower());
}

void VistaWebGuion::aplicar(const std::function<void(Pagina &)> &escritura)
{
    if (diferidas_) {
        sinAplicar_.append(escritura);
    } else {
        escritura(actual_);
    }
}

void VistaWebGuion::setDesbordeRaiz(const QString &valor)
{
    escriturasDesborde.append(valor);
    aplicar([valor](Pagina &p) { p.desbordeRaiz = valor; });
}

void VistaWebGuion::setScroll(int arriba, int izquierda)
{
    escriturasScroll.append({arriba, izquierda});
    const int maxA = maxArriba_;
    const int maxI = maxIzquierda_;
    aplicar([=](Pagina &p) {
        p.scrollArriba = maxA < 0 ? arriba : qBound(0, arriba, maxA);
        p.scrollIzquierda = maxI < 0 ? izquierda : qBound(0, izquierda, maxI);
    });
}

void VistaWebGuion::setAtributoCuerpo(const QString &nombre, const QString &valor)
{
    escriturasAtributo.append({nombre, valor});
    const QString clave = nombre.toLower();
    aplicar([clave, valor](Pagina &p) { p.atributos.insert(clave, valor); });
}

void VistaWebGuion::ejecutarScript(const QString &codigo)
{
    scripts.append(codigo);
    if (alScript_) {
        alScript_(*this, codigo);
    }
}
