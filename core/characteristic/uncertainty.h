#pragma once

#include "core/document/documentextension.h"
#include "core/document/tdanesprawdzania.h"

#include <QList>
#include <QString>

#include <optional>

// The conformity decision of a measured point under a decision rule.
enum class Decision { Pass, ConditionalPass, ConditionalFail, Fail };

// How many measured points got each decision.
struct DecisionCounts
{
    int pass = 0;
    int conditionalPass = 0;
    int conditionalFail = 0;
    int fail = 0;

    void add(Decision decision);
    int total() const { return pass + conditionalPass + conditionalFail + fail; }
    DecisionCounts operator+(const DecisionCounts &other) const
    {
        return {pass + other.pass, conditionalPass + other.conditionalPass,
                conditionalFail + other.conditionalFail, fail + other.fail};
    }
    bool operator==(const DecisionCounts &) const = default;
};

// How sure the verdict of a measured point is, for both characteristics:
// its expanded uncertainty U, its accuracy ratio (TUR) and its decision
// under the document's rule. Everything that judges a point (the grids'
// colours, the report's star, the errors chart, the workbook, the
// "Niepewność" tab, orvane707-cal assess, the register) judges through here.
//
// All quantities are in the point's calibrator unit JmBk, like Bmr:
// - e = Bmr;
// - T = |Bmd| / F, Bmd brought into the calibrator unit;
// - u_cal = |Bk| in the calibrator unit (Bk times 1000 for a milli unit) /
//   √3: the calibrator's accuracy, taken as a rectangular distribution;
// - u_res = r in the calibrator unit / (2√3), r being the meter's
//   resolution on the range, typed in the range unit; none when r is 0;
// - U = 2 √(u_cal² + u_res²) (k = 2, about 95 %), rounded up to two
//   significant digits;
// - TUR = T / U with that U; none when U is 0.
// Simple acceptance is the verdict the program always had, decided by the
// very same function (ErrorMath::withinTolerance), which also decides for
// the other rules whether an error is within T itself; the guard band and
// the four zones compare with T moved by w = U.
namespace Uncertainty {

// The rule and the minimum accuracy ratio points are judged under.
struct Settings
{
    DecisionRule rule = DecisionRule::Simple;
    long double minTur = DocumentExtension::DefaultMinTur;

    static Settings of(const DocumentExtension &extension);
};

// A point's values as the record holds them.
struct Inputs
{
    long double bmr = 0;
    long double bmd = 0; // in the range unit, as stored
    long double bk = 0;  // in volts or amperes, as stored
    QString rangeUnit;
    QString calibratorUnit;
    long double resolution = 0; // in the range unit; 0 when not given
};

struct Budget
{
    long double error = 0;
    long double tolerance = 0;
    long double uCal = 0;
    long double uRes = 0;
    long double expanded = 0;
    std::optional<long double> tur;
    Decision decision = Decision::Pass;
    bool belowMinTur = false;
};

// Up to two significant digits: 0.000281 becomes 0.00029, 0.00028 stays.
long double roundedUp(long double u);
// The ratio with one decimal, rounded down: 3.846 shows as 3.8.
long double shownTur(long double tur);
// The decimals that show U with its two significant digits (0,00065,
// 0,0010).
int expandedDecimals(long double expanded);

Budget budget(const Inputs &inputs, const Settings &settings);
Budget budget(ConstZakresAmpl range, ConstPunktAmpl point, long double resolution,
              const Settings &settings);
Budget budget(ConstZakresCz range, ConstPunktCz point, long double resolution,
              const Settings &settings);

// How the points of one range are judged: the document's rule and the
// meter's resolution on that range.
struct RangeJudging
{
    Settings settings;
    long double resolution = 0;

    static RangeJudging of(const DocumentExtension &extension, Characteristic characteristic,
                           int k);
    Budget budget(ConstZakresAmpl range, ConstPunktAmpl point) const
    {
        return Uncertainty::budget(range, point, resolution, settings);
    }
    Budget budget(ConstZakresCz range, ConstPunktCz point) const
    {
        return Uncertainty::budget(range, point, resolution, settings);
    }
};

// The measured points of a range (a measured range's points that are both
// defined and measured) with their budgets, the count per decision and the
// lowest ratio.
struct RangeAssessment
{
    struct Point
    {
        int j = 0;
        Budget budget;
    };
    QList<Point> points;
    DecisionCounts counts;
    std::optional<long double> lowestTur;
};

RangeAssessment assess(ConstZakresAmpl range, long double resolution, const Settings &settings);
RangeAssessment assess(ConstZakresCz range, long double resolution, const Settings &settings);

// Every measured point of the document: the amplitude ranges first, then
// the frequency array its Typ uses, ranges and points in order.
struct DocumentPoint
{
    Characteristic characteristic = Characteristic::Amplitude;
    int range = 0;
    int point = 0;
    Budget budget;
};
QList<DocumentPoint> assessDocument(const TDaneSprawdzania &record,
                                    const DocumentExtension &extension, const Settings &settings);

// The points of one characteristic of the document per decision, under its rule.
DecisionCounts countDecisions(const TDaneSprawdzania &record, const DocumentExtension &extension,
                              Characteristic characteristic);

// What the report marks with its star and red: "fail" and "conditional
// fail".
bool isFailing(Decision decision);
// "zgodny", "warunkowo zgodny", "warunkowo niezgodny", "niezgodny".
QString decisionWord(Decision decision);
// "pass", "conditional pass", "conditional fail", "fail".
QString decisionKey(Decision decision);
// "Prosta akceptacja", "Pasmo ochronne", "Cztery strefy".
QString ruleName(DecisionRule rule);
// "ILAC-G8 4.2.1", "ILAC-G8 4.2.2", "ILAC-G8 4.2.3".
QString ruleReference(DecisionRule rule);
// "3,8:1".
QString turText(long double tur);
// "TUR < 4:1".
QString belowMinTurText(long double minTur);
// U with its two significant digits and a decimal comma: "0,00065".
QString expandedText(long double expanded);
// What the outputs say when the range has no resolution.
QString noResolutionText();

} // namespace Uncertainty
