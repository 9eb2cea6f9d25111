// The update window: downloads the new installation program into the local
// data folder in 1024-byte chunks, shows how far it got, checks the size the
// site announced and the maker's signature, hands the file to the desktop's
// handler for its type and ends the client. The transfer runs with the
// window's events, so the window stays responsive and Cancel acts at once.
#pragma once

#include "comando/controlesactualizar.h"

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QTemporaryFile;
struct Contexto;

class frmActualizar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmActualizar)
public:
    // The two update modes.
    static inline const QString ModoNormal = QStringLiteral("normal");
    static inline const QString ModoForzar = QStringLiteral("forzar");

    explicit frmActualizar(Contexto &ctx, QWidget *padre = nullptr);
    ~frmActualizar() override;

    QString Modo() const { return modo_; }
    void setModo(const QString &modo) { modo_ = modo; }
    // The key installers must be signed with: the maker's, built in, unless a test sets another.
    void setClavePublica(const QByteArray &clave) { clave_ = clave; }

    // Starts the download and returns; the progress bar and the two labels show it.
    // `archivo` names the target: the file is written under a fresh private name
    // beside it (its name, a random part, its extension), never to a file found there.
    // A size of 0 or less cannot be checked and fails at once.
    void CopyURLToFile(const QString &url, const QString &archivo, qint64 tamano, QProgressBar *barra,
                       QLabel *porcentaje, QLabel *estado);
    // The same with this window's own pbrProgreso, lblProgreso and lblEstado.
    void descargar(const QString &url, const QString &archivo, qint64 tamano);

    bool descargando() const { return etapa_ != Etapa::Inactiva && etapa_ != Etapa::Terminada; }
    // The address being downloaded, and the file it is written to (empty until it is created).
    QString direccion() const { return direccion_; }
    QString archivoDescargado() const { return archivoGuardado_; }

Q_SIGNALS:
    // The window was closed: the main window comes back.
    void cerrado();
    // The transfer is over, whatever the outcome (for whoever waits on it).
    void terminada();

protected:
    void closeEvent(QCloseEvent *evento) override;

private Q_SLOTS:
    void cmdCancelar_Click();

private:
    enum class Etapa { Inactiva, Conectando, Abriendo, Descargando, Firma, Instalando, Terminada };

    // Asks, and on Yes stops the transfer and deletes the file (a forced update ends
    // the client). True when the user said Yes.
    bool cancelar();
    void alLlegarCabeceras();
    bool crearArchivo();
    void procesar();
    void alTerminar();
    void pedirFirma();
    void alLlegarFirma();
    void instalar();
    void fallar(const QString &descripcion);
    void cerrarRespuesta();
    void cerrarTransferencia();
    void borrarArchivo();
    void ponerEstado(const QString &texto);
    void ponerProgreso(double porcentaje);
    bool forzado() const { return modo_ == ModoForzar; }
    QString textoConexion() const;

    Contexto &ctx;
    QString modo_ = ModoNormal;
    QByteArray clave_;
    ControlesActualizar ui;

    // The controls the running transfer writes to.
    QPointer<QProgressBar> barra_;
    QPointer<QLabel> porcentaje_;
    QPointer<QLabel> estado_;

    Etapa etapa_ = Etapa::Inactiva;
    QString direccion_;
    QString archivoDestino_;
    QString archivoGuardado_;
    qint64 tamano_ = 0;
    qint64 total_ = 0;
    QNetworkAccessManager *red_ = nullptr;
    QPointer<QNetworkReply> respuesta_;
    std::unique_ptr<QTemporaryFile> archivo_;
    bool cabeceras_ = false;
    // Re-entry guards: a chunk loop lets events run, and a Cancel question is modal.
    bool procesando_ = false;
    bool preguntando_ = false;
};
