#include "amplituderun.h"

#include "amplitudecells.h"
#include "calibratorranges.h"
#include "clock.h"
#include "documentsession.h"
#include "errormath.h"
#include "exactreadinglogic.h"
#include "frames.h"
#include "link.h"
#include "measurementstate.h"
#include "numbertext.h"
#include "prompts.h"
#include "real48.h"
#include "services.h"
#include "tdanesprawdzania.h"

#include <cmath>

namespace {

// A value as the record would give it back after storing it.
long double stored(long double value)
{
    return Real48::toLongDouble(Real48::fromLongDouble(value));
}

QString wholeNumber(long double value)
{
    return QString::number(std::llround(static_cast<double>(value)));
}

// The unit the exact-setting dialog shows beside the calibrator setting: the
// range's unit with its "m" taken off or put on, as the setting was scaled.
QString settingUnit(const QString &jm, const QString &rangeText)
{
    const bool rangeMilli = Units::isMilli(jm);
    if (rangeMilli && !Units::isMilli(rangeText))
        return jm.startsWith(QLatin1Char('m')) ? jm.mid(1) : jm;
    if (!rangeMilli && Units::isMilli(rangeText))
        return QLatin1Char('m') + jm;
    return jm;
}

} // namespace

const QString AmplitudeRun::highVoltageText =
    QStringLiteral("Zaciski wysokonapięciowe  -  HIGH VOLTAGE");

AmplitudeRun::AmplitudeRun(Services &services, MeasurementState &state, DocumentSession &session,
                           PointDialogs &dialogs, RunView &view)
    : m_services(services), m_state(state), m_session(session), m_dialogs(dialogs), m_view(view)
{}

int AmplitudeRun::rangeCount() const
{
    return m_session.record().amplRangeCount();
}

int AmplitudeRun::currentRange() const
{
    return m_session.BiezacyZakres;
}

bool AmplitudeRun::runRange(int r, int points)
{
    if (m_session.record().isAnalogowy())
        return runExactReading(r, points);
    return runExactSetting(r, points);
}

QString AmplitudeRun::outOfRangeText(long double value, const QString &jm)
{
    return QStringLiteral("Wartość nastawy ") + wholeNumber(value) + jm +
           QStringLiteral(" przekracza zakres kalibratora!!! ");
}

QString AmplitudeRun::meterRangeText(const TZakresAmpl &range)
{
    return wholeNumber(range.Zak()) + range.Jm();
}

QString AmplitudeRun::frequencyText(const TZakresAmpl &range)
{
    if (range.Cz() == 0)
        return QStringLiteral("DC");
    return NumberText::general(range.CzHz());
}

QString AmplitudeRun::functionOf(const TZakresAmpl &range)
{
    const int cz = range.Cz();
    if (cz >= Frames::DC && cz <= Frames::AC400)
        return QString::fromLatin1(Frames::functionCommand(cz));
    return QString::fromLatin1(Frames::variableFrequencyCommand(static_cast<double>(range.CzHz())));
}

long double AmplitudeRun::inRangeUnit(long double value, const TZakresAmpl &range, int j)
{
    const TPunktAmpl point = range.Punkty(j);
    if (!point.Zmierzony())
        return value;
    return stored(Units::toRangeUnit(value, range.Jm(), point.JmBk()));
}

bool AmplitudeRun::selected(const TZakresAmpl &range, int j, int points) const
{
    const TPunktAmpl point = range.Punkty(j);
    return point.Wl() || (points == 1 && point.Wpisany());
}

std::optional<int> AmplitudeRun::chooseCalibratorRange(int r, int j)
{
    const TZakresAmpl range = m_session.record().ZakresyAmpl(r);
    const TPunktAmpl point = range.Punkty(j);
    const long double typed = m_session.record().isAnalogowy() ? point.Wm() : point.Nk();
    const long double value = inRangeUnit(typed, range, j);
    const QString jm = range.Jm();
    const long double base = Units::isMilli(jm) ? value / 1000 : value;
    const std::optional<int> index =
        CalibratorRanges::chooseRange(base, jm, m_services.model.hasHighCurrentRange());
    if (!index)
        m_services.prompts.show(outOfRangeText(value, jm), AmplitudeCells::plainCaption());
    return index;
}

void AmplitudeRun::warnHighVoltage(int calibratorRange)
{
    if (!CalibratorRanges::isHighVoltage(calibratorRange)) {
        m_state.OstrzezenieWN = false;
        return;
    }
    if (m_state.OstrzezenieWN)
        return;
    m_services.prompts.show(highVoltageText, QStringLiteral("Uwaga"), PromptIcon::Warning);
    m_services.link.send(Frames::standbyFrame());
    m_state.OstrzezenieWN = true;
}

