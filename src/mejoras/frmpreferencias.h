// frmPreferencias ("Preferencias"): the user's lasting options, sender names,
// greetings and signatures. Edits stay in the dialog until "Aceptar" stores
// them all at once.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>
#include <QWidget>

struct Contexto;

// What the dialog needs of the main window.
class VentanaPreferencias
{
public:
    virtual ~VentanaPreferencias() = default;

    virtual bool historialPermanente() const = 0;
    // Sets HistorialPermanente and ticks or clears the main window's chkHistorial.
    virtual void ponerHistorialPermanente(bool valor) = 0;
};

class frmPreferencias final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmPreferencias)
public:
    static constexpr int PestanaGeneral = 0;
    static constexpr int PestanaRemitentes = 1;
    static constexpr int PestanaSaludos = 2;
    static constexpr int PestanaAvanzado = 3;

    // Loads the settings at once (Form_Load); the "Error en el registro" box may show here.
    frmPreferencias(Contexto &ctx, VentanaPreferencias &principal, QWidget *parent = nullptr);

    // Selects a tab as the user would, showing its panel.
    void seleccionarPestana(int indice);

    void Form_Load();
    void TabStrip1_Click();
    void tvwRemitentes_NodeClick();
    void tvwSaludos_NodeClick();
    void tvwFirmas_NodeClick();
    void cmdAgregarRemitente_Click();
    void cmdEliminarRemitente_Click();
    void cmdAgregarSaludo_Click();
    void cmdEliminarSaludo_Click();
    void cmdAgregarFirma_Click();
    void cmdEliminarFirma_Click();
    void chkConfirmaCobro_Click();
    void cmdAceptar_Click();
    void cmdCancelar_Click();
    void cmdAyuda_Click();
    void cmdRestablecer_Click();
    void cmdRepararHistorial_Click();

    Contexto &ctx;

    QTabBar *TabStrip1 = nullptr; // tab data: the key ("General", "Remitentes", "Saludos", "Avanzado")
    QWidget *picGeneral = nullptr;
    QWidget *picRemitentes = nullptr;
    QWidget *picSaludos = nullptr;
    QWidget *picAvanzado = nullptr;
    QPushButton *cmdAceptar = nullptr;
    QPushButton *cmdCancelar = nullptr;
    QPushButton *cmdAyuda = nullptr;

    QCheckBox *chkHistorial = nullptr;
    QCheckBox *chkIconoNotificacion = nullptr;

    // Each list holds ten entries; Qt::UserRole holds the slot's whole text.
    QTreeWidget *tvwRemitentes = nullptr;
    QLineEdit *txtRemitentes = nullptr;
    QPushButton *cmdAgregarRemitente = nullptr;
    QPushButton *cmdEliminarRemitente = nullptr;
    QTreeWidget *tvwSaludos = nullptr;
    QLineEdit *txtSaludos = nullptr;
    QPushButton *cmdAgregarSaludo = nullptr;
    QPushButton *cmdEliminarSaludo = nullptr;
    QTreeWidget *tvwFirmas = nullptr;
    QLineEdit *txtFirmas = nullptr;
    QPushButton *cmdAgregarFirma = nullptr;
    QPushButton *cmdEliminarFirma = nullptr;

    QPushButton *cmdRepararHistorial = nullptr;
    QPushButton *cmdRestablecer = nullptr;
    QCheckBox *chkConfirmaCobro = nullptr;

private:
    struct Lista
    {
        QTreeWidget *lista;
        QLineEdit *caja;
        QPushButton *agregar;
        QPushButton *eliminar;
        qsizetype largoMostrado;
    };

    void llenarLista(const Lista &l, QString (*clave)(int));
    void ponerEntrada(const Lista &l, QTreeWidgetItem *entrada, const QString &texto);
    void seleccionar(const Lista &l);
    void agregarOCambiar(const Lista &l);
    void eliminar(const Lista &l);

    VentanaPreferencias &principal_;
    Lista remitentes_{}, saludos_{}, firmas_{};
};

// Opens the dialog modally over `dueno` on tab `pestana`.
void MostrarPreferencias(Contexto &ctx, VentanaPreferencias &principal, QWidget *dueno,
                         int pestana = frmPreferencias::PestanaGeneral);
