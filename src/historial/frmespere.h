// frmEspere: the small topmost "please wait" window shown while the store is
// opened, read or rewritten.
#pragma once

#include <QLabel>
#include <QWidget>

class frmEspere final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmEspere)
public:
    explicit frmEspere(QWidget *parent = nullptr);

    QLabel *lblEspere = nullptr;     // what is being done
    QLabel *lblCompletado = nullptr; // progress, e.g. "Completado  40%"

    // Caption and text, then shown without blocking; it paints when the caller
    // next lets pending messages run.
    void Mostrar(const QString &titulo, const QString &texto);
};
