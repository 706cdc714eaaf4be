#include "core/base/errors.h"
#include "core/characteristic/amplitudecells.h"
#include "core/characteristic/gridtags.h"
#include "core/characteristic/numbertext.h"
#include "core/characteristic/rowscroller.h"
#include "core/document/real48.h"
#include "core/document/tdanesprawdzania.h"
#include "tests/support/core/testmain.h"

namespace {

long double stored(long double value)
{
    return Real48::toLongDouble(Real48::fromLongDouble(value));
}

} // namespace

class AmplitudeCellsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tagsEncodeColumnAndRow();

    void rangeTextsGiveTheirUnit_data();
    void rangeTextsGiveTheirUnit();
    void rangeValueIsStoredWithItsUnit_data();
    void rangeValueIsStoredWithItsUnit();
    void rangeTextWithoutUnitStoresNothing();
    void rangeNumberThatDoesNotReadIsAnError();

    void classTexts_data();
    void classTexts();
    void refusedClassTextsStoreNothing_data();
    void refusedClassTextsStoreNothing();
    void classesShowAtMostSixCharacters();
    void summaryRepeatsTheRangeInWords();

    void pointsAreTypedRemovedOrRefused();
    void retypedMeasuredPointIsNoLongerMeasured();
    void negativeSettingOfADigitalMeterIsRefused();
    void ticksOnAndOffTouchOnlyDefinedPoints();
    void frequencyItemsAndUserFrequencies();

    void fullRowShowsTheVerdictInColour();

    void rowsThatFitAndTheBars();
    void openingTheRowAfterAFullGridMakesItReachable();
    void resizeStepsByRowsAndPullsTheBarBack();
};

void AmplitudeCellsTest::tagsEncodeColumnAndRow()
{
    using namespace AmplitudeTags;
    const GridTags amplitude = AmplitudeTags::Tags;
    QCOMPARE(amplitude.rangeTag(ValueColumn, 1), 101);
    QCOMPARE(amplitude.rangeTag(ClassRangeColumn, 35), 435);
    QCOMPARE(amplitude.pointTag(WmColumn, 1), 1011);
    QCOMPARE(amplitude.pointTag(NkColumn, 7), 1072);
    QCOMPARE(amplitude.pointTag(TickColumn, 35), 1358);
    // The frequency grid is the same scheme from other bases: Zak_Cz1, the
    // class of range 35, the measured value, list and tick of points.
    const GridTags frequency = FrequencyTags::Tags;
    QCOMPARE(frequency.rangeTag(1, 1), 2101);
    QCOMPARE(frequency.rangeTag(4, 35), 2435);
    QCOMPARE(frequency.pointTag(1, 1), 3011);
    QCOMPARE(frequency.pointTag(2, 1), 3012);
    QCOMPARE(frequency.pointTag(8, 35), 3358);
    for (const GridTags &tags : {amplitude, frequency}) {
        for (int row = 1; row <= GridTags::Rows; ++row) {
            for (int column = 1; column <= GridTags::RangeColumns; ++column) {
                const int tag = tags.rangeTag(column, row);
                QVERIFY(tags.isRangeTag(tag) && !tags.isPointTag(tag));
                QCOMPARE(tags.rangeRow(tag), row);
                QCOMPARE(tags.rangeColumn(tag), column);
            }
            for (int column = 1; column <= GridTags::PointColumns; ++column) {
                const int tag = tags.pointTag(column, row);
                QVERIFY(tags.isPointTag(tag) && !tags.isRangeTag(tag));
                QCOMPARE(tags.pointRow(tag), row);
                QCOMPARE(tags.pointColumn(tag), column);
            }
        }
    }
    QVERIFY(!amplitude.isRangeTag(100) && !amplitude.isRangeTag(136) &&
            !amplitude.isPointTag(1010) && !amplitude.isPointTag(1019));
    QVERIFY(!frequency.isRangeTag(101) && !frequency.isPointTag(1011));
    QCOMPARE(entryColumn(false), int(WmColumn));
    QCOMPARE(entryColumn(true), int(NkColumn));
}

