#include "core/calibrator/frames.h"
#include "core/measure/exactreadinglogic.h"
#include "core/measure/measurementstate.h"
#include "gui/measure/dialogresult.h"
#include "gui/measure/tform_pomiarydo.h"
#include "gui/measure/tform_pomiarydo_cz.h"
#include "gui/measure/updowncontrol.h"
#include "tests/support/core/testmain.h"
#include "tests/support/core/testservices.h"

#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using Variant = ExactReadingLogic::Variant;

namespace {

int decimalsOf(const QString &calibratorRange)
{
    const QByteArray command = ExactReadingLogic::KodZakresu(calibratorRange);
    return Frames::rangeDecimals(command.at(1) - '0');
}

// A point as a run fills it in: the limits and decimals follow the calibrator
// range, the function the meter range's frequency.
ExactReadingPoint point(const QString &meterRange, const QString &calibratorRange,
                        const QString &indication, const QString &function = QStringLiteral("F0"))
{
    const bool alternating = function != QLatin1String("F0");
    const auto limits = ExactReadingLogic::limitsFor(calibratorRange, alternating);
    ExactReadingPoint p;
    p.meterRange = meterRange;
    p.calibratorRange = calibratorRange;
    p.indication = indication;
    p.frequency = alternating ? QStringLiteral("50") : QStringLiteral("DC");
    p.DoklKal = decimalsOf(calibratorRange);
    p.NastawaMin = limits->NastawaMin;
    p.NastawaMax = limits->NastawaMax;
    p.FunkcjaKal = function;
    return p;
}

void fill(ExactReadingLogic &logic, const ExactReadingPoint &p)
{
    logic.setMeterRange(p.meterRange);
    logic.setCalibratorRange(p.calibratorRange);
    logic.setIndication(p.indication);
    logic.settings() = {p.NastawaMin, p.NastawaMax, p.DoklKal, p.FunkcjaKal};
}

struct Bench
{
    Bench()
    {
        t.link.open();
        t.transcript.clear();
    }
    TestServices t;
    MeasurementState state;
};

} // namespace

class ExactReadingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void settingTextTakesDecimalsByMagnitude_data();
    void settingTextTakesDecimalsByMagnitude();
    void settingTextReadsBackAsTheSetting_data();
    void settingTextReadsBackAsTheSetting();
    void digitButtonsSkipTheComma_data();
    void digitButtonsSkipTheComma();
    void digitButtonSetsTheStep_data();
    void digitButtonSetsTheStep();
    void startSettingFollowsTheUnits_data();
    void startSettingFollowsTheUnits();
    void limitsFollowTheCalibratorRange_data();
    void limitsFollowTheCalibratorRange();

    void activationSendsTheNominalSetting();
    void stepsSendAtOnce();
    void stepsAtTheLimitsStillSend();
    void settingNeverGoesNegative();
    void onlyTheDirectionOfTheControlCounts();
    void functionIsSentOnlyWhenItChanges();
    void twinsShareTheLastFunction();
    void unknownRangeTextSendsNoRangeCommand();

    void scriptedRunDrivesTheDialogLikeAnOperator();
    void okWaitsOnlyInTheAmplitudeDialog();
    void abortAndCloseBoxEndTheRunAndWarnAgain();
    void upDownIsRecentredAtEveryPoint();
    void shownDecimalsChangeButButtonsStay();
    void linkFailureEndsTheDialogAndReachesTheRun();
    void keyboardDrivesTheShownDialog();
};

void ExactReadingTest::settingTextTakesDecimalsByMagnitude_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("2.05") << 2.05 << QStringLiteral(" 2,050000");
    QTest::newRow("just above 2.05") << 2.05001 << QStringLiteral("  2,05001");
    QTest::newRow("20.5") << 20.5 << QStringLiteral(" 20,50000");
    QTest::newRow("just above 20.5") << 20.5001 << QStringLiteral("  20,5001");
    QTest::newRow("205") << 205.0 << QStringLiteral(" 205,0000");
    QTest::newRow("just above 205") << 205.001 << QStringLiteral("  205,001");
    QTest::newRow("1100") << 1100.0 << QStringLiteral(" 1100,000");
    QTest::newRow("0.15") << 0.15 << QStringLiteral(" 0,150000");
    // Longer than nine characters stays as it is.
    QTest::newRow("10000") << 10000.0 << QStringLiteral("10000,000");
}

