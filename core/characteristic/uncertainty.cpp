#include "core/characteristic/uncertainty.h"

#include "core/calibrator/calibratorranges.h"
#include "core/characteristic/errormath.h"
#include "core/characteristic/numbertext.h"
#include "core/document/tdanesprawdzania.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

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
constexpr double Slack = 1e-9;

// Powers of ten from 10^-Lowest on: a budget is worked out for every point
// whenever the grid is painted, and looking them up costs a fraction of
// computing them. U is worked out in double: its last bits fall under the
// slack of its rounding, and long double's rounding modes cost more than
// the whole of the rest.
constexpr int Lowest = 40;

const std::array<double, 2 * Lowest + 1> &powersOfTen()
{
    static const std::array<double, 2 *Lowest + 1> characteristic = [] {
        std::array<double, 2 * Lowest + 1> powers{};
        for (int i = 0; i <= 2 * Lowest; ++i)
            powers[i] = std::pow(10.0, i - Lowest);
        return powers;
    }();
    return characteristic;
}

double power(int exponent)
{
    if (exponent < -Lowest || exponent > Lowest)
        return std::pow(10.0, exponent);
    return powersOfTen()[exponent + Lowest];
}

// The exponent of the leading digit: -4 for 0.00065, -3 for 0.001 even when
// it comes out a hair below.
int leadingExponent(double value)
{
    const auto &powers = powersOfTen();
    const double nudged = value * (1 + 1e-12);
    if (!(nudged >= powers.front() && nudged < powers.back()))
        return int(std::floor(std::log10(nudged)));
    // The binary exponent, straight from the double's bits, gives the
    // decade within one either way.
    const int binary = int((std::bit_cast<std::uint64_t>(nudged) >> 52) & 0x7FF) - 1023;
    int index =
        std::clamp(int(std::floor(binary * 0.30102999566398120)) + Lowest, 0, 2 * Lowest - 1);
    while (index > 0 && powers[index] > nudged)
        --index;
    while (index < 2 * Lowest && powers[index + 1] <= nudged)
        ++index;
    return index - Lowest;
}

// A point's values as the record holds them, its units told by whether
// each is milli.
struct Raw
{
    long double bmr = 0;
    long double bmd = 0;
    long double bk = 0;
    bool rangeMilli = false;
    bool calibratorMilli = false;
};

// The point's calibrator unit, read off the record's bytes: a budget is
// worked out for every point whenever the grid is painted, and a text made
// of every unit would cost more than all the arithmetic.
template <typename Point> bool calibratorMilli(const Point &point)
{
    const std::uint8_t *field = point.bytes() + Point::Field::JmBk;
    return Units::isMilli(reinterpret_cast<const char *>(field + 1),
                          std::min<int>(field[0], RecordLayout::JmBkLength));
}

template <typename Point> Raw rawOf(const Point &point, bool rangeMilli)
{
    return {point.Bmr(), point.Bmd(), point.Bk(), rangeMilli, calibratorMilli(point)};
}

// Whether the error is within T itself is the verdict's to say, under every
// rule: simple acceptance is that verdict, and a conditional pass of four
// zones is a pass of it. Only T moved by U is compared here.
Decision decideRaw(const Raw &raw, DecisionRule rule, long double tolerance, long double expanded)
{
    const long double e = std::fabs(raw.bmr);
    auto within = [&](int side) {
        if (side == 0 || expanded == 0)
            return ErrorMath::withinTolerance(raw.bmr, raw.bmd, raw.rangeMilli,
                                              raw.calibratorMilli);
        return e <= tolerance + side * expanded;
    };
    if (rule == DecisionRule::Simple)
        return within(0) ? Decision::Pass : Decision::Fail;
    if (within(-1))
        return Decision::Pass;
    if (rule == DecisionRule::GuardBand)
        return Decision::Fail;
    if (within(0))
        return Decision::ConditionalPass;
    if (within(1))
        return Decision::ConditionalFail;
    return Decision::Fail;
}

Budget budgetOf(const Raw &raw, long double resolution, const Settings &settings)
{
    static const double InverseRoot3 = 1 / std::sqrt(3.0);
    const long double f = Units::factor(raw.rangeMilli, raw.calibratorMilli);
    Budget result;
    result.error = raw.bmr;
    result.tolerance = f == 1 ? std::fabs(raw.bmd) : std::fabs(raw.bmd) / f;
    // Bk is kept in volts or amperes.
    const double uCal =
        std::fabs(static_cast<double>(raw.bk)) * (raw.calibratorMilli ? 1000 : 1) * InverseRoot3;
    const double uRes =
        resolution == 0 ? 0 : std::fabs(static_cast<double>(resolution / f)) * InverseRoot3 / 2;
    result.uCal = uCal;
    result.uRes = uRes;
    result.expanded = roundedUp(2 * (uRes == 0 ? uCal : std::sqrt(uCal * uCal + uRes * uRes)));
    if (result.expanded > 0) {
        result.tur = result.tolerance / result.expanded;
        result.belowMinTur = *result.tur < settings.minTur;
    }
    result.decision = decideRaw(raw, settings.rule, result.tolerance, result.expanded);
    return result;
}

// The measured points of a range, a measured range's points both defined
// and measured, each with its budget.
template <typename Range, typename Visit>
void forEachMeasured(const Range &range, long double resolution, const Settings &settings,
                     Visit visit)
{
    if (range.isEmpty() || !range.Zmierzony())
        return;
    const bool rangeMilli = Units::isMilli(range.Jm());
    for (int j = 1; j <= TDaneSprawdzania::Slots; ++j) {
        const auto point = range.Punkty(j);
        if (point.Wpisany() && point.Zmierzony())
            visit(j, budgetOf(rawOf(point, rangeMilli), resolution, settings));
    }
}

