// frmacercadentx: the About box. Version and release name, links to the maker's
// and the author's sites and a picture link, a short disclaimer.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

struct Contexto;

class frmacercadentx final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmacercadentx)
public:
    explicit frmacercadentx(Contexto &ctx, QWidget *parent = nullptr);

    Contexto &ctx;

    QLabel *lblTitulo = nullptr;      // "NTX Mensajes"
    QLabel *lblVersion = nullptr;     // "Versión 2.5.0"
    QLabel *lblNombreClave = nullptr; // the release name
    QLabel *Label4 = nullptr;         // the maker's site
    QLabel *Label5 = nullptr;         // the author's site
    QLabel *imgCC = nullptr;          // picture link
    QLabel *lblAviso = nullptr;       // disclaimer
    QLabel *Image1 = nullptr;
    QPushButton *Command1 = nullptr; // "Aceptar"

    void Form_Load();
    void Label4_Click();
    void Label5_Click();
    void imgCC_Click();
    void Command1_Click();

    // "Versión " + major.minor.revision.
    static QString TextoVersion();

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;
};