void ExactReadingTest::settingTextTakesDecimalsByMagnitude()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(ExactReadingLogic::TekstNastawy(static_cast<long double>(value)), text);
}

void ExactReadingTest::settingTextReadsBackAsTheSetting_data()
{
    QTest::addColumn<qint64>("millionths");
    QTest::newRow("zero") << qint64(0);
    QTest::newRow("one step") << qint64(1);
    QTest::newRow("2.05") << qint64(2'050'000);
    QTest::newRow("20.5") << qint64(20'500'000);
    QTest::newRow("205") << qint64(205'000'000);
}

void ExactReadingTest::settingTextReadsBackAsTheSetting()
{
    QFETCH(qint64, millionths);
    const QString text = ExactReadingLogic::TekstNastawy(millionths);
    QCOMPARE(text.size(), 9);
    QCOMPARE(std::llround(ExactReadingLogic::readSetting(text) * 1'000'000), millionths);
}

void ExactReadingTest::digitButtonsSkipTheComma_data()
{
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QList<int>>("positions");
    QTest::newRow("3") << 3 << QList<int>{107, 95, 83, 59, 47, 35, 23, 11};
    QTest::newRow("4") << 4 << QList<int>{107, 95, 83, 71, 47, 35, 23, 11};
    QTest::newRow("5") << 5 << QList<int>{107, 95, 83, 71, 59, 35, 23, 11};
    QTest::newRow("6") << 6 << QList<int>{107, 95, 83, 71, 59, 47, 23, 11};
    QTest::newRow("2 leaves them") << 2 << QList<int>{};
    QTest::newRow("7 leaves them") << 7 << QList<int>{};
}

void ExactReadingTest::digitButtonsSkipTheComma()
{
    QFETCH(int, decimals);
    QFETCH(QList<int>, positions);
    const auto placed = ExactReadingLogic::UlozPrzyciski(decimals);
    if (positions.isEmpty()) {
        QVERIFY(!placed);
        return;
    }
    QVERIFY(placed);
    QCOMPARE(QList<int>(placed->begin(), placed->end()), positions);
}

