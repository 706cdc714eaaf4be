#include "core/measure/measurecommand.h"

#include "core/base/clock.h"
#include "core/base/errorbox.h"
#include "core/base/localdate.h"
#include "core/base/prompts.h"
#include "core/calibrator/frames.h"
#include "core/calibrator/services.h"
#include "core/document/certificatedata.h"
#include "core/document/documentsession.h"
#include "core/document/labsettings.h"
#include "core/document/tdanesprawdzania.h"
#include "core/link/linkguard.h"
#include "core/measure/measurementstate.h"

const QString MeasureCommand::highCurrentText = QStringLiteral(
    "Jeden lub kilka zakresów pomiarowych\r\nwymaga przełączenia kalibratora na zakres "
    "100A.\r\nWybierz dla tego zakresu częstotliwość\r\ninną niż DC i spróbuj ponownie.");
const QString MeasureCommand::unknownModelText =
    QStringLiteral("Nieznane wykonanie kalibratora. Wybierz je przyciskiem \"Wybór wykonania "
                   "kalibratora\".");
const QString MeasureCommand::stopQuestionText =
    QStringLiteral("Czy przerwać pomiary na wszystkich zakresach?");

QString MeasureCommand::expiredStandardText(QDate validUntil)
{
    return QStringLiteral("Świadectwo wzorca straciło ważność dnia %1. Kontynuować?")
        .arg(LocalDate::text(validUntil));
}

MeasureCommand::MeasureCommand(Services &services, MeasurementState &state,
                               DocumentSession &session, RangeRuns &amplitudeRuns,
                               RunChooser &chooser)
    : m_services(services), m_state(state), m_session(session), m_amplitudeRuns(amplitudeRuns),
      m_chooser(chooser)
{}

bool MeasureCommand::needsHighCurrentDc() const
{
    constexpr long double highestLowCurrentRange = 20.5L;
    const TDaneSprawdzania &record = m_session.record();
    for (int k = 1; k <= TDaneSprawdzania::Slots; ++k) {
        const ConstZakresAmpl range = record.ZakresyAmpl(k);
        if (range.Zak() >= highestLowCurrentRange && range.Jm() == QLatin1String("A") &&
            range.Cz() == RangeCz::DC)
            return true;
    }
    return false;
}

void MeasureCommand::Menu_PomiaryClick()
{
    const bool frequencyView = m_session.shownView() == DocumentSession::View::Frequency;
    RangeRuns *runs = frequencyView ? m_frequencyRuns : &m_amplitudeRuns;
    if (!runs)
        return;

    // The check covers the amplitude table whichever characteristic is on
    // show.
    if (needsHighCurrentDc()) {
        m_services.prompts.show(highCurrentText, QStringLiteral("Uwaga!"), PromptIcon::Warning);
        return;
    }
    // Without a known model no calibrator range can be chosen, and nothing
    // valid could be sent.
    if (!m_services.model.isKnown()) {
        m_services.prompts.show(unknownModelText, QStringLiteral("Uwaga!"), PromptIcon::Warning);
        return;
    }

    // The day of the run, taken once: a run that goes on past midnight is
    // still of the day it started.
    const QDate today = m_services.clock.today();
    const StandardInUse standard = LabSettings::load().standard(m_services.model.name);
    if (standard.expiredOn(today) &&
        m_services.prompts.show(expiredStandardText(standard.validUntil), QStringLiteral("Uwaga"),
                                PromptIcon::Warning,
                                PromptButton::Yes | PromptButton::No) != PromptButton::Yes)
        return;

    const quint64 measuredBefore = m_session.pointsMeasured();
    m_state.startMeasurements();
    try {
        const LinkGuard open(m_services.link);
        // Cancelled, nothing was measured: the calibrator is left as it is.
        const std::optional<RunChoice> choice = m_chooser.choose();
        if (!choice)
            return;
        try {
            measure(*runs, *choice);
        } catch (...) {
            // The output goes into standby all the same, with one try.
            try {
                m_services.link.send(Frames::standbyFrame());
            } catch (...) {
                // The line failed again: the box for the first failure has
                // said all there is.
            }
            throw;
        }
        // Whatever ended the run, its last setting is not left live on the
        // terminals.
        m_services.link.send(Frames::standbyFrame());
    } catch (const std::exception &error) {
        // The calibrator may have missed the standby frame: the next
        // high-voltage point warns again.
        m_state.OstrzezenieWN = false;
        showGeneralError(m_services.prompts, error);
    }
    // Points measured before an abort or a failure were measured all the
    // same, with this standard on this day.
    if (m_session.pointsMeasured() != measuredBefore) {
        DocumentExtension extension = m_session.extension();
        CertificateData::recordMeasurement(extension, today, standard);
        m_session.setExtension(extension);
    }
}

void MeasureCommand::measure(RangeRuns &runs, const RunChoice &choice)
{
    if (choice.zakresy == RangeChoice::Current) {
        runs.runRange(runs.currentRange(), choice.punkty);
        return;
    }
    const int count = runs.rangeCount();
    for (int r = 1; r <= count; ++r) {
        if (runs.runRange(r, choice.punkty))
            continue;
        const PromptButton answer =
            m_services.prompts.show(stopQuestionText, QStringLiteral("Przerwij pomiary"),
                                    PromptIcon::Question, PromptButton::Yes | PromptButton::No);
        if (answer == PromptButton::Yes)
            break;
    }
}