template <typename Visit>
void forEachMeasured(const TDaneSprawdzania &record, Characteristic characteristic, int k,
                     long double resolution, const Settings &settings, Visit visit)
{
    if (characteristic == Characteristic::Amplitude)
        forEachMeasured(record.ZakresyAmpl(k), resolution, settings, visit);
    else
        forEachMeasured(record.ZakresyCz(k), resolution, settings, visit);
}

template <typename Range>
RangeAssessment assessRange(const Range &range, long double resolution, const Settings &settings)
{
    RangeAssessment assessment;
    forEachMeasured(range, resolution, settings, [&](int j, const Budget &budget) {
        assessment.counts.add(budget.decision);
        if (budget.tur && (!assessment.lowestTur || *budget.tur < *assessment.lowestTur))
            assessment.lowestTur = budget.tur;
        assessment.points.append({j, budget});
    });
    return assessment;
}

constexpr Characteristic Characteristics[] = {Characteristic::Amplitude, Characteristic::Frequency};

} // namespace

Settings Settings::of(const DocumentExtension &extension)
{
    return {extension.decisionRule(), extension.minTur()};
}

RangeJudging RangeJudging::of(const DocumentExtension &extension, Characteristic characteristic,
                              int k)
{
    return {Settings::of(extension), extension.resolution(characteristic, k)};
}

long double roundedUp(long double value)
{
    const double u = static_cast<double>(value);
    if (!(u > 0) || !std::isfinite(u))
        return 0;
    const int place = leadingExponent(u) - 1;
    const double digits = std::ceil(u * power(-place) - Slack);
    if (place >= 0)
        return digits * power(place);
    // Divided by a power of ten it holds exactly: the nearest double to the
    // decimal, 0.00029 and not 0.00029000000000000001.
    return digits / power(-place);
}

long double shownTur(long double tur)
{
    return std::floor(10 * tur + Slack) / 10;
}

int expandedDecimals(long double expanded)
{
    if (!(expanded > 0))
        return 0;
    return std::max(0, 1 - leadingExponent(static_cast<double>(expanded)));
}

Budget budget(const Inputs &inputs, const Settings &settings)
{
    return budgetOf(Raw{inputs.bmr, inputs.bmd, inputs.bk, Units::isMilli(inputs.rangeUnit),
                        Units::isMilli(inputs.calibratorUnit)},
                    inputs.resolution, settings);
}

Budget budget(ConstZakresAmpl range, ConstPunktAmpl point, long double resolution,
              const Settings &settings)
{
    return budgetOf(rawOf(point, Units::isMilli(range.Jm())), resolution, settings);
}

Budget budget(ConstZakresCz range, ConstPunktCz point, long double resolution,
              const Settings &settings)
{
    return budgetOf(rawOf(point, Units::isMilli(range.Jm())), resolution, settings);
}

RangeAssessment assess(ConstZakresAmpl range, long double resolution, const Settings &settings)
{
    return assessRange(range, resolution, settings);
}

RangeAssessment assess(ConstZakresCz range, long double resolution, const Settings &settings)
{
    return assessRange(range, resolution, settings);
}

QList<DocumentPoint> assessDocument(const TDaneSprawdzania &record,
                                    const DocumentExtension &extension, const Settings &settings)
{
    QList<DocumentPoint> points;
    points.reserve(qsizetype{2} * TDaneSprawdzania::Slots * TDaneSprawdzania::Slots);
    for (Characteristic characteristic : Characteristics) {
        const std::array<long double, 35> resolutions = extension.resolutions(characteristic);
        for (int k = 1; k <= TDaneSprawdzania::Slots; ++k)
            forEachMeasured(record, characteristic, k, resolutions[k - 1], settings,
                            [&](int j, const Budget &budget) {
                                points.append({characteristic, k, j, budget});
                            });
    }
    return points;
}

DecisionCounts countDecisions(const TDaneSprawdzania &record, const DocumentExtension &extension,
                              Characteristic characteristic)
{
    const Settings settings = Settings::of(extension);
    const std::array<long double, 35> resolutions = extension.resolutions(characteristic);
    DecisionCounts counts;
    for (int k = 1; k <= TDaneSprawdzania::Slots; ++k)
        forEachMeasured(record, characteristic, k, resolutions[k - 1], settings,
                        [&](int, const Budget &budget) { counts.add(budget.decision); });
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

QString ruleStatement(DecisionRule rule)
{
    switch (rule) {
    case DecisionRule::GuardBand:
        return QStringLiteral("z pasmem ochronnym w = U punkt jest zgodny, gdy wartość "
                              "bezwzględna błędu e nie przekracza T − U, a niezgodny w pozostałych "
                              "przypadkach.");
    case DecisionRule::FourZone:
        return QStringLiteral("z pasmem ochronnym w = U punkt jest zgodny, gdy wartość "
                              "bezwzględna błędu e nie przekracza T − U; warunkowo zgodny, gdy nie "
                              "przekracza T; warunkowo niezgodny, gdy nie przekracza T + U; "
                              "niezgodny w pozostałych przypadkach.");
    case DecisionRule::Simple:
        break;
    }
    return QStringLiteral("punkt jest zgodny, gdy wartość bezwzględna błędu e nie przekracza "
                          "błędu dopuszczalnego T, a niezgodny, gdy go przekracza; niepewności "
                          "pomiaru nie uwzględnia się w decyzji.");
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
