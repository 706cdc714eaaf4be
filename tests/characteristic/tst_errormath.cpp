#include "core/calibrator/calibratorranges.h"
#include "core/characteristic/errormath.h"
#include "core/characteristic/uncertainty.h"
#include "core/document/real48.h"
#include "core/document/tdanesprawdzania.h"
#include "tests/support/core/testmain.h"

#include <stdexcept>

namespace {

// What a value becomes once it is stored in the record.
long double stored(long double value)
{
    return Real48::toLongDouble(Real48::fromLongDouble(value));
}

struct MeasuredPoint
{
    long double wm;
    long double nk;
    QString jmBk;
};

// A measured amplitude range with its points, as a run leaves it.
TZakresAmpl measuredRange(TDaneSprawdzania &record, long double zak, const QString &jm,
                          long double kmm, long double kmz, const QString &kmzDod,
                          const QList<MeasuredPoint> &points)
{
    TZakresAmpl range = record.ZakresyAmpl(1);
    range.setZak(zak);
    range.setJm(jm);
    range.setKmm(kmm);
    range.setKmz(kmz);
    range.setKmzDod(kmzDod);
    range.setZmierzony(true);
    int j = 0;
    for (const MeasuredPoint &p : points) {
        TPunktAmpl point = range.Punkty(++j);
        point.setWm(p.wm);
        point.setNk(p.nk);
        point.setJmBk(p.jmBk);
        point.setWpisany(true);
        point.setZmierzony(true);
    }
    return range;
}

bool close(long double a, long double b)
{
    return std::fabs(a - b) <= 1e-12L * std::max<long double>(1, std::fabs(b));
}

} // namespace

class ErrorMathTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decimalsFollowTheRangeCommand_data();
    void decimalsFollowTheRangeCommand();
    void commandsTextsAndUnitsNameTheSameRanges();
    void rangeIsChosenByItsSelectionLimit_data();
    void rangeIsChosenByItsSelectionLimit();
    void calibratorErrorUsesTheDcOrAcColumns();
    void calibratorErrorRowElevenIsZeroAndBeyondIsRefused();
    void unitFactorDependsOnlyOnTheLetterM_data();
    void unitFactorDependsOnlyOnTheLetterM();

    void additiveTermReadsItsUnitLetter_data();
    void additiveTermReadsItsUnitLetter();
    void additiveTermIsBroughtIntoTheRangeUnit();
    void pointErrorsOfAVoltRange();
    void rangePartIsTheSameForEveryPoint();
    void milliRangeMeasuredOnAVoltRangeKeepsBothUnits();
    void unmeasuredRangesAndPointsAreLeftAlone();
    void verdictComparesLikeWithLike_data();
    void verdictComparesLikeWithLike();
    void frequencyRangeErrorsForBothMethods();
    void budgetDecidesByTheRule_data();
    void budgetDecidesByTheRule();
    void expandedUncertaintyRoundsUpToTwoDigits_data();
    void expandedUncertaintyRoundsUpToTwoDigits();
};

void ErrorMathTest::decimalsFollowTheRangeCommand_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("decimals");
    const int expected[] = {4, 6, 5, 4, 3, 6, 5, 4, 6, 5, 4};
    for (int i = 0; i < CalibratorRanges::Count; ++i) {
        const QString command = CalibratorRanges::command(i);
        QTest::newRow(qPrintable(command)) << command << expected[i];
    }
    QTest::newRow("not a range") << QStringLiteral("S") << 4;
}

void ErrorMathTest::decimalsFollowTheRangeCommand()
{
    QFETCH(QString, command);
    QFETCH(int, decimals);
    QCOMPARE(CalibratorRanges::decimalsOfCommand(command), decimals);
    if (const auto index = CalibratorRanges::indexOfCommand(command))
        QCOMPARE(CalibratorRanges::range(*index).decimals, decimals);
}

