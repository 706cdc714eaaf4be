#include "core/measure/pointloop.h"

#include "core/base/prompts.h"
#include "core/calibrator/calibratorranges.h"
#include "core/calibrator/frames.h"
#include "core/calibrator/services.h"
#include "core/document/tdanesprawdzania.h"
#include "core/link/link.h"
#include "core/measure/measurementstate.h"

#include <cmath>

namespace {

QString wholeNumber(long double value)
{
    return QString::number(std::llround(static_cast<double>(value)));
}

// The highlight goes however the loop ends: at its end, on an abort or with
// a frame that failed.
class ProgressShown
{
public:
    explicit ProgressShown(RunView &view) : m_view(view) {}
    ~ProgressShown() { m_view.showProgress(0); }
    ProgressShown(const ProgressShown &) = delete;
    ProgressShown &operator=(const ProgressShown &) = delete;

private:
    RunView &m_view;
};

} // namespace

const QString PointLoop::highVoltageText =
    QStringLiteral("Zaciski wysokonapięciowe  -  HIGH VOLTAGE");

PointLoop::PointLoop(Services &services, MeasurementState &state, RunView &view)
    : m_services(services), m_state(state), m_view(view)
{}

PointLoop::Outcome PointLoop::run(RangePoints &points, PointChoice choice)
{
    const QString jm = points.unit();
    bool measured = false;
    const ProgressShown progress(m_view);
    for (int j = 1; j <= TDaneSprawdzania::Slots; ++j) {
        if (!points.ticked(j) && !(choice == PointChoice::AllDefined && points.defined(j)))
            continue;
        if (points.onShow())
            m_view.showProgress(j);
        if (refused(points, j))
            continue;
        const std::optional<CalibratorChoice> calibrator =
            calibratorFor(points.valueInRangeUnit(j), jm, points.outOfRangeLead());
        if (calibrator) {
            // An abort ends the range at once.
            if (!points.measure(j, *calibrator)) {
                if (points.centresAfterAbort())
                    m_view.centreVerificationWindow();
                return Outcome::Aborted;
            }
            measured = true;
        }
        points.pointDone(j);
        if (points.onShow())
            m_view.showPoint(j);
    }
    m_view.centreVerificationWindow();
    return measured ? Outcome::Measured : Outcome::NothingMeasured;
}

std::optional<int> PointLoop::chooseRange(long double value, const QString &jm, const QString &lead)
{
    const long double base = Units::isMilli(jm) ? value / 1000 : value;
    const std::optional<int> index =
        CalibratorRanges::chooseRange(base, jm, m_services.model.hasHighCurrentRange());
    if (!index)
        m_services.prompts.show(outOfRangeText(value, jm, lead), Prompts::plainCaption());
    return index;
}

std::optional<CalibratorChoice> PointLoop::calibratorFor(long double value, const QString &jm,
                                                         const QString &lead)
{
    const std::optional<int> index = chooseRange(value, jm, lead);
    if (!index)
        return std::nullopt;
    warnHighVoltage(*index);
    CalibratorChoice choice;
    choice.index = *index;
    choice.dokl = CalibratorRanges::range(*index).decimals;
    choice.rangeText = QString::fromLatin1(CalibratorRanges::range(*index).text);
    choice.jmBk = Units::unitOfRangeText(choice.rangeText);
    return choice;
}

bool PointLoop::refused(const RangePoints &points, int j)
{
    // The instrument would stay on its old frequency while the point went
    // down as measured on the one asked for.
    if (!points.userFrequency(j) || m_services.model.hasFrequencySetting())
        return false;
    m_services.prompts.show(noFrequencySettingText(m_services.model.name), QStringLiteral("Uwaga"),
                            PromptIcon::Warning);
    return true;
}

QString PointLoop::noFrequencySettingText(const QString &model)
{
    return QStringLiteral(
               "Wykonanie kalibratora %1 nie ma nastawy częstotliwości. Punkt pominięto.")
        .arg(model);
}

void PointLoop::warnHighVoltage(int index)
{
    if (!CalibratorRanges::isHighVoltage(index)) {
        m_state.OstrzezenieWN = false;
        return;
    }
    if (m_state.OstrzezenieWN)
        return;
    m_services.prompts.show(highVoltageText, QStringLiteral("Uwaga"), PromptIcon::Warning);
    m_services.link.send(Frames::standbyFrame());
    m_state.OstrzezenieWN = true;
}

const QString PointLoop::outOfRangeLead = QStringLiteral("Wartość nastawy ");

QString RangePoints::outOfRangeLead() const
{
    return PointLoop::outOfRangeLead;
}

QString PointLoop::outOfRangeText(long double value, const QString &jm, const QString &lead)
{
    return lead + wholeNumber(value) + jm + QStringLiteral(" przekracza zakres kalibratora!!! ");
}

QString PointLoop::meterRangeText(long double zak, const QString &jm)
{
    return wholeNumber(zak) + jm;
}

QString PointLoop::settingUnit(const QString &jm, const QString &rangeText)
{
    const bool rangeMilli = Units::isMilli(jm);
    if (rangeMilli && !Units::isMilli(rangeText))
        return jm.startsWith(QLatin1Char('m')) ? jm.mid(1) : jm;
    if (!rangeMilli && Units::isMilli(rangeText))
        return QLatin1Char('m') + jm;
    return jm;
}