void AmplitudeCellsTest::rangeTextsGiveTheirUnit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("unit");
    QTest::newRow("100mV") << "100mV"
                           << "mV";
    QTest::newRow("10mA") << "10mA"
                          << "mA";
    QTest::newRow("1,5A") << "1,5A"
                          << "A";
    QTest::newRow("10V") << "10V"
                         << "V";
    QTest::newRow("2mA5") << "2mA5"
                          << "mA";
    QTest::newRow("no unit") << "100"
                             << "";
    QTest::newRow("empty") << ""
                           << "";
}

void AmplitudeCellsTest::rangeTextsGiveTheirUnit()
{
    QFETCH(QString, text);
    QFETCH(QString, unit);
    QCOMPARE(AmplitudeCells::unitOfRangeText(text), unit);
}

void AmplitudeCellsTest::rangeValueIsStoredWithItsUnit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("zak");
    QTest::addColumn<QString>("jm");
    QTest::newRow("100mV") << "100mV" << 100.0 << "mV";
    QTest::newRow("1,5A") << "1,5A" << 1.5 << "A";
    QTest::newRow("2mA") << "2mA" << 2.0 << "mA";
    QTest::newRow("1000V") << "1000V" << 1000.0 << "V";
    // Stored as a six-byte real it is not exactly 2.05, and still reads back
    // as typed.
    QTest::newRow("2,05V") << "2,05V" << 2.05 << "V";
}

void AmplitudeCellsTest::rangeValueIsStoredWithItsUnit()
{
    QFETCH(QString, text);
    QFETCH(double, zak);
    QFETCH(QString, jm);
    TDaneSprawdzania record;
    const auto outcome = AmplitudeCells::leaveRangeValue(record.ZakresyAmpl(1), text);
    QVERIFY(outcome.message.isEmpty());
    QVERIFY(outcome.changed);
    QCOMPARE(record.ZakresyAmpl(1).Zak(), stored(zak));
    QCOMPARE(record.ZakresyAmpl(1).Jm(), jm);
    QCOMPARE(AmplitudeCells::rangeValueText(record.ZakresyAmpl(1)), text);
}

void AmplitudeCellsTest::rangeTextWithoutUnitStoresNothing()
{
    TDaneSprawdzania record;
    record.ZakresyAmpl(1).setZak(10);
    record.ZakresyAmpl(1).setJm("V");
    const QByteArray before = record.toBytes();
    for (const QString &text : {QString(), QStringLiteral("250"), QStringLiteral("abc")}) {
        const auto outcome = AmplitudeCells::leaveRangeValue(record.ZakresyAmpl(1), text);
        QCOMPARE(outcome.message, QStringLiteral("Źle podana jednostka!"));
        QVERIFY(outcome.refocus);
        QVERIFY(!outcome.changed);
        QCOMPARE(record.toBytes(), before);
    }
}

void AmplitudeCellsTest::rangeNumberThatDoesNotReadIsAnError()
{
    TDaneSprawdzania record;
    const QByteArray before = record.toBytes();
    for (const QString &text : {QStringLiteral("2mA5"), QStringLiteral("1.5V"),
                                QStringLiteral("mV"), QStringLiteral("1 000V")}) {
        try {
            AmplitudeCells::leaveRangeValue(record.ZakresyAmpl(1), text);
            QFAIL(qPrintable(text + " was taken"));
        } catch (const EConvertError &error) {
            QCOMPARE(error.message(), QStringLiteral("Źle wprowadzona dana"));
        }
        QCOMPARE(record.toBytes(), before);
    }
}

