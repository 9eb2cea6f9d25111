// StatusBar1: panel 1 shows a picture of imlStatusbar and a text, panel 2 "L-Mate".
#pragma once

#include <QLabel>
#include <QStatusBar>

class BarraEstado final : public QStatusBar
{
    Q_OBJECT
public:
    explicit BarraEstado(QWidget *parent = nullptr);

    void ponerPanel1(int imagen, const QString &texto);
    int imagenPanel1() const { return imagen_; }
    QString textoPanel1() const { return texto_->text(); }
    // Panel 2 is enabled only while LenguajeMate is on.
    void habilitarPanel2(bool habilitado) { panel2_->setEnabled(habilitado); }
    bool panel2Habilitado() const { return panel2_->isEnabled(); }

private:
    int imagen_ = 0;
    QLabel *icono_;
    QLabel *texto_;
    QLabel *panel2_;
};