void ErrorMathTest::commandsTextsAndUnitsNameTheSameRanges()
{
    const QStringList texts{"100mV", "1V",    "10V", "100V", "1000V", "1mA",
                            "10mA",  "100mA", "1A",  "10A",  "100A"};
    for (int i = 0; i < CalibratorRanges::Count; ++i) {
        QCOMPARE(CalibratorRanges::indexOfText(texts[i]), std::optional<int>(i));
        QCOMPARE(CalibratorRanges::indexOfCommand(CalibratorRanges::command(i)),
                 std::optional<int>(i));
        QCOMPARE(Units::unitOfRangeText(texts[i]),
                 QString::fromLatin1(CalibratorRanges::range(i).unit));
    }
    QCOMPARE(CalibratorRanges::command(10), QStringLiteral("Z:"));
    QCOMPARE(CalibratorRanges::indexOfText(QStringLiteral("100 mV")), std::nullopt);
    QCOMPARE(CalibratorRanges::indexOfCommand(QStringLiteral("Z;")), std::nullopt);
    QCOMPARE(CalibratorRanges::settingLimit(4), 1100.0L);
    QCOMPARE(CalibratorRanges::settingLimit(5), 2.05L);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, CalibratorRanges::range(11));
}

void ErrorMathTest::rangeIsChosenByItsSelectionLimit_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<bool>("highCurrent");
    QTest::addColumn<int>("expected"); // -1: no range

    QTest::newRow("1.5 V") << 1.5 << "V" << false << 1;
    QTest::newRow("2.5 V") << 2.5 << "V" << false << 2;
    QTest::newRow("50 mV typed in V") << 0.05 << "V" << false << 0;
    // 0.205 as typed is rounded like the stored limit, so it still fits.
    QTest::newRow("0.205 V, the limit itself") << 0.205 << "V" << false << 0;
    QTest::newRow("just above 0.205 V") << 0.2051 << "V" << false << 1;
    QTest::newRow("1100 V") << 1100.0 << "V" << false << 4;
    QTest::newRow("1101 V") << 1101.0 << "V" << false << -1;
    QTest::newRow("2 mA") << 0.002 << "mA" << false << 5;
    QTest::newRow("20 A") << 20.0 << "A" << false << 9;
    QTest::newRow("30 A without 100 A") << 30.0 << "A" << false << -1;
    QTest::newRow("30 A with 100 A") << 30.0 << "A" << true << 10;
    QTest::newRow("101 A") << 101.0 << "A" << true << -1;
    QTest::newRow("unit without V or A") << 1.0 << "x" << true << -1;
}

void ErrorMathTest::rangeIsChosenByItsSelectionLimit()
{
    QFETCH(double, value);
    QFETCH(QString, unit);
    QFETCH(bool, highCurrent);
    QFETCH(int, expected);
    const auto chosen = CalibratorRanges::chooseRange(value, unit, highCurrent);
    QCOMPARE(chosen.value_or(-1), expected);
}

void ErrorMathTest::calibratorErrorUsesTheDcOrAcColumns()
{
    using CalibratorRanges::calibratorError;
    QVERIFY(close(calibratorError(1, 0, 1), 0.0002408L));
    QVERIFY(close(calibratorError(1, 1, 1), 0.000652L));
    // The frequency runs pass hertz; anything but 0 is AC.
    QVERIFY(close(calibratorError(1, 400, 1), 0.000652L));
    // 50 mV on the 100 mV range goes in as 0.05 V.
    const long double bk = calibratorError(0, 0, 0.05L);
    QVERIFY(close(bk, 0.0000252L));
    QVERIFY(close(calibratorError(10, 1, 50), 50 * 0.002L + 0.0495L));
    QCOMPARE(calibratorError(10, 0, 50), 0.0L);
}

void ErrorMathTest::calibratorErrorRowElevenIsZeroAndBeyondIsRefused()
{
    QCOMPARE(CalibratorRanges::calibratorError(11, 0, 5), 0.0L);
    QCOMPARE(CalibratorRanges::calibratorError(11, 1, 5), 0.0L);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, CalibratorRanges::calibratorError(12, 0, 1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, CalibratorRanges::calibratorError(-1, 0, 1));
}