void AmplitudeCellsTest::classTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("kmz");
    QTest::addColumn<QString>("kmzDod");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("summary");
    QTest::newRow("with a term") << "0,5+2mV" << 0.5 << "2mV"
                                 << "0,5+2mV"
                                 << "0,5% zakresu+2mV";
    QTest::newRow("term with a comma") << "0,5+0,2" << 0.5 << "0.2"
                                       << "0,5+0,2"
                                       << "0,5% zakresu+0,2";
    QTest::newRow("without a term") << "1,5" << 1.5 << "0"
                                    << "1,5"
                                    << "1,5% zakresu";
    QTest::newRow("dot") << "2.5" << 2.5 << "0"
                         << "2,5"
                         << "2,5% zakresu";
    QTest::newRow("term cut to 7") << "1+123456789" << 1.0 << "1234567"
                                   << "1+1234567"
                                   << "1% zakresu+1234567";
}

void AmplitudeCellsTest::classTexts()
{
    QFETCH(QString, text);
    QFETCH(double, kmz);
    QFETCH(QString, kmzDod);
    QFETCH(QString, shown);
    QFETCH(QString, summary);
    TDaneSprawdzania record;
    TZakresAmpl range = record.ZakresyAmpl(1);
    const auto outcome = AmplitudeCells::leaveClassRange(range, text);
    QVERIFY(outcome.message.isEmpty());
    QCOMPARE(range.Kmz(), stored(kmz));
    QCOMPARE(range.KmzDod(), kmzDod);
    QCOMPARE(AmplitudeCells::classRangeText(range), shown);
    QCOMPARE(AmplitudeCells::summary("10V", "DC", "0,5", shown).kmz, summary);

    QVERIFY(AmplitudeCells::leaveClassMeasured(range, "0,25").message.isEmpty());
    QCOMPARE(range.Kmm(), stored(0.25L));
}

void AmplitudeCellsTest::refusedClassTextsStoreNothing_data()
{
    QTest::addColumn<bool>("ofRange");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty, measured value") << false << "";
    QTest::newRow("not a number, measured value") << false << "pół";
    QTest::newRow("empty, range") << true << "";
    QTest::newRow("not a number, range") << true << "x";
    QTest::newRow("class before + not a number") << true << "x+2mV";
    QTest::newRow("nothing after +") << true << "0,5+";
    QTest::newRow("term that does not read") << true << "0,5+dwamV";
}

void AmplitudeCellsTest::refusedClassTextsStoreNothing()
{
    QFETCH(bool, ofRange);
    QFETCH(QString, text);
    TDaneSprawdzania record;
    TZakresAmpl range = record.ZakresyAmpl(1);
    range.setKmm(1);
    range.setKmz(2);
    range.setKmzDod("0");
    const QByteArray before = record.toBytes();
    const auto outcome = ofRange ? AmplitudeCells::leaveClassRange(range, text)
                                 : AmplitudeCells::leaveClassMeasured(range, text);
    QCOMPARE(outcome.message,
             ofRange
                 ? QStringLiteral("Nie wpisano wartości klasy miernika wzg. zakresu")
                 : QStringLiteral("Nie wpisano wartości klasy miernika wzg. wartosci mierzonej"));
    QCOMPARE(outcome.caption, QStringLiteral("Błąd"));
    QVERIFY(outcome.refocus);
    QCOMPARE(record.toBytes(), before);
}

void AmplitudeCellsTest::classesShowAtMostSixCharacters()
{
    TDaneSprawdzania record;
    TZakresAmpl range = record.ZakresyAmpl(1);
    range.setKmm(1.0L / 3);
    range.setKmz(1.0L / 3);
    range.setKmzDod("2mV");
    QCOMPARE(AmplitudeCells::classMeasuredText(range), QStringLiteral("0,3333"));
    QCOMPARE(AmplitudeCells::classRangeText(range), QStringLiteral("0,3333+2mV"));
    // An unedited class is never written back, but leaving an identical
    // class text says it changed nothing.
    range.setKmm(0.5L);
    QVERIFY(!AmplitudeCells::leaveClassMeasured(range, "0,5").changed);
}

