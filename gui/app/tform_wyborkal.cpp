#include "gui/app/tform_wyborkal.h"

#include "core/calibrator/services.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int maxNameLength = 7;
}

TForm_WyborKal::TForm_WyborKal(Services &services, QWidget *parent)
    : QDialog(parent), m_services(services)
{
    setObjectName(QStringLiteral("Form_WyborKal"));
    setWindowTitle(QStringLiteral("Wybór wykonania kalibratora"));

    RadioGroup_ModelKal = new QGroupBox(QStringLiteral("Kalibrator:"), this);
    RadioGroup_ModelKal->setObjectName(QStringLiteral("RadioGroup_ModelKal"));
    QFont bold = RadioGroup_ModelKal->font();
    bold.setBold(true);
    RadioGroup_ModelKal->setFont(bold);
    modelButtons = new QButtonGroup(this);
    auto *radios = new QVBoxLayout(RadioGroup_ModelKal);
    const QStringList names = CalibratorModel::names();
    for (int i = 0; i < names.size(); ++i) {
        auto *radio = new QRadioButton(names.at(i), RadioGroup_ModelKal);
        QFont plain = radio->font();
        plain.setBold(false);
        radio->setFont(plain);
        modelButtons->addButton(radio, i);
        radios->addWidget(radio);
    }

    Button_OK = new QPushButton(QStringLiteral("&OK"), this);
    Button_Anuluj = new QPushButton(QStringLiteral("&Anuluj"), this);
    Button_OK->setDefault(true);
    connect(Button_OK, &QPushButton::clicked, this, &TForm_WyborKal::Button_OKClick);
    connect(Button_Anuluj, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Button_OK);
    buttons->addWidget(Button_Anuluj);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup_ModelKal);
    layout->addLayout(buttons);
    // A fixed dialog, of its design size or larger where the font needs it.
    setFixedSize(sizeHint().expandedTo(QSize(196, 155)));
}

int TForm_WyborKal::selectedIndex() const
{
    return modelButtons->checkedId();
}

void TForm_WyborKal::select(int index)
{
    if (QAbstractButton *button = modelButtons->button(index))
        button->setChecked(true);
}

void TForm_WyborKal::showEvent(QShowEvent *event)
{
    FormActivate();
    QDialog::showEvent(event);
}

void TForm_WyborKal::FormActivate()
{
    m_services.model = CalibratorModel::load();
    select(m_services.model.index >= 0 && m_services.model.index < 4 ? m_services.model.index : 0);
}

void TForm_WyborKal::Button_OKClick()
{
    const int index = selectedIndex();
    if (index >= 0) {
        m_services.model.name = modelButtons->button(index)->text().left(maxNameLength);
        m_services.model.index = index;
        m_services.model.save();
        if (onModelChosen)
            onModelChosen();
    }
    accept();
}