void ExactReadingTest::digitButtonSetsTheStep_data()
{
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("tag");
    QTest::addColumn<bool>("down");
    QTest::addColumn<qint64>("step");
    QTest::newRow("4 decimals, button 3") << 4 << 3 << true << qint64(10'000);
    QTest::newRow("4 decimals, button 3 released") << 4 << 3 << false << qint64(100);
    QTest::newRow("6 decimals, button 1") << 6 << 1 << true << qint64(1);
    QTest::newRow("6 decimals, button 8") << 6 << 8 << true << qint64(10'000'000);
    QTest::newRow("3 decimals, button 8") << 3 << 8 << true << qint64(10'000'000'000);
}

void ExactReadingTest::digitButtonSetsTheStep()
{
    QFETCH(int, decimals);
    QFETCH(int, tag);
    QFETCH(bool, down);
    QFETCH(qint64, step);
    Bench bench;
    ExactReadingLogic logic(bench.t.services, bench.state, Variant::Amplitude);
    logic.settings().DoklKal = decimals;
    logic.UstawKrok(tag, down);
    QCOMPARE(logic.stepCount(), step);
    QCOMPARE(logic.selectedDigit(), down ? tag : 0);
    QVERIFY(bench.t.transcript.lines().isEmpty());
}

void ExactReadingTest::startSettingFollowsTheUnits_data()
{
    QTest::addColumn<QString>("indication");
    QTest::addColumn<QString>("meterRange");
    QTest::addColumn<QString>("calibratorRange");
    QTest::addColumn<int>("variant");
    QTest::addColumn<qint64>("setting");
    QTest::newRow("mV meter on the 1 V range")
        << "150,0000mV"
        << "300mV"
        << "1V" << int(Variant::Amplitude) << qint64(150'000);
    QTest::newRow("V meter on the 100 mV range")
        << "0,0500V"
        << "1V"
        << "100mV" << int(Variant::Amplitude) << qint64(50'000'000);
    QTest::newRow("same units") << "7,50000V"
                                << "10V"
                                << "10V" << int(Variant::Amplitude) << qint64(7'500'000);
    QTest::newRow("amplitude keeps six decimals")
        << "0,123456V"
        << "1V"
        << "1V" << int(Variant::Amplitude) << qint64(123'456);
    QTest::newRow("frequency keeps four") << "0,123456V"
                                          << "1V"
                                          << "1V" << int(Variant::Frequency) << qint64(123'500);
    QTest::newRow("frequency keeps six after dividing")
        << "123,4567mV"
        << "300mV"
        << "1V" << int(Variant::Frequency) << qint64(123'457);
    QTest::newRow("mA meter on the 1 A range")
        << "500,0000mA"
        << "1000mA"
        << "1A" << int(Variant::Amplitude) << qint64(500'000);
}

void ExactReadingTest::startSettingFollowsTheUnits()
{
    QFETCH(QString, indication);
    QFETCH(QString, meterRange);
    QFETCH(QString, calibratorRange);
    QFETCH(int, variant);
    QFETCH(qint64, setting);
    QCOMPARE(ExactReadingLogic::startSetting(indication, meterRange, calibratorRange,
                                             static_cast<Variant>(variant)),
             setting);
}

void ExactReadingTest::limitsFollowTheCalibratorRange_data()
{
    QTest::addColumn<QString>("range");
    QTest::addColumn<bool>("alternating");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::newRow("100mV DC") << "100mV" << false << 0.0 << 205.0;
    QTest::newRow("100mV AC") << "100mV" << true << 1.0 << 205.0;
    QTest::newRow("1V AC") << "1V" << true << 0.01 << 2.05;
    QTest::newRow("1000V AC") << "1000V" << true << 10.0 << 1100.0;
    QTest::newRow("1A DC") << "1A" << false << 0.0 << 1.1;
    QTest::newRow("100A AC") << "100A" << true << 1.0 << 100.0;
}

void ExactReadingTest::limitsFollowTheCalibratorRange()
{
    QFETCH(QString, range);
    QFETCH(bool, alternating);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    const auto limits = ExactReadingLogic::limitsFor(range, alternating);
    QVERIFY(limits);
    QCOMPARE(double(limits->NastawaMin), minimum);
    QCOMPARE(double(limits->NastawaMax), maximum);
    QVERIFY(!ExactReadingLogic::limitsFor(QStringLiteral("1v"), false));
}

void ExactReadingTest::activationSendsTheNominalSetting()
{
    Bench bench;
    ExactReadingLogic logic(bench.t.services, bench.state, Variant::Amplitude);
    fill(logic, point("300mV", "1V", "150,0000mV"));
    // The indication alone shows the setting, but sends nothing.
    QCOMPARE(logic.displayText(), QStringLiteral("0,150000"));
    QVERIFY(bench.t.transcript.lines().isEmpty());

    logic.activate(7);
    QCOMPARE(logic.displayText(), QStringLiteral(" 0,150000"));
    QCOMPARE(logic.PozycjaPoprzednia(), 7);
    QCOMPARE(logic.selectedDigit(), 1);
    QCOMPARE(logic.stepCount(), qint64(1));
    QCOMPARE(bench.t.transcript.lines(), QStringList{"<Z1F0N0.150000O>"});
}

void ExactReadingTest::stepsSendAtOnce()
{
    Bench bench;
    ExactReadingLogic logic(bench.t.services, bench.state, Variant::Amplitude);
    fill(logic, point("100V", "100V", "50,0000V"));
    logic.activate(0);
    logic.UstawKrok(3, true); // 0.01 with four decimals
    logic.step(1);
    logic.step(2);
    logic.step(1);
    QCOMPARE(logic.displayText(), QStringLiteral("  50,0100"));
    QCOMPARE(bench.t.transcript.lines(), (QStringList{"<Z3F0N50.000000O>", "<Z3N50.010000O>",
                                                      "<Z3N50.020000O>", "<Z3N50.010000O>"}));
}

void ExactReadingTest::stepsAtTheLimitsStillSend()
{
    Bench bench;
    ExactReadingLogic logic(bench.t.services, bench.state, Variant::Amplitude);
    // AC on the 1 V range: 0.01 V up to 2.05 V.
    fill(logic, point("2V", "1V", "2,050000V", "F1"));
    logic.activate(0);
    logic.step(1);
    QCOMPARE(logic.setting(), qint64(2'050'000));

    fill(logic, point("2V", "1V", "0,010000V", "F1"));
    logic.activate(0);
    logic.step(-1);
    QCOMPARE(logic.setting(), qint64(10'000));
    // A step that lands exactly on the limit is taken.
    logic.UstawKrok(2, true);
    logic.step(0);
    QCOMPARE(logic.setting(), qint64(10'010));
    logic.step(-1);
    QCOMPARE(logic.setting(), qint64(10'000));

    QCOMPARE(bench.t.transcript.lines(),
             (QStringList{"<F1Z1N2.050000O>", "<Z1N2.050000O>", "<Z1N0.010000O>", "<Z1N0.010000O>",
                          "<Z1N0.010010O>", "<Z1N0.010000O>"}));
}

void ExactReadingTest::settingNeverGoesNegative()
{
    Bench bench;
    ExactReadingLogic logic(bench.t.services, bench.state, Variant::Amplitude);
    fill(logic, point("10V", "10V", "0,00001V"));
    logic.activate(0);
    logic.step(-1);
    QCOMPARE(logic.setting(), qint64(0));
    QCOMPARE(logic.displayText(), QStringLiteral(" 0,000000"));
    logic.step(-2);
    QCOMPARE(logic.setting(), qint64(0));
    QCOMPARE(bench.t.transcript.frames().last(), QStringLiteral("<Z2N0.000000O>"));
}

void ExactReadingTest::onlyTheDirectionOfTheControlCounts()
{
    Bench bench;
    ExactReadingLogic logic(bench.t.services, bench.state, Variant::Amplitude);
    fill(logic, point("10V", "10V", "5,00000V"));
    logic.activate(0);
    logic.step(40);
    QCOMPARE(logic.setting(), qint64(5'000'010));
    // A click that leaves the control where it was steps nothing but sends.
    logic.step(40);
    QCOMPARE(logic.setting(), qint64(5'000'010));
    QCOMPARE(bench.t.transcript.frames().size(), 3);
}

void ExactReadingTest::functionIsSentOnlyWhenItChanges()
{
    Bench bench;
    ExactReadingLogic logic(bench.t.services, bench.state, Variant::Amplitude);
    bench.state.startMeasurements();
    fill(logic, point("10V", "10V", "5,00000V"));
    logic.activate(0);
    logic.step(1);
    fill(logic, point("10V", "10V", "7,50000V"));
    logic.activate(0);
    // An AC point puts its function before the range, a DC point after it.
    fill(logic, point("10V", "10V", "7,50000V", "F1"));
    logic.activate(0);
    fill(logic, point("10V", "10V", "7,50000V", "F4V1500"));
    logic.activate(0);
    fill(logic, point("10V", "10V", "2,50000V"));
    logic.activate(0);
    QCOMPARE(bench.t.transcript.frames(),
             (QStringList{"<Z2F0N5.000000O>", "<Z2N5.000010O>", "<Z2N7.500000O>",
                          "<F1Z2N7.500000O>", "<F4V1500Z2N7.500000O>", "<Z2F0N2.500000O>"}));

    // A new start of measurements sends the function again.
    bench.state.startMeasurements();
    logic.activate(0);
    QCOMPARE(bench.t.transcript.frames().last(), QStringLiteral("<Z2F0N2.500000O>"));
}

void ExactReadingTest::twinsShareTheLastFunction()
{
    Bench bench;
    ExactReadingLogic amplitude(bench.t.services, bench.state, Variant::Amplitude);
    ExactReadingLogic frequency(bench.t.services, bench.state, Variant::Frequency);
    fill(amplitude, point("10V", "10V", "5,00000V", "F1"));
    fill(frequency, point("10V", "10V", "5,00000V", "F1"));
    amplitude.activate(0);
    frequency.activate(0);
    QCOMPARE(bench.t.transcript.frames(), (QStringList{"<F1Z2N5.000000O>", "<Z2N5.000000O>"}));
    // Each keeps its own point settings.
    frequency.settings().NastawaMax = 7;
    QCOMPARE(double(amplitude.settings().NastawaMax), 20.5);
}

void ExactReadingTest::unknownRangeTextSendsNoRangeCommand()
{
    Bench bench;
    ExactReadingLogic logic(bench.t.services, bench.state, Variant::Amplitude);
    fill(logic, point("10V", "10V", "5,00000V"));
    logic.setCalibratorRange(QStringLiteral("10 V"));
    logic.activate(0);
    QCOMPARE(bench.t.transcript.frames(), QStringList{"<F0N5.000000O>"});
}

void ExactReadingTest::scriptedRunDrivesTheDialogLikeAnOperator()
{
    Bench bench;
    TForm_PomiaryDO dialog(bench.t.services, bench.state);
    bench.state.startMeasurements();
    QList<int> results;
    QList<double> settings;

    // Point 1: three steps up on the second digit, then OK.
    bench.t.prompts.dialogHandlers.push_back({"TForm_PomiaryDO", [](QDialog *shown) {
                                                  auto *d = qobject_cast<TForm_PomiaryDO *>(shown);
                                                  d->selectDigit(2);
                                                  for (int i = 0; i < 3; ++i)
                                                      d->clickUp();
                                                  d->OkBtnClick();
                                                  return d->result();
                                              }});
    // Point 2: "Przerwij pomiary" at once.
    bench.t.prompts.dialogHandlers.push_back({"TForm_PomiaryDO", [](QDialog *shown) {
                                                  auto *d = qobject_cast<TForm_PomiaryDO *>(shown);
                                                  d->PrzerwBtnClick();
                                                  return d->result();
                                              }});

    for (const QString &indication : {QStringLiteral("5,00000V"), QStringLiteral("7,50000V")}) {
        dialog.setup(point("10V", "10V", indication));
        const int result = dialog.execModal();
        results.append(result);
        if (result != DialogResult::Ok)
            break;
        settings.append(double(dialog.readBackSetting()));
    }

    QCOMPARE(results, (QList<int>{DialogResult::Ok, DialogResult::Przerwij}));
    QCOMPARE(settings, QList<double>{5.0003});
    QCOMPARE(dialog.settingText(), QStringLiteral("  7,50000"));
    QCOMPARE(bench.t.transcript.lines(),
             (QStringList{"<Z2F0N5.000000O>", "<Z2N5.000100O>", "<Z2N5.000200O>", "<Z2N5.000300O>",
                          "1500ms", "<Z2N7.500000O>"}));
    QCOMPARE(bench.t.prompts.dialogsShown, (QStringList{"TForm_PomiaryDO", "TForm_PomiaryDO"}));
}

void ExactReadingTest::okWaitsOnlyInTheAmplitudeDialog()
{
    Bench bench;
    TForm_PomiaryDO_Cz twin(bench.t.services, bench.state);
    twin.setup(point("10V", "10V", "5,0000V", "F2"));
    twin.pressOk();
    QCOMPARE(twin.result(), DialogResult::Ok);
    QCOMPARE(bench.t.transcript.lines(), QStringList{"<F2Z2N5.000000O>"});
    QCOMPARE(twin.objectName(), QStringLiteral("TForm_PomiaryDO_Cz"));
    QVERIFY(twin.findChild<QPushButton *>(QStringLiteral("BitBtn_PomDO_Cz_Przerwij")));
    QVERIFY(twin.findChild<QLineEdit *>(QStringLiteral("Edit_PomDO_Cz_NastawaKalibratora")));
}

void ExactReadingTest::abortAndCloseBoxEndTheRunAndWarnAgain()
{
    Bench bench;
    TForm_PomiaryDO dialog(bench.t.services, bench.state);

    bench.state.OstrzezenieWN = true;
    dialog.setup(point("100V", "100V", "80,0000V"));
    dialog.pressPrzerwij();
    QCOMPARE(dialog.result(), DialogResult::Przerwij);
    QVERIFY(!bench.state.OstrzezenieWN);
    QVERIFY(dialog.isPlaced());

    bench.state.OstrzezenieWN = true;
    dialog.setup(point("100V", "100V", "80,0000V"));
    dialog.pressCloseBox();
    QCOMPARE(dialog.result(), DialogResult::Przerwij);
    QVERIFY(!bench.state.OstrzezenieWN);
    // Each point was sent before the operator gave up on it.
    QCOMPARE(bench.t.transcript.frames(), (QStringList{"<Z3F0N80.000000O>", "<Z3N80.000000O>"}));
}

void ExactReadingTest::upDownIsRecentredAtEveryPoint()
{
    Bench bench;
    TForm_PomiaryDO dialog(bench.t.services, bench.state);
    // A long session has run the control to its upper bound.
    dialog.upDown->setPosition(1000);
    dialog.setup(point("10V", "10V", "5,00000V"));
    dialog.FormActivate();
    QCOMPARE(dialog.upDownPosition(), 0);
    dialog.clickUp();
    QCOMPARE(dialog.settingText(), QStringLiteral("  5,00001"));
    dialog.pressOk();

    dialog.setup(point("10V", "10V", "5,00000V"));
    dialog.FormActivate();
    QCOMPARE(dialog.upDownPosition(), 0);
    QCOMPARE(dialog.logic().PozycjaPoprzednia(), 0);
}

void ExactReadingTest::shownDecimalsChangeButButtonsStay()
{
    Bench bench;
    TForm_PomiaryDO dialog(bench.t.services, bench.state);
    dialog.setup(point("10V", "10V", "2,05000V"));
    dialog.FormActivate();
    QCOMPARE(dialog.settingText(), QStringLiteral(" 2,050000"));
    QCOMPARE(dialog.digitButtonPosition(1), 107);
    QCOMPARE(dialog.digitButtonPosition(5), 59);
    QVERIFY(dialog.digitButtons[0]->isChecked());
    dialog.clickUp();
    QCOMPARE(dialog.settingText(), QStringLiteral("  2,05001"));
    QCOMPARE(dialog.digitButtonPosition(5), 59);

    // Clicking a down button releases it: the step falls back to the last
    // digit and no button stays down.
    dialog.selectDigit(3);
    QVERIFY(!dialog.digitButtons[0]->isChecked());
    dialog.clickDigit(3);
    QVERIFY(!dialog.digitButtons[2]->isChecked());
    QCOMPARE(dialog.logic().stepCount(), qint64(10));
}

void ExactReadingTest::linkFailureEndsTheDialogAndReachesTheRun()
{
    Bench bench;
    TForm_PomiaryDO dialog(bench.t.services, bench.state);
    bench.state.startMeasurements();
    bench.t.link.framesBeforeWriteFailure = 1;
    bench.t.prompts.dialogHandlers.push_back({"TForm_PomiaryDO", [](QDialog *shown) {
                                                  auto *d = qobject_cast<TForm_PomiaryDO *>(shown);
                                                  d->clickUp(); // the link breaks here
                                                  d->clickUp();
                                                  d->OkBtnClick();
                                                  return d->result();
                                              }});
    dialog.setup(point("10V", "10V", "5,00000V", "F1"));
    QVERIFY_THROWS_EXCEPTION(ECommsError, dialog.execModal());
    QCOMPARE(dialog.result(), DialogResult::Failed);
    QCOMPARE(bench.t.transcript.lines(), QStringList{"<F1Z2N5.000000O>"});
    // The failure is raised once; the next point starts clean.
    dialog.rethrowFailure();
    QCOMPARE(bench.state.OstatniaFunkcja, QStringLiteral("F1"));

    // A failure of the very first frame, when the dialog is shown.
    bench.t.link.framesBeforeWriteFailure = 0;
    bench.t.prompts.dialogHandlers.push_back({"TForm_PomiaryDO", [](QDialog *shown) {
                                                  auto *d = qobject_cast<TForm_PomiaryDO *>(shown);
                                                  d->PrzerwBtnClick();
                                                  return d->result();
                                              }});
    bench.state.OstrzezenieWN = true;
    dialog.setup(point("10V", "10V", "6,00000V"));
    QVERIFY_THROWS_EXCEPTION(ECommsError, dialog.execModal());
    QVERIFY(!bench.state.OstrzezenieWN);
    QCOMPARE(bench.state.OstatniaFunkcja, QStringLiteral("F1"));
}

void ExactReadingTest::keyboardDrivesTheShownDialog()
{
    Bench bench;
    TForm_PomiaryDO dialog(bench.t.services, bench.state);
    dialog.setup(point("300mV", "1V", "150,0000mV"));
    // Showing the dialog activates it once.
    dialog.show();
    QCOMPARE(bench.t.transcript.frames(), QStringList{"<Z1F0N0.150000O>"});
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.settingText(), QStringLiteral(" 0,150000"));

    QTest::keyClick(dialog.upDown, Qt::Key_Left);
    QTest::keyClick(dialog.upDown, Qt::Key_Left);
    QVERIFY(dialog.digitButtons[2]->isChecked());
    QTest::keyClick(dialog.upDown, Qt::Key_Up);
    QTest::keyClick(dialog.upDown, Qt::Key_Down);
    QTest::keyClick(dialog.upDown, Qt::Key_Down);
    QTest::mouseClick(dialog.digitButtons[0], Qt::LeftButton);
    QTest::mouseClick(dialog.upDown->findChild<QToolButton *>(QStringLiteral("upButton")),
                      Qt::LeftButton);
    // Enter on the up-down control is the default button, OK.
    QTest::keyClick(dialog.upDown, Qt::Key_Return);

    QCOMPARE(dialog.result(), DialogResult::Ok);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.settingText(), QStringLiteral(" 0,149901"));
    QCOMPARE(bench.t.transcript.lines(),
             (QStringList{"<Z1F0N0.150000O>", "<Z1N0.150100O>", "<Z1N0.150000O>", "<Z1N0.149900O>",
                          "<Z1N0.149901O>", "1500ms"}));

    // Esc, like the close box, ends the run as "Przerwij pomiary" does.
    bench.state.OstrzezenieWN = true;
    dialog.setup(point("300mV", "1V", "250,0000mV"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(dialog.upDown, Qt::Key_Escape);
    QCOMPARE(dialog.result(), DialogResult::Przerwij);
    QVERIFY(!bench.state.OstrzezenieWN);
    QCOMPARE(bench.t.transcript.frames().last(), QStringLiteral("<Z1N0.250000O>"));
}

ORVANE_TEST_MAIN(ExactReadingTest)
#include "tst_exactreading.moc"
