#include "gui/output/tform_swiadectwo.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TForm_Swiadectwo::TForm_Swiadectwo(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_Swiadectwo"));
    setWindowTitle(QStringLiteral("Świadectwo"));
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("Świadectwo sprawdzenia otwartego dokumentu:"), this));
    auto button = [this, layout](const char *name, const QString &text, int result) {
        auto *push = new QPushButton(text, this);
        push->setObjectName(QLatin1String(name));
        push->setAutoDefault(false);
        layout->addWidget(push);
        connect(push, &QPushButton::clicked, this, [this, result] { done(result); });
        return push;
    };
    Button_Drukuj = button("Button_Drukuj", QStringLiteral("&Drukuj…"), Drukuj);
    Button_Podglad = button("Button_Podglad", QStringLiteral("&Podgląd…"), Podglad);
    Button_Pdf = button("Button_Pdf", QStringLiteral("Zapisz jako P&DF…"), Pdf);
    Button_Anuluj = button("Button_Anuluj", QStringLiteral("&Anuluj"), QDialog::Rejected);
    Button_Podglad->setDefault(true);
    setFixedSize(sizeHint());
}