void AmplitudeCellsTest::summaryRepeatsTheRangeInWords()
{
    const auto s = AmplitudeCells::summary("100mV", "400Hz", "0,5", "0,2+1234567890123");
    QCOMPARE(s.zakres, QStringLiteral("100mV"));
    QCOMPARE(s.czestotliwosc, QStringLiteral("Częstotliwość: 400Hz"));
    QCOMPARE(s.kmm, QStringLiteral("0,5% w. mierz."));
    // Each piece is taken as at most 13 characters.
    QCOMPARE(s.kmz, QStringLiteral("0,2% zakresu+123456789"));
}

void AmplitudeCellsTest::pointsAreTypedRemovedOrRefused()
{
    TDaneSprawdzania record;
    TZakresAmpl range = record.ZakresyAmpl(1);
    auto outcome = AmplitudeCells::leavePoint(range, 2, "1,5", false);
    QVERIFY(outcome.changed && outcome.rewrite);
    QCOMPARE(outcome.shownText, QStringLiteral("1,500000"));
    QCOMPARE(range.Punkty(2).Wm(), 1.5L);
    QVERIFY(range.Punkty(2).Wpisany());
    QCOMPARE(NumberText::entry(100), QStringLiteral("100,0000"));
    QCOMPARE(NumberText::entry(-0.25L), QStringLiteral("-0,25000"));

    // A negative indication is a valid reading of an analogue meter.
    outcome = AmplitudeCells::leavePoint(range, 3, "-2", false);
    QVERIFY(outcome.message.isEmpty());
    QCOMPARE(range.Punkty(3).Wm(), -2.0L);

    range.Punkty(2).setWl(true);
    const QByteArray beforeRefusal = record.toBytes();
    for (const QString &text : {QString(), QStringLiteral("abc"), QStringLiteral("1.5")}) {
        outcome = AmplitudeCells::leavePoint(range, 2, text, false);
        QCOMPARE(outcome.message, QStringLiteral("Źle wpisana liczba"));
        QVERIFY(outcome.refocus && !outcome.changed);
        QCOMPARE(record.toBytes(), beforeRefusal);
    }

    outcome = AmplitudeCells::leavePoint(range, 2, "-1", false);
    QVERIFY(outcome.removed && outcome.changed);
    QVERIFY(outcome.shownText.isEmpty());
    QCOMPARE(range.Punkty(2).Wm(), 0.0L);
    QVERIFY(!range.Punkty(2).Wl());
    QVERIFY(!range.Punkty(2).Wpisany());
    QCOMPARE(range.pointCount(), 1);
}

void AmplitudeCellsTest::retypedMeasuredPointIsNoLongerMeasured()
{
    TDaneSprawdzania record;
    TZakresAmpl range = record.ZakresyAmpl(1);
    range.setZak(100);
    range.setJm(QStringLiteral("mV"));
    // Measured on the 1 V range: the result is in volts.
    TPunktAmpl point = range.Punkty(1);
    point.setNk(0.05L);
    point.setJmBk(QStringLiteral("V"));
    point.setWpisany(true);
    point.setZmierzony(true);

    // The same digits typed back are a value in millivolts now.
    AmplitudeCells::leavePoint(range, 1, QStringLiteral("0,05"), true);
    QCOMPARE(point.Nk(), Real48::toLongDouble(Real48::fromLongDouble(0.05L)));
    QVERIFY(!point.Zmierzony());

    // Where the units agree, typing the shown value keeps the result.
    range.setJm(QStringLiteral("V"));
    point.setZmierzony(true);
    AmplitudeCells::leavePoint(range, 1, QStringLiteral("0,05"), true);
    QVERIFY(point.Zmierzony());
    AmplitudeCells::leavePoint(range, 1, QStringLiteral("0,06"), true);
    QVERIFY(!point.Zmierzony());
}