void ErrorMathTest::unitFactorDependsOnlyOnTheLetterM_data()
{
    QTest::addColumn<QString>("rangeUnit");
    QTest::addColumn<QString>("calibratorUnit");
    QTest::addColumn<double>("factor");
    QTest::newRow("mV on V") << "mV"
                             << "V" << 1000.0;
    QTest::newRow("V on mV") << "V"
                             << "mV" << 0.001;
    QTest::newRow("mV on mV") << "mV"
                              << "mV" << 1.0;
    QTest::newRow("A on A") << "A"
                            << "A" << 1.0;
    QTest::newRow("mA on V, only the m counts") << "mA"
                                                << "V" << 1000.0;
}

void ErrorMathTest::unitFactorDependsOnlyOnTheLetterM()
{
    QFETCH(QString, rangeUnit);
    QFETCH(QString, calibratorUnit);
    QFETCH(double, factor);
    QCOMPARE(double(Units::factor(rangeUnit, calibratorUnit)), factor);
    QCOMPARE(double(Units::toRangeUnit(50, rangeUnit, calibratorUnit)), 50 * factor);
    QCOMPARE(double(Units::toCalibratorUnit(50 * factor, rangeUnit, calibratorUnit)), 50.0);
}

void ErrorMathTest::additiveTermReadsItsUnitLetter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("volts");
    QTest::addColumn<bool>("valid");
    QTest::newRow("2mV") << "2mV" << 0.002 << true;
    QTest::newRow("0.5V") << "0.5V" << 0.5 << true;
    QTest::newRow("3A") << "3A" << 3.0 << true;
    QTest::newRow("1.5mA") << "1.5mA" << 0.0015 << true;
    QTest::newRow("no term") << "0" << 0.0 << true;
    QTest::newRow("number without a unit letter") << "2" << 0.0 << true;
    QTest::newRow("number part that does not read") << "xmV" << 0.0 << false;
    QTest::newRow("empty") << "" << 0.0 << false;
}

void ErrorMathTest::additiveTermReadsItsUnitLetter()
{
    QFETCH(QString, text);
    QFETCH(double, volts);
    QFETCH(bool, valid);
    QVERIFY(close(ErrorMath::additiveTerm(text), volts));
    QCOMPARE(ErrorMath::isValidAdditiveTerm(text), valid);
}

void ErrorMathTest::additiveTermIsBroughtIntoTheRangeUnit()
{
    // 0,5+2mV on a 100mV range: the term is 2 mV, not 0.002 mV.
    QVERIFY(close(ErrorMath::additiveTermInRangeUnit("2mV", "mV"), 2));
    QVERIFY(close(ErrorMath::rangePart(100, 0.5L, "2mV", "mV"), 2.5L));
    // On a volt range the same term stays in volts.
    QVERIFY(close(ErrorMath::rangePart(10, 0.5L, "2mV", "V"), 0.052L));
    QVERIFY(close(ErrorMath::rangePart(10, 0.5L, "2", "V"), 0.05L));

    TDaneSprawdzania record;
    TZakresAmpl range = measuredRange(record, 100, "mV", 0, 0.5L, "2mV", {{50, 50, "mV"}});
    ErrorMath::computeRange(range);
    QCOMPARE(range.Punkty(1).Bmd(), stored(2.5L));
}

void ErrorMathTest::pointErrorsOfAVoltRange()
{
    TDaneSprawdzania record;
    TZakresAmpl range = measuredRange(record, 100, "V", 0.5L, 0, "0", {{100, 99.98L, "V"}});
    ErrorMath::computeRange(range);
    const ConstPunktAmpl point = range.Punkty(1);
    QCOMPARE(point.Bmr(), stored(stored(100) - stored(99.98L)));
    QVERIFY(close(point.Bmr(), 0.02L) || std::fabs(point.Bmr() - 0.02L) < 1e-9L);
    QCOMPARE(point.Bmd(), stored(0.5L));
    QVERIFY(ErrorMath::withinTolerance(range, point));
}

