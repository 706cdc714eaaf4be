#include "core/amplitude/amplituderun.h"

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

// What a point is measured at, in the unit of its range: the indication
// typed for an "Analogowy" meter, the setting for a "Cyfrowy" one.
long double typedInRangeUnit(ConstZakresAmpl range, int j, bool analogowy)
{
    const ConstPunktAmpl point = range.Punkty(j);
    return AmplitudeRun::inRangeUnit(analogowy ? point.Wm() : point.Nk(), range, j);
}

// What the operator accepted for a point: the meter's indication in the unit
// of the range and the calibrator setting in the unit of the calibrator range.
// Named at every call, so the two values cannot change places unnoticed.
struct Accepted
{
    long double indication = 0;
    long double setting = 0;
};

// The points of one amplitude range, as the point loop walks them. The two
// methods share everything but the measure step: the value typed for a point
// (the indication for exact reading, the setting for exact setting) and what
// is stored once the operator accepts it.
class AmplitudePoints : public RangePoints
{
public:
    AmplitudePoints(DocumentSession &session, int r)
        : m_session(session), m_r(r), m_range(session.record().ZakresyAmpl(r)), m_jm(m_range.Jm()),
          m_meterRange(PointLoop::meterRangeText(m_range.Zak(), m_jm))
    {}

    QString unit() const override { return m_jm; }
    bool ticked(int j) const override { return m_range.Punkty(j).Wl(); }
    bool defined(int j) const override { return m_range.Punkty(j).Wpisany(); }
    // The range's frequency is every point's.
    bool userFrequency(int) const override
    {
        return AmplitudeRun::functionIndex(m_range.Cz()) == Frames::VariableFrequency;
    }

    long double valueInRangeUnit(int j) override
    {
        return typedInRangeUnit(m_range, j, m_session.record().isAnalogowy());
    }

    void pointDone(int) override { ErrorMath::computeRange(m_range); }

    bool onShow() const override { return m_r == m_session.BiezacyZakres(); }

protected:
    // Stores an accepted point: the meter's indication (range unit) and the
    // calibrator setting (calibrator unit), both kept in the calibrator
    // range's unit, with the calibrator error and the marks.
    void store(int j, const CalibratorChoice &calibrator, const Accepted &accepted)
    {
        const long double setting = accepted.setting;
        TPunktAmpl point = m_range.Punkty(j);
        // The error tables take volts and amperes.
        const long double base = Units::isMilli(calibrator.jmBk) ? setting / 1000 : setting;
        point.setBk(CalibratorRanges::calibratorError(calibrator.index, m_range.Cz(), base));
        point.setWm(Units::toCalibratorUnit(accepted.indication, m_jm, calibrator.jmBk));
        point.setNk(setting);
        point.setJmBk(calibrator.jmBk);
        point.setDokl(static_cast<std::uint8_t>(calibrator.dokl));
        point.setZmierzony(true);
        m_range.setZmierzony(true);
        m_session.pointMeasured();
    }

    DocumentSession &m_session;
    int m_r;
    TZakresAmpl m_range;
    QString m_jm;
    QString m_meterRange;
};

// Exact reading: the dialog drives the calibrator from the point's nominal
// indication until the pointer stands on the mark; the setting reached is
// the result.
class ReadingPoints : public AmplitudePoints
{
public:
    ReadingPoints(DocumentSession &session, int r, PointDialogs &dialogs)
        : AmplitudePoints(session, r), m_dialogs(dialogs)
    {}

    bool measure(int j, const CalibratorChoice &calibrator) override
    {
        const long double wm = AmplitudeRun::inRangeUnit(m_range.Punkty(j).Wm(), m_range, j);
        ReadingRequest request;
        request.meterRange = m_meterRange;
        request.calibratorRange = calibrator.rangeText;
        request.indication = NumberText::fixed(wm, calibrator.dokl) + m_jm;
        request.settingUnit = calibrator.jmBk;
        request.frequency = AmplitudeRun::frequencyText(m_range);
        request.DoklKal = calibrator.dokl;
        if (const auto limits =
                ExactReadingLogic::limitsFor(calibrator.rangeText, m_range.Cz() != RangeCz::DC)) {
            request.NastawaMin = limits->NastawaMin;
            request.NastawaMax = limits->NastawaMax;
        }
        request.FunkcjaKal = AmplitudeRun::functionOf(m_range);

        const std::optional<long double> setting = m_dialogs.exactReading(request);
        if (!setting)
            return false;
        store(j, calibrator, {.indication = wm, .setting = *setting});
        return true;
    }

private:
    PointDialogs &m_dialogs;
};

