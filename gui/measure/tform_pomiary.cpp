#include "gui/measure/tform_pomiary.h"

#include "core/base/prompts.h"
#include "core/calibrator/services.h"
#include "gui/measure/dialogresult.h"
#include "gui/measure/windowplacement.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

QButtonGroup *addRadioGroup(QGroupBox *box, const QString &objectName, const QString &first,
                            const QString &second)
{
    box->setObjectName(objectName);
    auto *group = new QButtonGroup(box);
    auto *layout = new QVBoxLayout(box);
    int id = 0;
    for (const QString &caption : {first, second}) {
        auto *item = new QRadioButton(caption, box);
        item->setObjectName(QStringLiteral("%1_%2").arg(objectName).arg(id));
        group->addButton(item, id++);
        layout->addWidget(item);
    }
    group->button(0)->setChecked(true);
    return group;
}

} // namespace

TForm_Pomiary::TForm_Pomiary(Services &services, QWidget *parent)
    : QDialog(parent), m_services(services)
{
    setObjectName(QStringLiteral("TForm_Pomiary"));
    setWindowTitle(QStringLiteral("Procedura pomiarowa"));

    RadioGroup_Zakresy = new QGroupBox(QStringLiteral("Zakresy"), this);
    m_zakresy =
        addRadioGroup(RadioGroup_Zakresy, QStringLiteral("RadioGroup_Zakresy"),
                      QStringLiteral("bieżący zakres"), QStringLiteral("wszystkie zakresy"));
    // Only the short part of the hint, before its '|', is ever shown.
    RadioGroup_Zakresy->setToolTip(
        QStringLiteral("wykonuj pomiary dla bieżącego lub wszystkich wpisanych zakresów"));

    RadioGroup_Punkty = new QGroupBox(QStringLiteral("Punkty pomiarowe"), this);
    m_punkty = addRadioGroup(RadioGroup_Punkty, QStringLiteral("RadioGroup_Punkty"),
                             QStringLiteral("zaznaczone"), QStringLiteral("wszystkie"));
    RadioGroup_Punkty->setToolTip(
        QStringLiteral("wykonuj pomiary dla zaznaczonych lub wszystkich wpisanych punktów "
                       "pomiarowych dla zakresu"));

    PPOK = new QPushButton(QStringLiteral("&OK"), this);
    PPOK->setObjectName(QStringLiteral("PPOK"));
    PPOK->setDefault(true);
    PPAn = new QPushButton(QStringLiteral("&Anuluj"), this);
    PPAn->setObjectName(QStringLiteral("PPAn"));
    PPAn->setAutoDefault(false);
    connect(PPOK, &QPushButton::clicked, this, &TForm_Pomiary::PPOKClick);
    connect(PPAn, &QPushButton::clicked, this, &TForm_Pomiary::PPAnClick);

    auto *groups = new QHBoxLayout;
    groups->addWidget(RadioGroup_Zakresy);
    groups->addWidget(RadioGroup_Punkty);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(PPOK);
    buttons->addWidget(PPAn);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);

    setFixedSize(sizeHint());
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    PPOK->setFocus();
}

int TForm_Pomiary::zakresy() const
{
    return m_zakresy->checkedId();
}

int TForm_Pomiary::punkty() const
{
    return m_punkty->checkedId();
}

void TForm_Pomiary::setZakresy(int itemIndex)
{
    if (QAbstractButton *item = m_zakresy->button(itemIndex))
        item->setChecked(true);
}

void TForm_Pomiary::setPunkty(int itemIndex)
{
    if (QAbstractButton *item = m_punkty->button(itemIndex))
        item->setChecked(true);
}

int TForm_Pomiary::execModal()
{
    setResult(QDialog::Rejected);
    return m_services.prompts.exec(this);
}

void TForm_Pomiary::PPOKClick()
{
    done(DialogResult::Ok);
}

void TForm_Pomiary::PPAnClick()
{
    done(DialogResult::Closed);
}

void TForm_Pomiary::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        centreOnDesktop(this);
        PPOK->setFocus();
    }
}