void AmplitudeCellsTest::negativeSettingOfADigitalMeterIsRefused()
{
    TDaneSprawdzania record;
    TZakresAmpl range = record.ZakresyAmpl(1);
    QVERIFY(AmplitudeCells::leavePoint(range, 1, "5", true).changed);
    QCOMPARE(range.Punkty(1).Nk(), 5.0L);
    const QByteArray before = record.toBytes();
    const auto outcome = AmplitudeCells::leavePoint(range, 1, "-5", true);
    QCOMPARE(outcome.message, QStringLiteral("Nastawa kalibratora nie moze być ujemna"));
    QVERIFY(outcome.refocus && !outcome.changed);
    QCOMPARE(record.toBytes(), before);
    // "-1" is still the removal, not a negative setting.
    QVERIFY(AmplitudeCells::leavePoint(range, 1, "-1", true).removed);
    QCOMPARE(range.Punkty(1).Nk(), 0.0L);
}

void AmplitudeCellsTest::ticksOnAndOffTouchOnlyDefinedPoints()
{
    TDaneSprawdzania record;
    TZakresAmpl range = record.ZakresyAmpl(1);
    range.Punkty(1).setWpisany(true);
    range.Punkty(3).setWpisany(true);
    QVERIFY(AmplitudeCells::setTicks(range, true));
    QVERIFY(range.Punkty(1).Wl() && !range.Punkty(2).Wl() && range.Punkty(3).Wl());
    QVERIFY(!AmplitudeCells::setTicks(range, true));
    QVERIFY(AmplitudeCells::setTicks(range, false));
    QVERIFY(!range.Punkty(1).Wl() && !range.Punkty(3).Wl());
}

void AmplitudeCellsTest::frequencyItemsAndUserFrequencies()
{
    TDaneSprawdzania record;
    TZakresAmpl range = record.ZakresyAmpl(1);
    QVERIFY(AmplitudeCells::chooseFrequency(range, 3));
    QCOMPARE(range.Cz(), 3);
    QCOMPARE(range.CzHz(), 400.0L);
    QVERIFY(AmplitudeCells::chooseFrequency(range, 4, "55,50"));
    QCOMPARE(range.Cz(), 4);
    QCOMPARE(range.CzHz(), stored(55.5L));
    QVERIFY(AmplitudeCells::chooseFrequency(range, 0));
    QCOMPARE(range.CzHz(), 0.0L);

    QCOMPARE(AmplitudeCells::userFrequencyItem(55.5L), QStringLiteral("55,50Hz"));
    QCOMPARE(AmplitudeCells::userFrequencyItem(stored(99.99L)), QStringLiteral("99,99Hz"));
    QCOMPARE(AmplitudeCells::userFrequencyItem(400), QStringLiteral("400,0Hz"));
    QCOMPARE(AmplitudeCells::userFrequencyItem(1500), QStringLiteral("1500Hz"));
    QVERIFY(AmplitudeCells::userFrequencyItem(99.995L).isEmpty());
    QVERIFY(AmplitudeCells::userFrequencyItem(2500).isEmpty());
}

void AmplitudeCellsTest::fullRowShowsTheVerdictInColour()
{
    TDaneSprawdzania record;
    TZakresAmpl range = record.ZakresyAmpl(1);
    range.setZak(100);
    range.setJm("mV");
    TPunktAmpl point = range.Punkty(1);
    point.setWm(50);
    point.setNk(49.9L);
    point.setBmr(0.3L);
    point.setBmd(0.3L);
    point.setBk(0.0000252L);
    point.setJmBk("mV");
    point.setDokl(4);
    auto row = AmplitudeCells::fullRow(range, point);
    QCOMPARE(row.wm, QStringLiteral("50,0000"));
    QCOMPARE(row.nk, QStringLiteral("49,9000"));
    QCOMPARE(row.bmr, QStringLiteral("0,3000"));
    QCOMPARE(row.bk, QStringLiteral("0,0252"));
    QCOMPARE(row.unit, QStringLiteral("mV"));
    QVERIFY(!row.outOfTolerance);
    point.setBmr(-0.31L);
    QVERIFY(AmplitudeCells::fullRow(range, point).outOfTolerance);
}