// Exact setting: the run sets the calibrator to the point's value itself,
// and the operator types what the meter shows.
class SettingPoints : public AmplitudePoints
{
public:
    SettingPoints(DocumentSession &session, int r, PointDialogs &dialogs, Link &link)
        : AmplitudePoints(session, r), m_dialogs(dialogs), m_link(link)
    {}

    bool measure(int j, const CalibratorChoice &calibrator) override
    {
        const int dokl = calibrator.dokl;
        const long double nk = Real48::stored(Units::toCalibratorUnit(
            AmplitudeRun::inRangeUnit(m_range.Punkty(j).Nk(), m_range, j), m_jm, calibrator.jmBk));

        // Always with the function: the calibrator may have another one.
        m_link.send(Frames::measurementSettingFrame(calibrator.index,
                                                    AmplitudeRun::functionOf(m_range).toLatin1(),
                                                    Frames::valueText(nk, dokl)));

        SettingRequest request;
        request.meterRange = m_meterRange;
        request.indicationUnit = m_jm;
        request.setting =
            NumberText::fixed(nk, dokl) + PointLoop::settingUnit(m_jm, calibrator.rangeText);
        request.calibratorRange = calibrator.rangeText;
        request.frequency = AmplitudeRun::frequencyText(m_range);

        const std::optional<long double> indication = m_dialogs.exactSetting(request);
        if (!indication)
            return false;
        store(j, calibrator, {.indication = *indication, .setting = nk});
        return true;
    }

private:
    PointDialogs &m_dialogs;
    Link &m_link;
};

} // namespace

AmplitudeRun::AmplitudeRun(Services &services, MeasurementState &state, DocumentSession &session,
                           PointDialogs &dialogs, RunView &view)
    : m_services(services), m_session(session), m_dialogs(dialogs), m_loop(services, state, view)
{}

int AmplitudeRun::rangeCount() const
{
    return m_session.record().amplRangeCount();
}

int AmplitudeRun::currentRange() const
{
    return m_session.currentRange(Characteristic::Amplitude);
}

bool AmplitudeRun::runRange(int r, PointChoice points)
{
    if (m_session.record().isAnalogowy())
        return runExactReading(r, points);
    return runExactSetting(r, points);
}

bool AmplitudeRun::runExactReading(int r, PointChoice points)
{
    ReadingPoints reading(m_session, r, m_dialogs);
    return m_loop.run(reading, points) == PointLoop::Outcome::Measured;
}

bool AmplitudeRun::runExactSetting(int r, PointChoice points)
{
    SettingPoints setting(m_session, r, m_dialogs, m_services.link);
    return m_loop.run(setting, points) == PointLoop::Outcome::Measured;
}

std::optional<int> AmplitudeRun::chooseCalibratorRange(ConstZakresAmpl range, int j)
{
    return m_loop.chooseRange(typedInRangeUnit(range, j, m_session.record().isAnalogowy()),
                              range.Jm());
}

QString AmplitudeRun::frequencyText(ConstZakresAmpl range)
{
    if (range.Cz() == RangeCz::DC)
        return QStringLiteral("DC");
    return NumberText::general(range.CzHz());
}

int AmplitudeRun::functionIndex(int cz)
{
    // Cz counts DC and the three fixed frequencies in the order of the
    // functions; anything after them is the user's own.
    return cz >= RangeCz::DC && cz <= RangeCz::Hz400 ? cz : Frames::VariableFrequency;
}

QString AmplitudeRun::functionOf(ConstZakresAmpl range)
{
    return QString::fromLatin1(
        Frames::functionForFrequency(functionIndex(range.Cz()), static_cast<double>(range.CzHz())));
}

long double AmplitudeRun::inRangeUnit(long double value, ConstZakresAmpl range, int j)
{
    const ConstPunktAmpl point = range.Punkty(j);
    if (!point.Zmierzony())
        return value;
    return Real48::stored(Units::toRangeUnit(value, range.Jm(), point.JmBk()));
}
