#include "gui/panel/tform_czestotliwosc.h"

#include "core/base/prompts.h"
#include "core/panel/frequencyinput.h"
#include "gui/link/decimalcommakey.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

TForm_Czestotliwosc::TForm_Czestotliwosc(Prompts &prompts, QWidget *parent)
    : QDialog(parent), m_prompts(prompts)
{
    setObjectName(QStringLiteral("Form_Czestotliwosc"));
    setWindowTitle(QStringLiteral("Częstotliwość"));
    // Esc and the close box end it without a frequency: the list it was
    // opened from keeps what it had, and the fixed frequencies stay at hand.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(182, 90);

    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setBold(true);
    font.setPixelSize(27);

    Label_CzestotliwoscF = new QLabel(QStringLiteral("F"), this);
    Label_CzestotliwoscF->setObjectName(QStringLiteral("Label_CzestotliwoscF"));
    Label_CzestotliwoscF->setFont(font);
    Label_CzestotliwoscF->setGeometry(8, 8, 20, 34);

    Edit_Czestotliwosc = new QLineEdit(this);
    Edit_Czestotliwosc->setObjectName(QStringLiteral("Edit_Czestotliwosc"));
    Edit_Czestotliwosc->setFont(font);
    Edit_Czestotliwosc->setMaxLength(5);
    Edit_Czestotliwosc->setGeometry(30, 6, 100, 38);
    typeDecimalCommaFromKeypad(Edit_Czestotliwosc);

    Label_CzestotliwoscHz = new QLabel(QStringLiteral("Hz"), this);
    Label_CzestotliwoscHz->setObjectName(QStringLiteral("Label_CzestotliwoscHz"));
    Label_CzestotliwoscHz->setFont(font);
    Label_CzestotliwoscHz->setGeometry(134, 8, 44, 34);

    BitBtn_Czestotliwosc_OK = new QPushButton(QStringLiteral("&OK"), this);
    BitBtn_Czestotliwosc_OK->setObjectName(QStringLiteral("BitBtn_Czestotliwosc_OK"));
    BitBtn_Czestotliwosc_OK->setDefault(true);
    BitBtn_Czestotliwosc_OK->setGeometry(53, 54, 75, 28);
    connect(BitBtn_Czestotliwosc_OK, &QPushButton::clicked, this,
            &TForm_Czestotliwosc::BitBtn_Czestotliwosc_OKClick);
}

QString TForm_Czestotliwosc::ask()
{
    m_accepted = false;
    const bool accepted = m_prompts.exec(this) == QDialog::Accepted;
    return accepted && m_accepted ? frequencyText() : QString();
}

QString TForm_Czestotliwosc::frequencyText() const
{
    return Edit_Czestotliwosc->text();
}

void TForm_Czestotliwosc::BitBtn_Czestotliwosc_OKClick()
{
    const FrequencyInput::Check check = FrequencyInput::check(Edit_Czestotliwosc->text());
    if (!check.accepted) {
        m_prompts.show(FrequencyInput::bandMessage(), QStringLiteral("Orvane 707"));
        Edit_Czestotliwosc->clear();
        Edit_Czestotliwosc->setFocus();
        m_accepted = false;
        return;
    }
    Edit_Czestotliwosc->setText(check.text);
    m_frequency = check.hertz;
    m_accepted = true;
    accept();
}

void TForm_Czestotliwosc::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    // Each opening starts empty and must end with a frequency of its own.
    Edit_Czestotliwosc->clear();
    Edit_Czestotliwosc->setFocus();
    m_accepted = false;
    m_frequency = 0.0;
}

void TForm_Czestotliwosc::reject()
{
    m_accepted = false;
    QDialog::reject();
}