void AmplitudeCellsTest::rowsThatFitAndTheBars()
{
    QCOMPARE(RowScroller::rowsThatFit(487), 20);
    QCOMPARE(RowScroller::rowsThatFit(500), 20);
    QCOMPARE(RowScroller::areaTopAt(0), 44);
    QCOMPARE(RowScroller::areaTopAt(3), -16);

    RowScroller bar;
    bar.layout(20, 487);
    QVERIFY(!RowScroller::shownFor(20, bar.fit()));
    bar.layout(21, 487);
    QVERIFY(RowScroller::shownFor(21, bar.fit()));
    QCOMPARE(bar.maximum(), 1);
    QCOMPARE(bar.pageStep(), 20);
    bar.setPosition(5);
    QCOMPARE(bar.position(), 1);
    QCOMPARE(bar.areaTop(), 24);
    bar.layout(5, 487);
    QCOMPARE(bar.position(), 0);
    QVERIFY(!bar.needed());
}

void AmplitudeCellsTest::openingTheRowAfterAFullGridMakesItReachable()
{
    RowScroller bar;
    // Enter after the 20th point of 20 that fit.
    QVERIFY(bar.scrollToLast(20, 487));
    QVERIFY(bar.needed());
    QCOMPARE(bar.maximum(), 1);
    QCOMPARE(bar.position(), 1);
    QCOMPARE(bar.areaTop(), 24);
    // After the 25th.
    QVERIFY(bar.scrollToLast(25, 487));
    QCOMPARE(bar.maximum(), 5);
    QCOMPARE(bar.areaTop(), 44 - 6 * 20);
    // Removing the 21st of 20 that fit brings all 20 back into view.
    RowScroller removal;
    removal.scrollToLast(20, 487);
    removal.stepBack();
    QCOMPARE(removal.areaTop(), 44);
    // A 36th row does not exist; the area stays.
    QVERIFY(!bar.scrollToLast(35, 487));
    QCOMPARE(bar.areaTop(), 44 - 6 * 20);
    QCOMPARE(bar.position(), 15);
    // Few rows: nothing moves.
    RowScroller small;
    QVERIFY(small.scrollToLast(3, 487));
    QCOMPARE(small.areaTop(), 44);
    QCOMPARE(small.position(), 0);
}

void AmplitudeCellsTest::resizeStepsByRowsAndPullsTheBarBack()
{
    QCOMPARE(WindowSize::allowedHeight(500), 500);
    QCOMPARE(WindowSize::allowedHeight(509), 500);
    QCOMPARE(WindowSize::allowedHeight(419), 420);
    QCOMPARE(WindowSize::allowedHeight(1000), 920);
    QCOMPARE(WindowSize::groupBoxTop(616), 487);
    QCOMPARE(WindowSize::notebookHeight(616), 446);
    QCOMPARE(WindowSize::tabBarTop(616), 448);

    RowScroller bar;
    bar.layout(35, 287); // 10 rows fit
    bar.setPosition(25);
    QCOMPARE(bar.position(), 25);
    bar.afterResize(35, 287);
    QCOMPARE(bar.position(), 16);
    QCOMPARE(bar.areaTop(), 44 - 16 * 20);
    bar.afterResize(35, 487); // 20 fit: maximum 15
    QCOMPARE(bar.position(), 0);
    QCOMPARE(bar.areaTop(), 44);
}

ORVANE_TEST_MAIN(AmplitudeCellsTest)
#include "tst_amplitudecells.moc"
