#include "gui/document/tform_miernik.h"

#include "core/base/prompts.h"
#include "core/calibrator/services.h"
#include "core/document/tdanesprawdzania.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString ExactSetting = QStringLiteral("dokładnej nastawy");
const QString ExactReading = QStringLiteral("dokładnego odczytu");
const QString NoName = QStringLiteral("Wprowadź nazwę miernika");
const QString NoNumber = QStringLiteral("Wprowadż numer miernika");

} // namespace

TForm_Miernik::TForm_Miernik(Services &services, QWidget *parent)
    : QDialog(parent), m_services(services)
{
    setObjectName(QStringLiteral("Form_Miernik"));
    setWindowTitle(QStringLiteral("Miernik"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(308, 167);
    setModal(true);

    auto *nazwaLabel = new QLabel(QStringLiteral("Nazwa :"), this);
    nazwaLabel->setGeometry(16, 16, 70, 21);
    Edit_Miernik_Nazwa = new QLineEdit(this);
    Edit_Miernik_Nazwa->setObjectName(QStringLiteral("Edit_Miernik_Nazwa"));
    Edit_Miernik_Nazwa->setGeometry(96, 16, 196, 21);
    Edit_Miernik_Nazwa->setMaxLength(20);

    auto *numerLabel = new QLabel(QStringLiteral("Numer :"), this);
    numerLabel->setGeometry(16, 46, 70, 21);
    Edit_Miernik_Numer = new QLineEdit(this);
    Edit_Miernik_Numer->setObjectName(QStringLiteral("Edit_Miernik_Numer"));
    Edit_Miernik_Numer->setGeometry(96, 46, 196, 21);
    Edit_Miernik_Numer->setMaxLength(18);

    auto *methodLabel = new QLabel(QStringLiteral("Sprawdzany\nmetodą :"), this);
    methodLabel->setGeometry(16, 74, 78, 34);
    ComboBox_MetodaSprawdzania = new QComboBox(this);
    ComboBox_MetodaSprawdzania->setObjectName(QStringLiteral("ComboBox_MetodaSprawdzania"));
    ComboBox_MetodaSprawdzania->setGeometry(96, 80, 196, 22);
    ComboBox_MetodaSprawdzania->addItems({ExactSetting, ExactReading});
    ComboBox_MetodaSprawdzania->setCurrentIndex(0);

    BitBtn_Miernik_OK = new QPushButton(QStringLiteral("&OK"), this);
    BitBtn_Miernik_OK->setObjectName(QStringLiteral("BitBtn_Miernik_OK"));
    BitBtn_Miernik_OK->setGeometry(56, 124, 89, 27);
    BitBtn_Miernik_OK->setDefault(true);
    BitBtn_Miernik_Anuluj = new QPushButton(QStringLiteral("&Anuluj"), this);
    BitBtn_Miernik_Anuluj->setObjectName(QStringLiteral("BitBtn_Miernik_Anuluj"));
    BitBtn_Miernik_Anuluj->setGeometry(164, 124, 89, 27);

    connect(BitBtn_Miernik_OK, &QPushButton::clicked, this, &TForm_Miernik::BitBtn_Miernik_OKClick);
    connect(BitBtn_Miernik_Anuluj, &QPushButton::clicked, this, &QDialog::reject);
}

QString TForm_Miernik::typForMethod(const QString &comboText)
{
    return comboText == ExactReading ? QStringLiteral("Analogowy") : QStringLiteral("Cyfrowy");
}

int TForm_Miernik::methodIndexForTyp(const QString &typ)
{
    return typ == QLatin1String("Analogowy") ? 1 : 0;
}

QString TForm_Miernik::refusal(const QString &name, const QString &number)
{
    if (name.isEmpty())
        return NoName;
    if (number.isEmpty())
        return NoNumber;
    return {};
}

bool TForm_Miernik::showFor(TDaneSprawdzania &record, bool newDocument)
{
    m_record = &record;
    Edit_Miernik_Nazwa->setText(record.Nazwa());
    Edit_Miernik_Numer->setText(record.Numer());
    if (!newDocument)
        ComboBox_MetodaSprawdzania->setCurrentIndex(methodIndexForTyp(record.Typ()));
    ComboBox_MetodaSprawdzania->setEnabled(newDocument);
    Edit_Miernik_Nazwa->setFocus();
    const bool accepted = m_services.prompts.exec(this) == QDialog::Accepted;
    m_record = nullptr;
    return accepted;
}

void TForm_Miernik::BitBtn_Miernik_OKClick()
{
    // The checks come first: a refused OK writes nothing, so "&Anuluj"
    // afterwards leaves the record as it was.
    const QString problem = refusal(Edit_Miernik_Nazwa->text(), Edit_Miernik_Numer->text());
    if (!problem.isEmpty()) {
        m_services.prompts.show(problem, QStringLiteral("Orvane 707"), PromptIcon::Information);
        (problem == NoName ? Edit_Miernik_Nazwa : Edit_Miernik_Numer)->setFocus();
        return;
    }
    const QString typ = typForMethod(ComboBox_MetodaSprawdzania->currentText());
    if (m_record) {
        m_record->setNazwa(Edit_Miernik_Nazwa->text().left(30));
        m_record->setNumer(Edit_Miernik_Numer->text().left(20));
        m_record->setTyp(typ);
    }
    Q_EMIT typChosen(typ);
    accept();
}