void AmplitudeRun::pointDone(int r, int j)
{
    ErrorMath::computeRange(m_session.record().ZakresyAmpl(r));
    if (r == m_session.BiezacyZakres)
        m_view.showPoint(j);
}

std::optional<AmplitudeRun::CalibratorSetting> AmplitudeRun::calibratorFor(int r, int j)
{
    const std::optional<int> index = chooseCalibratorRange(r, j);
    if (!index)
        return std::nullopt;
    warnHighVoltage(*index);
    CalibratorSetting setting;
    setting.index = *index;
    setting.dokl = CalibratorRanges::range(*index).decimals;
    setting.rangeText = QString::fromLatin1(CalibratorRanges::range(*index).text);
    setting.jmBk = Units::unitOfRangeText(setting.rangeText);
    return setting;
}

void AmplitudeRun::storeResult(TZakresAmpl range, int j, const CalibratorSetting &calibrator,
                               long double indication, long double setting)
{
    TPunktAmpl point = range.Punkty(j);
    // Both values go into the calibrator range's unit; the error tables take
    // volts and amperes.
    const long double base = Units::isMilli(calibrator.jmBk) ? setting / 1000 : setting;
    point.setBk(CalibratorRanges::calibratorError(calibrator.index, range.Cz(), base));
    point.setWm(Units::toCalibratorUnit(indication, range.Jm(), calibrator.jmBk));
    point.setNk(setting);
    point.setJmBk(calibrator.jmBk);
    point.setDokl(static_cast<std::uint8_t>(calibrator.dokl));
    point.setZmierzony(true);
    range.setZmierzony(true);
    m_session.setChanged();
}

bool AmplitudeRun::runPoints(int r, int points, const MeasurePoint &measure)
{
    TZakresAmpl range = m_session.record().ZakresyAmpl(r);
    bool result = false;
    for (int j = 1; j <= TDaneSprawdzania::Slots; ++j) {
        if (!selected(range, j, points))
            continue;
        const std::optional<CalibratorSetting> calibrator = calibratorFor(r, j);
        if (calibrator) {
            // An abort ends the range at once, leaving the window where the
            // dialog put it.
            if (!measure(range, j, *calibrator))
                return false;
            result = true;
        }
        pointDone(r, j);
    }
    m_view.centreVerificationWindow();
    return result;
}

bool AmplitudeRun::runExactReading(int r, int points)
{
    const TZakresAmpl meter = m_session.record().ZakresyAmpl(r);
    const QString jm = meter.Jm();
    const QString meterRange = meterRangeText(meter);
    const bool alternating = meter.Cz() != 0;
    return runPoints(r, points, [&](TZakresAmpl range, int j, const CalibratorSetting &calibrator) {
        const int dokl = calibrator.dokl;
        const QString &rangeText = calibrator.rangeText;
        const long double wm = inRangeUnit(range.Punkty(j).Wm(), range, j);

        ReadingRequest request;
        request.meterRange = meterRange;
        request.calibratorRange = rangeText;
        request.indication = NumberText::fixed(wm, dokl) + jm;
        request.frequency = frequencyText(range);
        request.DoklKal = dokl;
        if (const auto limits = ExactReadingLogic::limitsFor(rangeText, alternating)) {
            request.NastawaMin = limits->NastawaMin;
            request.NastawaMax = limits->NastawaMax;
        }
        request.FunkcjaKal = functionOf(range);

        const std::optional<long double> setting = m_dialogs.exactReading(request);
        if (!setting)
            return false;
        storeResult(range, j, calibrator, wm, *setting);
        return true;
    });
}

bool AmplitudeRun::runExactSetting(int r, int points)
{
    const TZakresAmpl meter = m_session.record().ZakresyAmpl(r);
    const QString jm = meter.Jm();
    const QString meterRange = meterRangeText(meter);
    return runPoints(r, points, [&](TZakresAmpl range, int j, const CalibratorSetting &calibrator) {
        const int dokl = calibrator.dokl;
        const QString &rangeText = calibrator.rangeText;
        const long double nk = stored(Units::toCalibratorUnit(
            inRangeUnit(range.Punkty(j).Nk(), range, j), jm, calibrator.jmBk));

        // The run sets the calibrator itself, always with the function.
        m_services.link.send(Frames::measurementSettingFrame(
            calibrator.index, functionOf(range).toLatin1(), Frames::valueText(nk, dokl)));

        SettingRequest request;
        request.meterRange = meterRange;
        request.setting = NumberText::fixed(nk, dokl) + settingUnit(jm, rangeText);
        request.calibratorRange = rangeText;
        request.frequency = frequencyText(range);

        const std::optional<long double> indication = m_dialogs.exactSetting(request);
        if (!indication)
            return false;
        storeResult(range, j, calibrator, *indication, nk);
        return true;
    });
}
