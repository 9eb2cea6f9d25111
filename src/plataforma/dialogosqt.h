// Message boxes and file dialogs on Qt's own dialogs, with Spanish button texts.
#pragma once

#include "plataforma/dialogos.h"

#include <QStringList>

class QWidget;

class DialogosQt final : public Dialogos
{
public:
    // Boxes are centred on `padre`, or on the active window when there is none.
    explicit DialogosQt(QWidget *padre = nullptr)
        : m_padre(padre)
    {}

    QString abrirArchivo(const QString &titulo, const QString &filtro, const QString &nombreInicial) override;
    QString guardarArchivo(const QString &titulo, const QString &filtro, const QString &nombreInicial,
                           bool confirmarSobrescribir) override;
    QString pedirTexto(const QString &titulo, const QString &etiqueta, const QString &inicial) override;

    // "Agenda (*.ntxagenda)|*.ntxagenda|Todos (*.*)|*.*" → {"Agenda (*.ntxagenda)", "Todos (*)"}.
    static QStringList convertirFiltro(const QString &filtro);

protected:
    Respuesta mostrarMensaje(const QString &texto, Botones botones, Icono icono, const QString &titulo,
                             Respuesta predeterminada) override;

private:
    QWidget *padre() const;
    QString archivo(bool guardar, const QString &titulo, const QString &filtro, const QString &nombreInicial,
                    bool confirmarSobrescribir);

    QWidget *m_padre;
};