void ErrorMathTest::rangePartIsTheSameForEveryPoint()
{
    TDaneSprawdzania record;
    TZakresAmpl range =
        measuredRange(record, 10, "V", 0, 1, "0", {{1, 1.01L, "V"}, {5, 5, "V"}, {-9, -9.2L, "V"}});
    ErrorMath::computeRange(range);
    for (int j = 1; j <= 3; ++j)
        QCOMPARE(range.Punkty(j).Bmd(), stored(0.1L));
    QVERIFY(ErrorMath::withinTolerance(range, range.Punkty(1)));
    QVERIFY(!ErrorMath::withinTolerance(range, range.Punkty(3)));
}

void ErrorMathTest::milliRangeMeasuredOnAVoltRangeKeepsBothUnits()
{
    TDaneSprawdzania record;
    // A 500 mV range measured on the 1V range: Wm and Nk in volts.
    TZakresAmpl range =
        measuredRange(record, 500, "mV", 0.5L, 0, "0", {{0.4L, 0.3995L, "V"}, {0.4L, 0.399L, "V"}});
    ErrorMath::computeRange(range);
    // Bmd in millivolts, Bmr in volts, exactly as stored.
    QCOMPARE(range.Punkty(1).Bmd(), stored(2));
    QCOMPARE(range.Punkty(1).Bmr(), stored(stored(0.4L) - stored(0.3995L)));
    // 0.5 mV of error against 2 mV allowed; 1 mV against 2 mV.
    QVERIFY(ErrorMath::withinTolerance(range, range.Punkty(1)));
    QVERIFY(ErrorMath::withinTolerance(range, range.Punkty(2)));
}

void ErrorMathTest::unmeasuredRangesAndPointsAreLeftAlone()
{
    TDaneSprawdzania record;
    TZakresAmpl range = measuredRange(record, 10, "V", 1, 1, "0", {{5, 4, "V"}, {5, 4, "V"}});
    range.Punkty(1).setBmr(7);
    range.Punkty(2).setBmr(7);
    range.Punkty(2).setZmierzony(false);
    range.setZmierzony(false);
    const QByteArray before = record.toBytes();
    ErrorMath::computeRange(range);
    QCOMPARE(record.toBytes(), before);

    range.setZmierzony(true);
    ErrorMath::computeRange(range);
    QCOMPARE(range.Punkty(1).Bmr(), 1.0L);
    QCOMPARE(range.Punkty(2).Bmr(), 7.0L);
}

void ErrorMathTest::verdictComparesLikeWithLike_data()
{
    QTest::addColumn<double>("bmr");
    QTest::addColumn<double>("bmd");
    QTest::addColumn<QString>("rangeUnit");
    QTest::addColumn<QString>("calibratorUnit");
    QTest::addColumn<bool>("within");

    QTest::newRow("equal is within") << 0.3 << 0.3 << "V"
                                     << "V" << true;
    QTest::newRow("negative equal is within") << -0.3 << 0.3 << "V"
                                              << "V" << true;
    QTest::newRow("just beyond") << -0.31 << 0.3 << "V"
                                 << "V" << false;
    // Bmr 1 mV (stored in V) against Bmd 0.25 mV (stored in mV).
    QTest::newRow("mV range on V calibrator, beyond") << 0.001 << 0.25 << "mV"
                                                      << "V" << false;
    QTest::newRow("mV range on V calibrator, within") << 0.0002 << 0.25 << "mV"
                                                      << "V" << true;
    QTest::newRow("mV range on V calibrator, equal") << 0.02 << 20.0 << "mV"
                                                     << "V" << true;
    // Bmr 0.5 mV (stored in mV) against Bmd 1.25 mV (stored as 0.00125 V).
    QTest::newRow("V range on mV calibrator, within") << 0.5 << 0.00125 << "V"
                                                      << "mV" << true;
    QTest::newRow("V range on mV calibrator, beyond") << 1.3 << 0.00125 << "V"
                                                      << "mV" << false;
}

void ErrorMathTest::verdictComparesLikeWithLike()
{
    QFETCH(double, bmr);
    QFETCH(double, bmd);
    QFETCH(QString, rangeUnit);
    QFETCH(QString, calibratorUnit);
    QFETCH(bool, within);
    QCOMPARE(ErrorMath::withinTolerance(stored(bmr), stored(bmd), rangeUnit, calibratorUnit),
             within);
}

