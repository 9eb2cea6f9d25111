// The update window: downloads the new installation program into the local
// data folder in 1024-byte chunks, shows how far it got, checks the size the
// site announced, starts it and ends the client. The transfer runs with the
// window's events, so the window stays responsive and Cancel acts at once.
#pragma once

#include <QFile>
#include <QPointer>
#include <QString>
#include <QWidget>

class QLabel;
class QNetworkAccessManager;
class QNetworkReply;
class QProgressBar;
class QPushButton;
struct Contexto;

class frmActualizar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmActualizar)
public:
    // The two update modes.
    static inline const QString ModoNormal = QStringLiteral("normal");
    static inline const QString ModoForzar = QStringLiteral("forzar");
    // File name of the downloaded installation program.
    static inline const QString NombreInstalador = QStringLiteral("ntxmensajes.exe");

    explicit frmActualizar(Contexto &ctx, QWidget *padre = nullptr);
    ~frmActualizar() override;

    QString Modo() const { return modo_; }
    void setModo(const QString &modo) { modo_ = modo; }

    // Starts the download and returns; the progress bar and the two labels show it.
    // A size of 0 or less cannot be checked and fails at once.
    void CopyURLToFile(const QString &url, const QString &archivo, qint64 tamano, QProgressBar *barra,
                       QLabel *porcentaje, QLabel *estado);
    // The same with this window's own pbrProgreso, lblProgreso and lblEstado.
    void descargar(const QString &url, const QString &archivo, qint64 tamano);

    bool descargando() const { return etapa_ != Etapa::Inactiva && etapa_ != Etapa::Terminada; }

    void cmdCancelar_Click();

Q_SIGNALS:
    // The window was closed: the main window comes back.
    void cerrado();
    // The transfer is over, whatever the outcome (for whoever waits on it).
    void terminada();

protected:
    void closeEvent(QCloseEvent *evento) override;

private:
    enum class Etapa { Inactiva, Conectando, Abriendo, Descargando, Instalando, Terminada };

    // Asks, and on Yes stops the transfer and deletes the file (a forced update ends
    // the client). True when the user said Yes.
    bool cancelar();
    void alLlegarCabeceras();
    void procesar();
    void alTerminar();
    void instalar();
    void fallar(const QString &descripcion, bool conexion);
    void cerrarTransferencia();
    void borrarArchivo();
    void ponerEstado(const QString &texto);
    void ponerProgreso(double porcentaje);
    bool forzado() const { return modo_ == ModoForzar; }
    QString textoConexion() const;

    Contexto &ctx;
    QString modo_ = ModoNormal;

    QLabel *lblTitulo;
    QLabel *lblEstado;
    QProgressBar *pbrProgreso;
    QLabel *lblText;
    QLabel *lblProgreso;
    QPushButton *cmdCancelar;

    // The controls the running transfer writes to.
    QPointer<QProgressBar> barra_;
    QPointer<QLabel> porcentaje_;
    QPointer<QLabel> estado_;

    Etapa etapa_ = Etapa::Inactiva;
    QString archivoDestino_;
    qint64 tamano_ = 0;
    qint64 total_ = 0;
    QNetworkAccessManager *red_ = nullptr;
    QPointer<QNetworkReply> respuesta_;
    QFile archivo_;
    bool cabeceras_ = false;
    // Re-entry guards: a chunk loop lets events run, and a Cancel question is modal.
    bool procesando_ = false;
    bool preguntando_ = false;
};
