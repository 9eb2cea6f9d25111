// frmAsistente1: the first-run wizard's only window. It asks for the default
// sender name, marks this version's first run as done, brings older contact
// records up to date and starts the client when it closes.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

class Ajustes;
class Dialogos;
class InstanciaUnica;
class Sistema;

struct ServiciosAsistente
{
    Ajustes &ajustes;
    Dialogos &dialogos;
    Sistema &sistema;
    InstanciaUnica &instancia;
};

class frmAsistente1 final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmAsistente1)
public:
    explicit frmAsistente1(ServiciosAsistente servicios, QWidget *parent = nullptr);

    QWidget *picPresentacion = nullptr;
    QLabel *lblPresentacion = nullptr;
    QLabel *lblRemitente0 = nullptr;
    QLineEdit *txtRemitente0 = nullptr;
    QLabel *lblRemitente0explicacion = nullptr;
    QFrame *fraBotones = nullptr;
    QWidget *picBotones = nullptr;
    QPushButton *cmdCerrar = nullptr;
    QLabel *Picture1 = nullptr;

    // Program-wide values of the wizard.
    bool PrimeraVez = true;
    QString Bienvenida;
    QString ClavePrimeraVez;

    void Form_Load();
    void cmdCerrar_Click();

    // Rewrites the contacts stored with a provider name of an older version; stops
    // silently at the first read or write that fails. Returns how many were rewritten.
    static int ActualizarContactos(Ajustes &ajustes);

protected:
    void closeEvent(QCloseEvent *evento) override;

private:
    ServiciosAsistente s;
    bool m_cerrando = false;
};