void ErrorMathTest::frequencyRangeErrorsForBothMethods()
{
    TDaneSprawdzania record;
    // Exact reading: the range's amplitude is the indication, the points
    // hold calibrator settings.
    TZakresCz analog = record.ZakresyCzDO(1);
    analog.setZak(10);
    analog.setJm("V");
    analog.setNkDN_WmDO(8);
    analog.setKmm(1);
    analog.setKmz(0.5L);
    analog.setKmzDod("0");
    analog.setZmierzony(true);
    TPunktCz p = analog.Punkty(1);
    p.setWmDN_NkDO(7.9L);
    p.setJmBk("V");
    p.setWpisany(true);
    p.setZmierzony(true);
    ErrorMath::computeRange(analog, true);
    QCOMPARE(p.Bmr(), stored(stored(8) - stored(7.9L)));
    QCOMPARE(p.Bmd(), stored(0.08L + 0.05L));
    QVERIFY(ErrorMath::withinTolerance(analog, p));

    // Exact setting on a millivolt range with an additive term in mV: the
    // term counts in millivolts.
    TZakresCz digital = record.ZakresyCzDN(1);
    digital.setZak(100);
    digital.setJm("mV");
    digital.setNkDN_WmDO(50);
    digital.setKmm(1);
    digital.setKmz(0);
    digital.setKmzDod("2mV");
    digital.setZmierzony(true);
    TPunktCz q = digital.Punkty(1);
    q.setWmDN_NkDO(52.5L);
    q.setJmBk("mV");
    q.setWpisany(true);
    q.setZmierzony(true);
    ErrorMath::computeRange(digital, false);
    QCOMPARE(q.Bmr(), stored(2.5L));
    QCOMPARE(q.Bmd(), stored(0.525L + 2));
    QVERIFY(ErrorMath::withinTolerance(digital, q));
}

void ErrorMathTest::budgetDecidesByTheRule_data()
{
    QTest::addColumn<DecisionRule>("rule");
    // The error is edge * U + T + beyond, or beyond alone for edge 2.
    QTest::addColumn<int>("edge");
    QTest::addColumn<double>("beyond");
    QTest::addColumn<double>("bmd");
    QTest::addColumn<double>("bk");
    QTest::addColumn<QString>("jm");
    QTest::addColumn<double>("resolution");
    QTest::addColumn<double>("expanded");
    QTest::addColumn<double>("tur"); // as shown; -1 for none
    QTest::addColumn<Decision>("decision");
    QTest::addColumn<bool>("below");

    constexpr auto S = DecisionRule::Simple, G = DecisionRule::GuardBand,
                   F = DecisionRule::FourZone;
    constexpr auto Pass = Decision::Pass, CPass = Decision::ConditionalPass,
                   CFail = Decision::ConditionalFail, Fail = Decision::Fail;
    // T 0.01 V; a resolution of 3.3775 mV alone gives U 0.00195 V, 0.0020
    // rounded up.
    const double r = 0.0033775;
    const QString V = QStringLiteral("V");
    struct Edge
    {
        const char *name;
        DecisionRule rule;
        int edge;
        double beyond;
        Decision decision;
    };
    const Edge edges[] = {
        {"simple at T", S, 0, 0, Pass},
        {"simple beyond T", S, 0, 1e-9, Fail},
        {"guard at T - U", G, -1, 0, Pass},
        {"guard beyond T - U", G, -1, 1e-9, Fail},
        {"guard at T", G, 0, 0, Fail},
        {"four at T - U", F, -1, 0, Pass},
        {"four beyond T - U", F, -1, 1e-9, CPass},
        {"four at T", F, 0, 0, CPass},
        {"four beyond T", F, 0, 1e-9, CFail},
        {"four at T + U", F, 1, 0, CFail},
        {"four beyond T + U", F, 1, 1e-9, Fail},
    };
    for (const Edge &e : edges)
        QTest::newRow(e.name) << e.rule << e.edge << e.beyond << 0.01 << 0.0 << V << r << 0.002
                              << 5.0 << e.decision << false;
    QTest::newRow("T - U below 0, guard")
        << G << 2 << 0.0 << 0.001 << 0.0 << V << r << 0.002 << 0.5 << Fail << true;
    QTest::newRow("T - U below 0, four")
        << F << 2 << 0.0 << 0.001 << 0.0 << V << r << 0.002 << 0.5 << CPass << true;
    // 2 * 0.0002408 / sqrt(3) = 0.000278.
    QTest::newRow("r = 0") << S << 2 << 0.0012 << 0.0025 << 0.0002408 << V << 0.0 << 0.00028 << 8.9
                           << Pass << false;
    QTest::newRow("U = 0") << F << 0 << 0.0 << 0.0025 << 0.0 << V << 0.0 << 0.0 << -1.0 << Pass
                           << false;
    for (const DecisionRule rule : {S, G, F})
        QTest::newRow(qPrintable("example 1, " + DecisionRules::key(rule)))
            << rule << 2 << 0.0012 << 0.0025 << 0.0002408 << V << 0.001 << 0.00065 << 3.8 << Pass
            << true;
    // A 300 mV range measured on the 1V range: Bmd and r in mV.
    const std::pair<DecisionRule, Decision> example2[] = {{S, Pass}, {G, Fail}, {F, CPass}};
    for (const auto &[rule, decision] : example2)
        QTest::newRow(qPrintable("example 2, " + DecisionRules::key(rule)))
            << rule << 2 << 0.0015 << 1.5575 << 0.0000908 << QStringLiteral("mV") << 0.1 << 0.00012
            << 12.9 << decision << false;
}

