#include "core/characteristic/uncertainty.h"

#include "core/calibrator/calibratorranges.h"
#include "core/characteristic/errormath.h"
#include "core/characteristic/numbertext.h"
#include "core/document/tdanesprawdzania.h"

#include <cmath>

void DecisionCounts::add(Decision decision)
{
    switch (decision) {
    case Decision::Pass:
        ++pass;
        break;
    case Decision::ConditionalPass:
        ++conditionalPass;
        break;
    case Decision::ConditionalFail:
        ++conditionalFail;
        break;
    case Decision::Fail:
        ++fail;
        break;
    }
}

namespace Uncertainty {

namespace {

// Slack for the binary noise of values that are decimal at heart:
// 28.000000000000004 units of the second digit are 28, not 29.
constexpr long double Slack = 1e-9L;

// The exponent of the leading digit: -4 for 0.00065, -3 for 0.001 even when
// the logarithm comes out a hair below -3.
int leadingExponent(long double value)
{
    return int(std::floor(std::log10(value) + 1e-12L));
}

template <typename Point>
Budget pointBudget(const Point &point, const QString &rangeUnit, long double resolution,
                   const Settings &settings)
{
    return budget(Inputs{point.Bmr(), point.Bmd(), point.Bk(), rangeUnit, point.JmBk(), resolution},
                  settings);
}

template <typename Range>
RangeAssessment assessRange(const Range &range, long double resolution, const Settings &settings)
{
    RangeAssessment assessment;
    if (range.isEmpty() || !range.Zmierzony())
        return assessment;
    const QString jm = range.Jm();
    for (int j = 1; j <= TDaneSprawdzania::Slots; ++j) {
        const auto point = range.Punkty(j);
        if (!point.Wpisany() || !point.Zmierzony())
            continue;
        const Budget budget = pointBudget(point, jm, resolution, settings);
        assessment.counts.add(budget.decision);
        if (budget.tur && (!assessment.lowestTur || *budget.tur < *assessment.lowestTur))
            assessment.lowestTur = budget.tur;
        assessment.points.append({j, budget});
    }
    return assessment;
}

} // namespace

Settings Settings::of(const DocumentExtension &extension)
{
    return {extension.decisionRule(), extension.minTur()};
}

RangeJudging RangeJudging::of(const DocumentExtension &extension, DocumentExtension::Table table,
                              int k)
{
    return {Settings::of(extension), extension.resolution(table, k)};
}

long double roundedUp(long double u)
{
    if (!(u > 0) || !std::isfinite(u))
        return 0;
    const int place = leadingExponent(u) - 1;
    const long double digits = std::ceil(u / std::pow(10.0L, place) - Slack);
    if (place >= 0)
        return digits * std::pow(10.0L, place);
    // Divided as a double by a power of ten it holds exactly: the nearest
    // double to the decimal, 0.00029 and not 0.00029000000000000001.
    return static_cast<double>(digits) / std::pow(10.0, -place);
}

long double shownTur(long double tur)
{
    return std::floor(10 * tur + Slack) / 10;
}

int expandedDecimals(long double expanded)
{
    if (!(expanded > 0))
        return 0;
    return std::max(0, 1 - leadingExponent(expanded));
}

Decision decide(DecisionRule rule, long double error, long double tolerance, long double expanded)
{
    const long double e = std::fabs(error);
    if (e <= tolerance - expanded)
        return Decision::Pass;
    if (rule != DecisionRule::FourZone)
        return Decision::Fail;
    if (e <= tolerance)
        return Decision::ConditionalPass;
    if (e <= tolerance + expanded)
        return Decision::ConditionalFail;
    return Decision::Fail;
}

Budget budget(const Inputs &inputs, const Settings &settings)
{
    static const long double Root3 = std::sqrt(3.0L);
    Budget result;
    result.error = inputs.bmr;
    result.tolerance = std::fabs(
        ErrorMath::bmdInCalibratorUnit(inputs.bmd, inputs.rangeUnit, inputs.calibratorUnit));
    result.uCal =
        std::fabs(ErrorMath::bkInCalibratorUnit(inputs.bk, inputs.calibratorUnit)) / Root3;
    result.uRes = std::fabs(Units::toCalibratorUnit(inputs.resolution, inputs.rangeUnit,
                                                    inputs.calibratorUnit)) /
                  (2 * Root3);
    result.expanded =
        roundedUp(2 * std::sqrt(result.uCal * result.uCal + result.uRes * result.uRes));
    if (result.expanded > 0) {
        result.tur = result.tolerance / result.expanded;
        result.belowMinTur = *result.tur < settings.minTur;
    }
    if (settings.rule == DecisionRule::Simple)
        result.decision = ErrorMath::withinTolerance(inputs.bmr, inputs.bmd, inputs.rangeUnit,
                                                     inputs.calibratorUnit)
                              ? Decision::Pass
                              : Decision::Fail;
    else
        result.decision = decide(settings.rule, result.error, result.tolerance, result.expanded);
    return result;
}

Budget budget(const TZakresAmpl &range, const TPunktAmpl &point, long double resolution,
              const Settings &settings)
{
    return pointBudget(point, range.Jm(), resolution, settings);
}

Budget budget(const TZakresCz &range, const TPunktCz &point, long double resolution,
              const Settings &settings)
{
    return pointBudget(point, range.Jm(), resolution, settings);
}

RangeAssessment assess(const TZakresAmpl &range, long double resolution, const Settings &settings)
{
    return assessRange(range, resolution, settings);
}

RangeAssessment assess(const TZakresCz &range, long double resolution, const Settings &settings)
{
    return assessRange(range, resolution, settings);
}

RangeAssessment assess(const TDaneSprawdzania &record, const DocumentExtension &extension,
                       DocumentExtension::Table table, int k, const Settings &settings)
{
    const long double resolution = extension.resolution(table, k);
    if (table == DocumentExtension::Table::Amplitude)
        return assess(record.ZakresyAmpl(k), resolution, settings);
    return assess(record.ZakresyCz(k), resolution, settings);
}

QList<DocumentPoint> assessDocument(const TDaneSprawdzania &record,
                                    const DocumentExtension &extension, const Settings &settings)
{
    QList<DocumentPoint> points;
    for (DocumentExtension::Table table :
         {DocumentExtension::Table::Amplitude, DocumentExtension::Table::Frequency}) {
        for (int k = 1; k <= TDaneSprawdzania::Slots; ++k) {
            const RangeAssessment range = assess(record, extension, table, k, settings);
            for (const RangeAssessment::Point &point : range.points) {
                const QString unit = table == DocumentExtension::Table::Amplitude
                                         ? record.ZakresyAmpl(k).Punkty(point.j).JmBk()
                                         : record.ZakresyCz(k).Punkty(point.j).JmBk();
                points.append({table, k, point.j, unit, point.budget});
            }
        }
    }
    return points;
}

DecisionCounts countDecisions(const TDaneSprawdzania &record, const DocumentExtension &extension,
                              DocumentExtension::Table table)
{
    const Settings settings = Settings::of(extension);
    DecisionCounts counts;
    for (int k = 1; k <= TDaneSprawdzania::Slots; ++k)
        counts = counts + assess(record, extension, table, k, settings).counts;
    return counts;
}

bool isFailing(Decision decision)
{
    return decision == Decision::Fail || decision == Decision::ConditionalFail;
}

QString decisionWord(Decision decision)
{
    switch (decision) {
    case Decision::Pass:
        return QStringLiteral("zgodny");
    case Decision::ConditionalPass:
        return QStringLiteral("warunkowo zgodny");
    case Decision::ConditionalFail:
        return QStringLiteral("warunkowo niezgodny");
    case Decision::Fail:
        break;
    }
    return QStringLiteral("niezgodny");
}

QString decisionKey(Decision decision)
{
    switch (decision) {
    case Decision::Pass:
        return QStringLiteral("pass");
    case Decision::ConditionalPass:
        return QStringLiteral("conditional pass");
    case Decision::ConditionalFail:
        return QStringLiteral("conditional fail");
    case Decision::Fail:
        break;
    }
    return QStringLiteral("fail");
}

QString ruleName(DecisionRule rule)
{
    switch (rule) {
    case DecisionRule::GuardBand:
        return QStringLiteral("Pasmo ochronne");
    case DecisionRule::FourZone:
        return QStringLiteral("Cztery strefy");
    case DecisionRule::Simple:
        break;
    }
    return QStringLiteral("Prosta akceptacja");
}

QString ruleReference(DecisionRule rule)
{
    switch (rule) {
    case DecisionRule::GuardBand:
        return QStringLiteral("ILAC-G8 4.2.2");
    case DecisionRule::FourZone:
        return QStringLiteral("ILAC-G8 4.2.3");
    case DecisionRule::Simple:
        break;
    }
    return QStringLiteral("ILAC-G8 4.2.1");
}

QString turText(long double tur)
{
    return NumberText::fixed(shownTur(tur), 1) + QStringLiteral(":1");
}

QString belowMinTurText(long double minTur)
{
    return QStringLiteral("TUR < ") + NumberText::general(minTur) + QStringLiteral(":1");
}

QString expandedText(long double expanded)
{
    return NumberText::fixed(expanded, expandedDecimals(expanded));
}

QString noResolutionText()
{
    return QStringLiteral("bez składowej rozdzielczości");
}

} // namespace Uncertainty
