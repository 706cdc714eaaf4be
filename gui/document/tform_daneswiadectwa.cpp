#include "gui/document/tform_daneswiadectwa.h"

#include "core/base/errorbox.h"
#include "core/base/localdate.h"
#include "core/calibrator/services.h"
#include "core/characteristic/numbertext.h"
#include "core/document/documentsession.h"
#include "core/document/labsettings.h"
#include "gui/document/formfields.h"

#include <QAction>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString numberText(const std::optional<double> &value)
{
    return value ? NumberText::general(*value) : QString();
}

} // namespace

TForm_DaneSwiadectwa::TForm_DaneSwiadectwa(Services &services, DocumentSession &session,
                                           QWidget &window, QAction &menuItem)
    : QDialog(&window), m_services(services), m_session(session)
{
    setObjectName(QStringLiteral("Form_DaneSwiadectwa"));
    setWindowTitle(QStringLiteral("Dane świadectwa"));
    setModal(true);

    auto *form = new QFormLayout;
    using FormFields::edit;
    Edit_Numer = edit(this, "Edit_Numer", form, QStringLiteral("Numer świadectwa:"));
    Edit_Zleceniodawca = edit(this, "Edit_Zleceniodawca", form, QStringLiteral("Zleceniodawca:"));
    Edit_AdresZleceniodawcy =
        edit(this, "Edit_AdresZleceniodawcy", form, QStringLiteral("Adres zleceniodawcy:"));
    Edit_Miejsce = edit(this, "Edit_Miejsce", form, QStringLiteral("Miejsce sprawdzenia:"));
    Edit_DataSprawdzenia =
        edit(this, "Edit_DataSprawdzenia", form, QStringLiteral("Data sprawdzenia (DD.MM.RRRR):"));
    Edit_DataWystawienia =
        edit(this, "Edit_DataWystawienia", form, QStringLiteral("Data wystawienia (DD.MM.RRRR):"));
    Edit_Temperatura = edit(this, "Edit_Temperatura", form, QStringLiteral("Temperatura (°C):"));
    Edit_Wilgotnosc =
        edit(this, "Edit_Wilgotnosc", form, QStringLiteral("Wilgotność względna (%):"));
    Edit_Wykonal = edit(this, "Edit_Wykonal", form, QStringLiteral("Wykonał:"));
    Edit_Zatwierdzil = edit(this, "Edit_Zatwierdzil", form, QStringLiteral("Zatwierdził:"));
    Edit_Okres =
        edit(this, "Edit_Okres", form, QStringLiteral("Następne sprawdzenie za (miesięcy):"));
    Memo_Uwagi = new QPlainTextEdit(this);
    Memo_Uwagi->setObjectName(QStringLiteral("Memo_Uwagi"));
    Memo_Uwagi->setTabChangesFocus(true);
    Memo_Uwagi->setFixedHeight(80);
    form->addRow(QStringLiteral("Uwagi:"), Memo_Uwagi);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(FormFields::okCancel(this, Button_OK, Button_Anuluj));

    connect(Button_OK, &QPushButton::clicked, this, &TForm_DaneSwiadectwa::Button_OKClick);
    connect(Button_Anuluj, &QPushButton::clicked, this, &QDialog::reject);
    connect(&menuItem, &QAction::triggered, this, &TForm_DaneSwiadectwa::Menu_DaneSwiadectwaClick);
}

void TForm_DaneSwiadectwa::showData(const CertificateData &data)
{
    Edit_Numer->setText(data.number);
    Edit_Zleceniodawca->setText(data.customer);
    Edit_AdresZleceniodawcy->setText(data.customerAddress);
    Edit_Miejsce->setText(data.place);
    Edit_DataSprawdzenia->setText(LocalDate::text(data.verifiedOn));
    Edit_DataWystawienia->setText(LocalDate::text(data.issuedOn));
    Edit_Temperatura->setText(numberText(data.temperature));
    Edit_Wilgotnosc->setText(numberText(data.humidity));
    Edit_Wykonal->setText(data.performedBy);
    Edit_Zatwierdzil->setText(data.approvedBy);
    Edit_Okres->setText(data.intervalMonths ? QString::number(*data.intervalMonths) : QString());
    Memo_Uwagi->setPlainText(data.remarks);
}

void TForm_DaneSwiadectwa::Button_OKClick()
{
    Prompts &prompts = m_services.prompts;
    CertificateData data;
    if (!FormFields::readDate(prompts, Edit_DataSprawdzenia, data.verifiedOn) ||
        !FormFields::readDate(prompts, Edit_DataWystawienia, data.issuedOn) ||
        !FormFields::readNumber(prompts, Edit_Temperatura, QStringLiteral("Temperatura"),
                                data.temperature) ||
        !FormFields::readNumber(prompts, Edit_Wilgotnosc, QStringLiteral("Wilgotność"),
                                data.humidity) ||
        !FormFields::readMonths(prompts, Edit_Okres, CertificateData::LongestInterval,
                                data.intervalMonths))
        return;
    data.number = Edit_Numer->text().trimmed();
    data.customer = Edit_Zleceniodawca->text().trimmed();
    data.customerAddress = Edit_AdresZleceniodawcy->text().trimmed();
    data.place = Edit_Miejsce->text().trimmed();
    data.performedBy = Edit_Wykonal->text().trimmed();
    data.approvedBy = Edit_Zatwierdzil->text().trimmed();
    data.remarks = Memo_Uwagi->toPlainText();
    m_data = data;
    accept();
}

void TForm_DaneSwiadectwa::Menu_DaneSwiadectwaClick()
{
    guarded(m_services.prompts, [this] {
        if (!m_session.hasDocument())
            return;
        m_data = CertificateData::of(m_session.extension());
        const LabSettings lab = LabSettings::load();
        if (m_data.performedBy.isEmpty())
            m_data.performedBy = lab.performedBy;
        if (m_data.approvedBy.isEmpty())
            m_data.approvedBy = lab.approvedBy;
        showData(m_data);
        if (m_services.prompts.exec(this) != QDialog::Accepted)
            return;
        DocumentExtension extension = m_session.extension();
        m_data.storeIn(extension);
        m_session.setExtension(extension);
    });
}