void ErrorMathTest::budgetDecidesByTheRule()
{
    QFETCH(DecisionRule, rule);
    QFETCH(int, edge);
    QFETCH(double, beyond);
    QFETCH(double, bmd);
    QFETCH(double, bk);
    QFETCH(QString, jm);
    QFETCH(double, resolution);
    QFETCH(double, expanded);
    QFETCH(double, tur);
    QFETCH(Decision, decision);
    QFETCH(bool, below);

    const Uncertainty::Settings settings{rule, 4};
    Uncertainty::Inputs inputs{0, bmd, bk, jm, QStringLiteral("V"), resolution};
    const Uncertainty::Budget edges = Uncertainty::budget(inputs, settings);
    inputs.bmr = (edge == 2 ? 0 : edges.tolerance + edge * edges.expanded) + beyond;
    const Uncertainty::Budget budget = Uncertainty::budget(inputs, settings);
    QCOMPARE(double(budget.expanded), expanded);
    QCOMPARE(budget.tur ? double(Uncertainty::shownTur(*budget.tur)) : -1.0, tur);
    QCOMPARE(budget.decision, decision);
    QCOMPARE(budget.belowMinTur, below);
    // Simple acceptance is the verdict, whatever the uncertainty.
    if (rule == DecisionRule::Simple)
        QCOMPARE(budget.decision == Decision::Pass,
                 ErrorMath::withinTolerance(inputs.bmr, bmd, jm, QStringLiteral("V")));
}

void ErrorMathTest::expandedUncertaintyRoundsUpToTwoDigits_data()
{
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("rounded");
    QTest::addColumn<QString>("text");
    QTest::newRow("up") << 0.000281 << 0.00029 << "0,00029";
    QTest::newRow("two digits stay") << 0.00028 << 0.00028 << "0,00028";
    QTest::newRow("to the next decade") << 0.000991 << 0.001 << "0,0010";
    QTest::newRow("above one") << 12.01 << 13.0 << "13";
    QTest::newRow("hundreds") << 123.0 << 130.0 << "130";
    QTest::newRow("none") << 0.0 << 0.0 << "0";
}

void ErrorMathTest::expandedUncertaintyRoundsUpToTwoDigits()
{
    QFETCH(double, u);
    QFETCH(double, rounded);
    QFETCH(QString, text);
    QCOMPARE(double(Uncertainty::roundedUp(u)), rounded);
    QCOMPARE(Uncertainty::expandedText(Uncertainty::roundedUp(u)), text);
}

ORVANE_TEST_MAIN(ErrorMathTest)
#include "tst_errormath.moc"
