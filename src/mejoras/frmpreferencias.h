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

#include "comun/controles.h"

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

// clang-format off
#define NTX_CONTROLES_PREFERENCIAS(X) \
    X(QTabBar, TabStrip1) X(QWidget, picGeneral) X(QWidget, picRemitentes) X(QWidget, picSaludos) \
    X(QWidget, picAvanzado) X(QPushButton, cmdAceptar) X(QPushButton, cmdCancelar) X(QPushButton, cmdAyuda) \
    X(QCheckBox, chkHistorial) X(QCheckBox, chkIconoNotificacion) \
    X(QTreeWidget, tvwRemitentes) X(QLineEdit, txtRemitentes) X(QPushButton, cmdAgregarRemitente) \
    X(QPushButton, cmdEliminarRemitente) \
    X(QTreeWidget, tvwSaludos) X(QLineEdit, txtSaludos) X(QPushButton, cmdAgregarSaludo) \
    X(QPushButton, cmdEliminarSaludo) \
    X(QTreeWidget, tvwFirmas) X(QLineEdit, txtFirmas) X(QPushButton, cmdAgregarFirma) \
    X(QPushButton, cmdEliminarFirma) \
    X(QPushButton, cmdRepararHistorial) X(QPushButton, cmdRestablecer) X(QCheckBox, chkConfirmaCobro)
// clang-format on

// TabStrip1's tab data is the key ("General", "Remitentes", "Saludos",
// "Avanzado"). Each list holds ten entries; Qt::UserRole holds the slot's whole text.
struct ControlesFrmPreferencias
{
    NTX_CONTROLES(NTX_CONTROLES_PREFERENCIAS, ControlesFrmPreferencias)
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

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private Q_SLOTS:
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

private:
    struct Lista
    {
        QTreeWidget *lista;
        QLineEdit *caja;
        QPushButton *agregar;
        QPushButton *eliminar;
        qsizetype largoMostrado;
    };

    void nombrarControles();
    const Lista *listaDe(const QObject *objeto) const;
    void llenarLista(const Lista &l, QString (*clave)(int));
    void ponerEntrada(const Lista &l, QTreeWidgetItem *entrada, const QString &texto);
    void seleccionar(const Lista &l);
    void agregarOCambiar(const Lista &l);
    void eliminar(const Lista &l);

    Contexto &ctx;
    VentanaPreferencias &principal_;
    ControlesFrmPreferencias ui;
    Lista remitentes_{}, saludos_{}, firmas_{};
};

// Opens the dialog modally over `dueno` on tab `pestana`.
void MostrarPreferencias(Contexto &ctx, VentanaPreferencias &principal, QWidget *dueno,
                         int pestana = frmPreferencias::PestanaGeneral);
