// The machine as the programs see it on a Linux desktop.
#pragma once

#include "plataforma/sistema.h"

#include <QObject>

class SistemaReal final : public Sistema
{
public:
    SistemaReal() = default;

    void pitido() override;
    bool abrirEnNavegador(const QString &direccion) override;
    bool iniciarPrograma(const QString &nombre, const QStringList &argumentos = {}) override;
    bool abrirConManejador(const QString &ruta) override;
    bool notificar(const QString &titulo, const QString &texto, int msVisible) override;
    [[noreturn]] void terminarProceso(int codigo = 0) override;

    QString carpetaEspecial(int identificador) const override;
    QString carpetaPrograma() const override;
    QString lineaDeComandos() const override;
    bool modoSinConexion() const override;
    int versionMotorWeb() const override { return m_versionMotorWeb; }
    QDateTime ahora() const override;
    void dejarCorrerMensajes(bool permitirEntrada = false) override;
    QString ultimoError() const override { return m_error; }

    // The client's main() knows the web engine it was built with; the wizard never loads one.
    void setVersionMotorWeb(int version) { m_versionMotorWeb = version; }

    // Where a bare program name leads: the program folder first, then every absolute
    // entry of `rutaBusqueda` (PATH form). Never the working folder. Empty when not found.
    static QString buscarPrograma(const QString &nombre, const QString &carpetaPrograma, const QString &rutaBusqueda);

    // The folder holding the program's own files (logica/): next to the executable in
    // a build, <prefix>/share/ntx-mensajes once installed; the executable's folder when
    // neither has them, so the start-up check names what is missing.
    static QString carpetaConArchivos(const QString &carpetaEjecutable);

private:
    bool fallaNavegador(const QString &direccion, const QString &error);

    int m_versionMotorWeb = 6;
    QString m_error;
    QObject m_abridores; // the openers still running, watched for their exit code
};
