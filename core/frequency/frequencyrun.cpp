#include "core/frequency/frequencyrun.h"

#include "core/calibrator/calibratorranges.h"
#include "core/calibrator/frames.h"
#include "core/calibrator/services.h"
#include "core/characteristic/errormath.h"
#include "core/characteristic/numbertext.h"
#include "core/document/documentsession.h"
#include "core/document/real48.h"
#include "core/document/tdanesprawdzania.h"
#include "core/link/link.h"
#include "core/measure/exactreadinglogic.h"

namespace {

// What is stored for an accepted point, each in the unit of the calibrator
// range: the range's amplitude, the point's value (the meter's indication or
// the setting reached) and the setting its calibrator error is taken at.
// Named at every call, so the three cannot change places unnoticed.
struct Accepted
{
    long double amplitude = 0;
    long double measured = 0;
    long double setting = 0;
};

// The points of one frequency range as the point loop walks them. Every
// point is measured at the range's one amplitude; the two methods differ in
// the measure step only.
class FrequencyPoints : public RangePoints
{
public:
    FrequencyPoints(DocumentSession &session, int r, bool exactReading, PointDialogs &dialogs,
                    Link &link, const QString &lead)
        : m_session(session), m_r(r), m_exactReading(exactReading), m_dialogs(dialogs),
          m_link(link), m_lead(lead),
          m_range(exactReading ? session.record().ZakresyCzDO(r) : session.record().ZakresyCzDN(r)),
          m_jm(m_range.Jm()), m_meterRange(PointLoop::meterRangeText(m_range.Zak(), m_jm))
    {}

    QString unit() const override { return m_jm; }
    bool ticked(int j) const override { return m_range.Punkty(j).Wl(); }
    bool defined(int j) const override { return m_range.Punkty(j).Wpisany(); }
    bool userFrequency(int j) const override
    {
        return FrequencyRun::functionIndex(m_range.Punkty(j).Cz()) == Frames::VariableFrequency;
    }

    // The amplitude in Jm, whatever unit the last accepted point left it in.
    long double valueInRangeUnit(int) override { return ErrorMath::amplitudeInRangeUnit(m_range); }

    bool measure(int j, const CalibratorChoice &calibrator) override
    {
        return m_exactReading ? measureReading(j, calibrator) : measureSetting(j, calibrator);
    }

    void pointDone(int) override { ErrorMath::computeRange(m_range, m_exactReading); }

    bool onShow() const override
    {
        const int current =
            m_exactReading ? m_session.BiezacyZakresCzDO() : m_session.BiezacyZakresCzDN();
        return m_r == current;
    }

    bool centresAfterAbort() const override { return true; }

    QString outOfRangeLead() const override { return m_lead; }

private:
    // Exact setting: the calibrator is set to the amplitude, in the unit of
    // its range, with the point's function first; the operator types the
    // meter's indication.
    bool measureSetting(int j, const CalibratorChoice &calibrator)
    {
        const ConstPunktCz point = m_range.Punkty(j);
        const int dokl = calibrator.dokl;
        const long double amplitude =
            Real48::stored(ErrorMath::amplitudeIn(m_range, calibrator.jmBk));
        const QString function = FrequencyRun::KomendaF_Cz(point.Cz(), point.CzHz());
        m_link.send(Frames::measurementSettingFrame(calibrator.index, function.toLatin1(),
                                                    Frames::valueText(amplitude, dokl)));

        SettingRequest request;
        request.meterRange = m_meterRange;
        request.indicationUnit = m_jm;
        request.setting =
            NumberText::fixed(amplitude, dokl) + PointLoop::settingUnit(m_jm, calibrator.rangeText);
        request.calibratorRange = calibrator.rangeText;
        request.frequency = NumberText::general(point.CzHz());
        const std::optional<long double> indication = m_dialogs.exactSetting(request);
        if (!indication)
            return false;
        store(j, calibrator,
              {.amplitude = amplitude,
               .measured = Units::toCalibratorUnit(*indication, m_jm, calibrator.jmBk),
               .setting = amplitude});
        return true;
    }

