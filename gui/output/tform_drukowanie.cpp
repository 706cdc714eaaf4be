#include "gui/output/tform_drukowanie.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TForm_Drukowanie::TForm_Drukowanie(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_Drukowanie"));
    setWindowTitle(QStringLiteral("Drukowanie"));
    // No border icons: the dialog ends through its buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    GroupBox1 = new QGroupBox(QStringLiteral(" Drukuj "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto box = [this](const char *name, const QString &text) {
        auto *check = new QCheckBox(text, GroupBox1);
        check->setObjectName(QLatin1String(name));
        return check;
    };
    CB1 = box("CB1", QStringLiteral("Tabelę"));
    CB2 = box("CB2", QStringLiteral("Wykres punktów"));
    CB3 = box("CB3", QStringLiteral("Wykres błędów"));
    auto *checks = new QVBoxLayout(GroupBox1);
    checks->addWidget(CB1);
    checks->addWidget(CB2);
    checks->addWidget(CB3);

    auto button = [this](const char *name, const QString &text) {
        auto *push = new QPushButton(text, this);
        push->setObjectName(QLatin1String(name));
        push->setAutoDefault(false);
        return push;
    };
    OKBtn = button("OKBtn", QStringLiteral("&OK"));
    CancelBtn = button("CancelBtn", QStringLiteral("&Anuluj"));
    Button1 = button("Button1", QStringLiteral("&Drukarka"));
    Button_Podglad = button("Button_Podglad", QStringLiteral("&Podgląd"));
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button1, &QPushButton::clicked, this, &TForm_Drukowanie::Button1Click);
    connect(Button_Podglad, &QPushButton::clicked, this, [this] {
        if (onPreview)
            onPreview();
    });

    auto *buttons = new QVBoxLayout;
    for (QPushButton *push : {OKBtn, CancelBtn, Button1, Button_Podglad})
        buttons->addWidget(push);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

void TForm_Drukowanie::setEnabledMarks(const PrintPlan::Marks &enabled)
{
    CB1->setEnabled(enabled.table);
    CB2->setEnabled(enabled.points);
    CB3->setEnabled(enabled.errors);
}

PrintPlan::Marks TForm_Drukowanie::marks() const
{
    return {CB1->isChecked(), CB2->isChecked(), CB3->isChecked()};
}

PrintPlan::Marks TForm_Drukowanie::enabledMarks() const
{
    return {CB1->isEnabled(), CB2->isEnabled(), CB3->isEnabled()};
}

void TForm_Drukowanie::Button1Click()
{
    if (onPrinterSetup)
        onPrinterSetup();
}

void TForm_Drukowanie::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    OKBtn->setFocus();
    if (const QScreen *screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}
