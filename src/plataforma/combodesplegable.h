// A combo box that tells when its list is about to open, whichever way it is
// opened (mouse, F4, Alt+Down), so the list can be refilled first.
#pragma once

#include <QComboBox>

class ComboDesplegable final : public QComboBox
{
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    void showPopup() override
    {
        Q_EMIT desplegando();
        QComboBox::showPopup();
    }

Q_SIGNALS:
    void desplegando();
};