    // Exact reading: the dialog starts the calibrator at the mark and the
    // operator steps it until the pointer stands on it; the setting reached
    // is the point's value.
    bool measureReading(int j, const CalibratorChoice &calibrator)
    {
        const ConstPunktCz point = m_range.Punkty(j);
        const int dokl = calibrator.dokl;
        ReadingRequest request;
        request.meterRange = m_meterRange;
        request.calibratorRange = calibrator.rangeText;
        request.indication =
            NumberText::fixed(ErrorMath::amplitudeInRangeUnit(m_range), dokl) + m_jm;
        request.settingUnit = calibrator.jmBk;
        request.frequency = NumberText::general(point.CzHz());
        request.DoklKal = dokl;
        // A frequency point is always AC: never below 1 % of the range.
        if (const auto limits = ExactReadingLogic::limitsFor(calibrator.rangeText, true)) {
            request.NastawaMin = limits->NastawaMin;
            request.NastawaMax = limits->NastawaMax;
        }
        request.FunkcjaKal = FrequencyRun::KomendaF_Cz(point.Cz(), point.CzHz());

        const long double amplitude =
            Real48::stored(ErrorMath::amplitudeIn(m_range, calibrator.jmBk));
        const std::optional<long double> setting = m_dialogs.exactReading(request);
        if (!setting)
            return false;
        store(j, calibrator, {.amplitude = amplitude, .measured = *setting, .setting = *setting});
        return true;
    }

    // Stores an accepted point: its value and the amplitude, both in the
    // unit of the calibrator range, with that unit, the calibrator error at
    // the setting and the marks.
    void store(int j, const CalibratorChoice &calibrator, const Accepted &accepted)
    {
        TPunktCz point = m_range.Punkty(j);
        // The error tables take volts and amperes.
        const long double setting = accepted.setting;
        const long double base = Units::isMilli(calibrator.jmBk) ? setting / 1000 : setting;
        point.setBk(CalibratorRanges::alternatingError(calibrator.index, base));
        point.setWmDN_NkDO(accepted.measured);
        point.setJmBk(calibrator.jmBk);
        point.setDokl(static_cast<std::uint8_t>(calibrator.dokl));
        point.setZmierzony(true);
        m_range.setNkDN_WmDO(accepted.amplitude);
        m_range.setZmierzony(true);
        m_session.pointMeasured();
    }

    DocumentSession &m_session;
    int m_r;
    bool m_exactReading;
    PointDialogs &m_dialogs;
    Link &m_link;
    QString m_lead;
    TZakresCz m_range;
    QString m_jm;
    QString m_meterRange;
};

} // namespace

FrequencyRun::FrequencyRun(Services &services, MeasurementState &state, DocumentSession &session,
                           PointDialogs &dialogs, RunView &view)
    : m_services(services), m_session(session), m_dialogs(dialogs), m_loop(services, state, view)
{}

int FrequencyRun::rangeCount() const
{
    const TDaneSprawdzania &record = m_session.record();
    if (record.isAnalogowy())
        return record.czDORangeCount();
    return record.isCyfrowy() ? record.czDNRangeCount() : 0;
}

int FrequencyRun::currentRange() const
{
    return m_session.currentRange(Characteristic::Frequency);
}

bool FrequencyRun::runRange(int r, PointChoice points)
{
    const TDaneSprawdzania &record = m_session.record();
    if (record.isAnalogowy())
        return RS_a_Cz(r, points);
    if (record.isCyfrowy())
        return RS_c_Cz(r, points);
    return false;
}

bool FrequencyRun::RS_c_Cz(int r, PointChoice points)
{
    return run(r, points, false);
}

bool FrequencyRun::RS_a_Cz(int r, PointChoice points)
{
    return run(r, points, true);
}

bool FrequencyRun::run(int r, PointChoice points, bool exactReading)
{
    FrequencyPoints range(m_session, r, exactReading, m_dialogs, m_services.link, outOfRangeLead());
    return m_loop.run(range, points) == PointLoop::Outcome::Measured;
}

std::optional<int> FrequencyRun::DobierzZakres_Cz(int r)
{
    const ConstZakresCz range = m_session.record().ZakresyCz(r);
    return m_loop.chooseRange(ErrorMath::amplitudeInRangeUnit(range), range.Jm(), outOfRangeLead());
}

QString FrequencyRun::outOfRangeLead() const
{
    // The frequency runs of the models without the 100 A range write the
    // message without its Polish letters.
    return m_services.model.hasHighCurrentRange() ? PointLoop::outOfRangeLead
                                                  : QStringLiteral("Wartosc nastawy ");
}

int FrequencyRun::functionIndex(int cz)
{
    // The list's items start at 50 Hz, the function commands at DC.
    return cz >= PointCz::Hz50 && cz <= PointCz::Hz400 ? Frames::AC50 + (cz - PointCz::Hz50)
                                                       : Frames::VariableFrequency;
}

QString FrequencyRun::KomendaF_Cz(int cz, long double czHz)
{
    return QString::fromLatin1(
        Frames::functionForFrequency(functionIndex(cz), static_cast<double>(czHz)));
}
