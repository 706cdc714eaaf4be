#include "gui/measure/exactsettingdialog.h"

#include "core/base/errors.h"
#include "core/base/localnumber.h"
#include "core/base/prompts.h"
#include "core/calibrator/services.h"
#include "core/measure/measurementstate.h"
#include "gui/link/decimalcommakey.h"
#include "gui/measure/dialogparts.h"
#include "gui/measure/dialogresult.h"
#include "gui/measure/windowplacement.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

const QString settingHint =
    QStringLiteral("wartość rzeczywista w jednostkach zakresu badanego miernik");

} // namespace

const QString ExactSettingDialog::invalidIndicationText =
    QStringLiteral("Nie wpisana lub błędnie wpisana wartość wskazania miernika");

ExactSettingDialog::ExactSettingDialog(Services &services, MeasurementState &state,
                                       const QString &prefix, QWidget *parent)
    : QDialog(parent), m_services(services), m_state(state)
{
    setWindowTitle(QStringLiteral("Metoda dokładnej nastawy"));
    buildWindow(prefix);
}

void ExactSettingDialog::buildWindow(const QString &prefix)
{
    auto *grid = new QGridLayout;
    indicationUnitLabel =
        DialogParts::unitLabel(QStringLiteral("Label_%1_JednostkaWskazania").arg(prefix), this);
    indicationEdit = DialogParts::addField(grid, 0, 0, QStringLiteral("Wskazanie miernika"),
                                           QStringLiteral("Edit_%1_WskazanieMiernika").arg(prefix),
                                           this, indicationUnitLabel);
    meterRangeEdit =
        DialogParts::addField(grid, 1, 0, QStringLiteral("Zakres miernika"),
                              QStringLiteral("Edit_%1_ZakresMiernika").arg(prefix), this);
    settingEdit =
        DialogParts::addField(grid, 0, 1, QStringLiteral("Nastawa kalibratora"),
                              QStringLiteral("Edit_%1_NastawaKalibratora").arg(prefix), this);
    calibratorRangeEdit =
        DialogParts::addField(grid, 1, 1, QStringLiteral("Zakres kalibratora"),
                              QStringLiteral("Edit_%1_ZakresKalibratora").arg(prefix), this);
    frequencyEdit = DialogParts::addField(grid, 2, 1, QStringLiteral("Częstotliwość"),
                                          QStringLiteral("Edit_%1_Czestotliwosc").arg(prefix), this,
                                          new QLabel(QStringLiteral("Hz")));
    for (QLineEdit *shown : {meterRangeEdit, settingEdit, calibratorRangeEdit, frequencyEdit})
        shown->setEnabled(false);
    settingEdit->setToolTip(settingHint);
    frequencyEdit->setToolTip(settingHint);
    typeDecimalCommaFromKeypad(indicationEdit);

    const DialogParts::Buttons buttons =
        DialogParts::finishLayout(this, grid, QStringLiteral("BitBtn_%1_Ok").arg(prefix),
                                  QStringLiteral("BitBtn_%1_Przerwij").arg(prefix));
    okButton = buttons.ok;
    abortButton = buttons.abort;
    connect(okButton, &QPushButton::clicked, this, &ExactSettingDialog::pressOk);
    connect(abortButton, &QPushButton::clicked, this, &ExactSettingDialog::abortClicked);
    indicationEdit->setFocus();
}

void ExactSettingDialog::setup(const ExactSettingPoint &point)
{
    // A scripted run reads result() after its handler; no point keeps the
    // result of the one before.
    setResult(QDialog::Rejected);
    m_activationPending = true;
    setMeterRange(point.meterRange);
    setSetting(point.setting);
    setCalibratorRange(point.calibratorRange);
    setFrequency(point.frequency);
    indicationUnitLabel->setText(point.indicationUnit);
}

void ExactSettingDialog::setMeterRange(const QString &text)
{
    meterRangeEdit->setText(text);
}

void ExactSettingDialog::setSetting(const QString &text)
{
    settingEdit->setText(text);
}

void ExactSettingDialog::setCalibratorRange(const QString &text)
{
    calibratorRangeEdit->setText(text);
}

void ExactSettingDialog::setFrequency(const QString &text)
{
    frequencyEdit->setText(text);
}

int ExactSettingDialog::execModal()
{
    setResult(QDialog::Rejected);
    return m_services.prompts.exec(this);
}

void ExactSettingDialog::activateIfPending()
{
    if (!m_activationPending)
        return;
    m_activationPending = false;
    // Every point is typed anew.
    indicationEdit->clear();
    indicationEdit->setFocus();
}

void ExactSettingDialog::typeIndication(const QString &text)
{
    activateIfPending();
    indicationEdit->insert(text);
}

void ExactSettingDialog::clearIndication()
{
    activateIfPending();
    indicationEdit->clear();
}

void ExactSettingDialog::pressOk()
{
    activateIfPending();
    done(DialogResult::Ok);
}

void ExactSettingDialog::pressPrzerwij()
{
    abortClicked();
}

void ExactSettingDialog::pressCloseBox()
{
    activateIfPending();
    reject();
}

void ExactSettingDialog::abortClicked()
{
    activateIfPending();
    // The next run warns again before the first high-voltage point.
    m_state.OstrzezenieWN = false;
    centreOnDesktop(m_verificationWindow);
    done(DialogResult::Przerwij);
}

QString ExactSettingDialog::indicationText() const
{
    return indicationEdit->text();
}

long double ExactSettingDialog::readIndication() const
{
    const std::optional<long double> value = readLocalNumber(indicationEdit->text());
    if (!value)
        throw EConvertError(QStringLiteral("'%1' nie jest poprawną wartością liczbową.")
                                .arg(indicationEdit->text()));
    return *value;
}

bool ExactSettingDialog::FormCloseQuery(int result)
{
    if (result != DialogResult::Ok || readLocalNumber(indicationEdit->text()))
        return true;
    m_services.prompts.show(invalidIndicationText, QStringLiteral("Błąd"), PromptIcon::None,
                            PromptButton::Ok);
    indicationEdit->setFocus();
    return false;
}

void ExactSettingDialog::done(int result)
{
    if (!FormCloseQuery(result))
        return;
    m_placed = true;
    m_activationPending = true;
    QDialog::done(result);
}

void ExactSettingDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || !m_activationPending)
        return;
    activateIfPending();
    placeMeasurementDialog(this, m_verificationWindow, m_placed);
}
