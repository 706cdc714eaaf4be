#include "gui/characteristic/tform_niepewnosc.h"

#include "core/base/errorbox.h"
#include "core/base/localnumber.h"
#include "core/base/prompts.h"
#include "core/calibrator/services.h"
#include "core/characteristic/numbertext.h"
#include "core/characteristic/uncertainty.h"
#include "core/document/documentsession.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr DecisionRule Rules[] = {DecisionRule::Simple, DecisionRule::GuardBand,
                                  DecisionRule::FourZone};

QComboBox *ruleBox(QWidget *parent, const char *name)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    for (DecisionRule rule : Rules)
        box->addItem(Uncertainty::ruleName(rule) + QStringLiteral(" (") +
                     Uncertainty::ruleReference(rule) + QLatin1Char(')'));
    return box;
}

QLineEdit *ratioEdit(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(10);
    return edit;
}

QGroupBox *group(QWidget *parent, const char *name, const QString &title, QComboBox *rule,
                 QLineEdit *ratio)
{
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(QLatin1String(name));
    rule->setParent(box);
    ratio->setParent(box);
    auto *form = new QFormLayout(box);
    form->addRow(QStringLiteral("Reguła decyzyjna:"), rule);
    form->addRow(QStringLiteral("Minimalny TUR:"), ratio);
    return box;
}

void showSettings(QComboBox *rule, QLineEdit *ratio, const UncertaintySettings &settings)
{
    rule->setCurrentIndex(int(settings.rule));
    ratio->setText(NumberText::general(settings.minTur));
}

} // namespace

TForm_Niepewnosc::TForm_Niepewnosc(Services &services, DocumentSession &session, QWidget &window,
                                   QAction &menuItem)
    : QDialog(&window), m_services(services), m_session(session)
{
    setObjectName(QStringLiteral("Form_Niepewnosc"));
    setWindowTitle(QStringLiteral("Niepewność i reguła decyzyjna"));
    setModal(true);

    ComboBox_Regula = ruleBox(this, "ComboBox_Regula");
    Edit_MinTUR = ratioEdit(this, "Edit_MinTUR");
    GroupBox_Dokument = group(this, "GroupBox_Dokument", QStringLiteral("Otwarty dokument"),
                              ComboBox_Regula, Edit_MinTUR);
    ComboBox_RegulaDomyslna = ruleBox(this, "ComboBox_RegulaDomyslna");
    Edit_MinTURDomyslny = ratioEdit(this, "Edit_MinTURDomyslny");
    GroupBox_Domyslne = group(this, "GroupBox_Domyslne", QStringLiteral("Nowe dokumenty"),
                              ComboBox_RegulaDomyslna, Edit_MinTURDomyslny);

    Button_OK = new QPushButton(QStringLiteral("&OK"), this);
    Button_OK->setObjectName(QStringLiteral("Button_OK"));
    Button_OK->setDefault(true);
    Button_Anuluj = new QPushButton(QStringLiteral("&Anuluj"), this);
    Button_Anuluj->setObjectName(QStringLiteral("Button_Anuluj"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_OK);
    buttons->addWidget(Button_Anuluj);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox_Dokument);
    layout->addWidget(GroupBox_Domyslne);
    layout->addLayout(buttons);

    connect(Button_OK, &QPushButton::clicked, this, &TForm_Niepewnosc::Button_OKClick);
    connect(Button_Anuluj, &QPushButton::clicked, this, &QDialog::reject);
    connect(&menuItem, &QAction::triggered, this, &TForm_Niepewnosc::Menu_NiepewnoscClick);
}

std::optional<long double> TForm_Niepewnosc::readRatio(QLineEdit *edit)
{
    const std::optional<long double> value = readLocalNumber(edit->text());
    if (value && *value >= 0)
        return value;
    m_services.prompts.show(
        QStringLiteral("Minimalny TUR „%1” nie jest liczbą nieujemną.").arg(edit->text()),
        QStringLiteral("Błąd"), PromptIcon::Warning);
    edit->setFocus();
    return std::nullopt;
}

void TForm_Niepewnosc::Button_OKClick()
{
    const bool document = GroupBox_Dokument->isEnabled();
    std::optional<long double> documentRatio;
    if (document && !(documentRatio = readRatio(Edit_MinTUR)))
        return;
    const std::optional<long double> defaultRatio = readRatio(Edit_MinTURDomyslny);
    if (!defaultRatio)
        return;
    if (document)
        m_document = {Rules[ComboBox_Regula->currentIndex()], *documentRatio};
    m_chosen = {Rules[ComboBox_RegulaDomyslna->currentIndex()], *defaultRatio};
    accept();
}

void TForm_Niepewnosc::Menu_NiepewnoscClick()
{
    guarded(m_services.prompts, [this] {
        DocumentSession &session = m_session;
        // A document counts from the moment it is started.
        const bool document = session.hasDocument();
        const DocumentExtension &extension = session.extension();
        m_document = {extension.decisionRule(), extension.minTur()};
        const UncertaintySettings stored = UncertaintySettings::load();
        m_chosen = stored;
        GroupBox_Dokument->setEnabled(document);
        showSettings(ComboBox_Regula, Edit_MinTUR, m_document);
        showSettings(ComboBox_RegulaDomyslna, Edit_MinTURDomyslny, m_chosen);
        if (m_services.prompts.exec(this) != QDialog::Accepted)
            return;
        if (document) {
            DocumentExtension changed = session.extension();
            changed.setDecisionRule(m_document.rule);
            changed.setMinTur(m_document.minTur);
            session.setExtension(changed);
        }
        if (m_chosen != stored)
            m_chosen.save();
    });
}
