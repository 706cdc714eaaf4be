#include "gui/document/tform_danelaboratorium.h"

#include "core/base/errorbox.h"
#include "core/base/localdate.h"
#include "core/base/prompts.h"
#include "core/calibrator/services.h"
#include "gui/document/formfields.h"

#include <QAction>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm_DaneLaboratorium::TForm_DaneLaboratorium(Services &services, QWidget &window,
                                               QAction &menuItem)
    : QDialog(&window), m_services(services)
{
    setObjectName(QStringLiteral("Form_DaneLaboratorium"));
    setWindowTitle(QStringLiteral("Dane laboratorium"));
    setModal(true);

    auto *lab = new QGroupBox(QStringLiteral("Laboratorium"), this);
    auto *labForm = new QFormLayout(lab);
    Edit_Nazwa = FormFields::edit(lab, "Edit_Nazwa", labForm, QStringLiteral("Nazwa:"));
    Edit_Adres = FormFields::edit(lab, "Edit_Adres", labForm, QStringLiteral("Adres:"));
    Edit_Akredytacja = FormFields::edit(lab, "Edit_Akredytacja", labForm,
                                        QStringLiteral("Nr akredytacji (jeśli jest):"));
    Edit_Tytul = FormFields::edit(lab, "Edit_Tytul", labForm, QStringLiteral("Tytuł świadectwa:"));

    auto *standard = new QGroupBox(QStringLiteral("Wzorzec"), this);
    auto *standardForm = new QFormLayout(standard);
    Label_Model = new QLabel(standard);
    Label_Model->setObjectName(QStringLiteral("Label_Model"));
    standardForm->addRow(QStringLiteral("Kalibrator:"), Label_Model);
    Edit_WzorzecNumer = FormFields::edit(standard, "Edit_WzorzecNumer", standardForm,
                                         QStringLiteral("Numer fabryczny:"));
    Edit_WzorzecSwiadectwo = FormFields::edit(standard, "Edit_WzorzecSwiadectwo", standardForm,
                                              QStringLiteral("Nr świadectwa wzorcowania:"));
    Edit_WzorzecWaznyDo = FormFields::edit(standard, "Edit_WzorzecWaznyDo", standardForm,
                                           QStringLiteral("Ważne do (DD.MM.RRRR):"));

    auto *names = new QGroupBox(QStringLiteral("Podpisy na nowych świadectwach"), this);
    auto *namesForm = new QFormLayout(names);
    Edit_Wykonal = FormFields::edit(names, "Edit_Wykonal", namesForm, QStringLiteral("Wykonał:"));
    Edit_Zatwierdzil =
        FormFields::edit(names, "Edit_Zatwierdzil", namesForm, QStringLiteral("Zatwierdził:"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lab);
    layout->addWidget(standard);
    layout->addWidget(names);
    layout->addLayout(FormFields::okCancel(this, Button_OK, Button_Anuluj));

    connect(Button_OK, &QPushButton::clicked, this, &TForm_DaneLaboratorium::Button_OKClick);
    connect(Button_Anuluj, &QPushButton::clicked, this, &QDialog::reject);
    connect(&menuItem, &QAction::triggered, this,
            &TForm_DaneLaboratorium::Menu_DaneLaboratoriumClick);
}

void TForm_DaneLaboratorium::Button_OKClick()
{
    QDate validUntil;
    if (!FormFields::readDate(m_services.prompts, Edit_WzorzecWaznyDo, validUntil))
        return;
    m_settings.name = Edit_Nazwa->text().trimmed();
    m_settings.address = Edit_Adres->text().trimmed();
    m_settings.accreditation = Edit_Akredytacja->text().trimmed();
    m_settings.title = Edit_Tytul->text().trimmed();
    if (m_settings.title.isEmpty())
        m_settings.title = LabSettings::defaultTitle();
    m_settings.standardSerial = Edit_WzorzecNumer->text().trimmed();
    m_settings.standardCertificate = Edit_WzorzecSwiadectwo->text().trimmed();
    m_settings.standardValidUntil = validUntil;
    m_settings.performedBy = Edit_Wykonal->text().trimmed();
    m_settings.approvedBy = Edit_Zatwierdzil->text().trimmed();
    accept();
}

void TForm_DaneLaboratorium::Menu_DaneLaboratoriumClick()
{
    guarded(m_services.prompts, [this] {
        const LabSettings stored = LabSettings::load();
        m_settings = stored;
        Edit_Nazwa->setText(stored.name);
        Edit_Adres->setText(stored.address);
        Edit_Akredytacja->setText(stored.accreditation);
        Edit_Tytul->setText(stored.title);
        Label_Model->setText(m_services.model.name);
        Edit_WzorzecNumer->setText(stored.standardSerial);
        Edit_WzorzecSwiadectwo->setText(stored.standardCertificate);
        Edit_WzorzecWaznyDo->setText(LocalDate::text(stored.standardValidUntil));
        Edit_Wykonal->setText(stored.performedBy);
        Edit_Zatwierdzil->setText(stored.approvedBy);
        if (m_services.prompts.exec(this) != QDialog::Accepted)
            return;
        if (m_settings != stored)
            m_settings.save();
    });
}
