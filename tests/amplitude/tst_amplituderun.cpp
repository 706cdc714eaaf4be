#include "core/amplitude/amplitudegrid.h"
#include "core/amplitude/amplituderun.h"
#include "core/calibrator/frames.h"
#include "core/document/certificatedata.h"
#include "core/document/documentsession.h"
#include "core/document/labsettings.h"
#include "core/measure/measurecommand.h"
#include "core/output/reportcontent.h"
#include "core/output/workbookcontent.h"
#include "gui/characteristic/amplitude/amplitudepage.h"
#include "gui/characteristic/gridview.h"
#include "gui/characteristic/measuremenu.h"
#include "gui/document/characteristicframe.h"
#include "gui/document/tform_sprawdzanie.h"
#include "gui/measure/tform_pomiary.h"
#include "gui/measure/tform_pomiarydn.h"
#include "gui/measure/tform_pomiarydo.h"
#include "gui/panel/tform_czestotliwosc.h"
#include "tests/support/core/testmain.h"
#include "tests/support/gui/runbench.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSettings>

#include <functional>

namespace {

// What a dialog showed for one point.
struct Shown
{
    QString meterRange;
    QString calibratorRange;
    QString value; // the indication (exact reading) or the setting (exact setting)
    QString frequency;
    QString unit; // beside the setting (exact reading) or the indication (exact setting)
};

// Ranges that the "Po&miary" command could measure on the frequency side.
class FakeRuns : public RangeRuns
{
public:
    int rangeCount() const override { return 2; }
    int currentRange() const override { return 1; }
    bool runRange(int r, PointChoice points) override
    {
        ran.append({r, points});
        return true;
    }

    QList<QPair<int, PointChoice>> ran;
};

// The amplitude runs and the command over a record.
struct Bench : RunBench<TForm_PomiaryDO, TForm_PomiaryDN>
{
    AmplitudeRun run{t.services, state, session, dialogs, view};
    MeasureCommand command{t.services, state, session, run, procedure};
    QList<Shown> shown;

    explicit Bench(const QString &typ, const QString &model = QStringLiteral("R-707"))
        : RunBench(typ, model)
    {}

    TZakresAmpl range(int k) { return record().ZakresyAmpl(k); }
    TPunktAmpl point(int k, int j) { return record().ZakresyAmpl(k).Punkty(j); }

    TZakresAmpl addRange(int k, long double zak, const QString &jm, int cz = 0,
                         long double czHz = 0)
    {
        TZakresAmpl r = range(k);
        r.setZak(zak);
        r.setJm(jm);
        r.setCz(cz);
        r.setCzHz(czHz);
        r.setKmm(0.5L);
        r.setKmz(0);
        r.setKmzDod(QStringLiteral("0"));
        return r;
    }

    // The typed value of a point, in the range's unit.
    void addPoint(int k, int j, long double value, bool ticked = true)
    {
        TPunktAmpl p = point(k, j);
        if (record().isAnalogowy())
            p.setWm(value);
        else
            p.setNk(value);
        p.setWpisany(true);
        p.setWl(ticked);
    }

    void onReading(std::function<void(TForm_PomiaryDO *)> script)
    {
        t.prompts.dialogHandlers.push_back(
            {QStringLiteral("TForm_PomiaryDO"), [this, script](QDialog *dialog) {
                 auto *d = qobject_cast<TForm_PomiaryDO *>(dialog);
                 shown.append({d->Edit_PomDO_ZakresMiernika->text(),
                               d->Edit_PomDO_ZakresKalibratora->text(),
                               d->Edit_PomDO_WskazanieMiernika->text(),
                               d->Edit_PomDO_Czestotliwosc->text(), d->settingUnitLabel->text()});
                 script(d);
                 return d->result();
             }});
    }
    void readingOk()
    {
        onReading([](TForm_PomiaryDO *d) { d->OkBtnClick(); });
    }

    void onSetting(std::function<void(TForm_PomiaryDN *)> script)
    {
        t.prompts.dialogHandlers.push_back(
            {QStringLiteral("TForm_PomiaryDN"), [this, script](QDialog *dialog) {
                 auto *d = qobject_cast<TForm_PomiaryDN *>(dialog);
                 shown.append(
                     {d->Edit_PomDN_ZakresMiernika->text(), d->Edit_PomDN_ZakresKalibratora->text(),
                      d->Edit_PomDN_NastawaKalibratora->text(), d->Edit_PomDN_Czestotliwosc->text(),
                      d->indicationUnitLabel->text()});
                 script(d);
                 return d->result();
             }});
    }
    void typed(const QString &indication)
    {
        onSetting([indication](TForm_PomiaryDN *d) {
            d->typeIndication(indication);
            d->pressOk();
        });
    }

    // "Po&miary" on the current range's ticked points.
    void measureCurrentRange()
    {
        choose(TForm_Pomiary::BiezacyZakres, TForm_Pomiary::Zaznaczone);
        command.Menu_PomiaryClick();
    }
};

} // namespace

class AmplitudeRunTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void calibratorRangeAtTheLimits_data();
    void calibratorRangeAtTheLimits();
    void valueOutsideEveryRangeIsSkippedWithItsMessage();

    void exactReadingRunStoresTheSettingReached();
    void exactSettingRunSendsItsOwnFrame_data();
    void exactSettingRunSendsItsOwnFrame();
    void threeRunsInARowOverMilliAndWholeUnits_data();
    void threeRunsInARowOverMilliAndWholeUnits();
    void abortKeepsEarlierPointsAndTheRestAsTheyWere_data();
    void abortKeepsEarlierPointsAndTheRestAsTheyWere();
    void highVoltageWarning_data();
    void highVoltageWarning();

    void resultsShowInTheUnitBesideThem_data();
    void resultsShowInTheUnitBesideThem();
    void everyEndingLeavesTheOutputInStandby_data();
    void everyEndingLeavesTheOutputInStandby();
    void everyRangeAsksWhetherToStop_data();
    void everyRangeAsksWhetherToStop();
    void checksBeforeTheLinkOpens_data();
    void checksBeforeTheLinkOpens();
    void expiredStandardIsAskedAboutFirst_data();
    void expiredStandardIsAskedAboutFirst();
    void frequencyCharacteristicWaitsForItsRuns();
    void linkFailureStopsTheRunKeepingEarlierPoints_data();
    void linkFailureStopsTheRunKeepingEarlierPoints();

    void menuCommandFillsTheGridRow();
};

void AmplitudeRunTest::calibratorRangeAtTheLimits_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("jm");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected"); // -1 for none

    struct Row
    {
        const char *name;
        const char *jm;
        double value;
        int withoutHighCurrent;
        int withHighCurrent;
    };
    // The limits are held as six-byte reals; so is the value compared, so a
    // point of exactly 0.205 V stays on the 100 mV range.
    const Row rows[] = {
        {"0.205 V", "V", 0.205, 0, 0},     {"205 mV", "mV", 205, 0, 0},
        {"0.2051 V", "V", 0.2051, 1, 1},   {"1.5 V", "V", 1.5, 1, 1},
        {"2.05 V", "V", 2.05, 1, 1},       {"2.5 V", "V", 2.5, 2, 2},
        {"20.5 V", "V", 20.5, 2, 2},       {"205 V", "V", 205, 3, 3},
        {"1100 V", "V", 1100, 4, 4},       {"1100.01 V", "V", 1100.01, -1, -1},
        {"2.05 mA", "mA", 2.05, 5, 5},     {"0.0205 A", "A", 0.0205, 6, 6},
        {"205 mA", "mA", 205, 7, 7},       {"1.1 A", "A", 1.1, 8, 8},
        {"1.11 A", "A", 1.11, 9, 9},       {"20.5 A", "A", 20.5, 9, 9},
        {"20.51 A", "A", 20.51, -1, 10},   {"100 A", "A", 100, -1, 10},
        {"100.01 A", "A", 100.01, -1, -1},
    };
    for (const QString &model : CalibratorModel::names()) {
        const bool highCurrent = CalibratorModel{model, 0}.hasHighCurrentRange();
        for (const Row &row : rows) {
            QTest::addRow("%s %s", qPrintable(model), row.name)
                << model << QString::fromLatin1(row.jm) << row.value
                << (highCurrent ? row.withHighCurrent : row.withoutHighCurrent);
        }
    }
}

void AmplitudeRunTest::calibratorRangeAtTheLimits()
{
    QFETCH(QString, model);
    QFETCH(QString, jm);
    QFETCH(double, value);
    QFETCH(int, expected);

    for (const QString &typ : {Analogowy, Cyfrowy}) {
        Bench b(typ, model);
        b.addRange(1, 1000, jm, 1, 50);
        b.addPoint(1, 1, value);
        const std::optional<int> chosen = b.run.chooseCalibratorRange(b.range(1), 1);
        QCOMPARE(chosen.value_or(-1), expected);
        QCOMPARE(b.messages().size(), expected < 0 ? 1 : 0);
    }
}

void AmplitudeRunTest::valueOutsideEveryRangeIsSkippedWithItsMessage()
{
    Bench b(Cyfrowy);
    b.addRange(1, 2000, QStringLiteral("V"));
    b.addPoint(1, 1, 1200.4L);
    b.addPoint(1, 2, 500);
    const QByteArray before = bytesOf(b.point(1, 1));
    b.typed(QStringLiteral("500,2"));
    b.t.link.open();

    QVERIFY(b.run.runRange(1, PointChoice::Ticked));

    QCOMPARE(b.t.prompts.messages.first().text,
             QStringLiteral("Wartość nastawy 1200V przekracza zakres kalibratora!!! "));
    QCOMPARE(b.t.prompts.messages.first().caption, QStringLiteral("Orvane 707"));
    // The skipped point stays as it was; the run goes on with the next.
    QCOMPARE(bytesOf(b.point(1, 1)), before);
    QVERIFY(b.point(1, 2).Zmierzony());
    QVERIFY(b.frames().contains(QStringLiteral("<Z4F0N500.000O>")));
    QCOMPARE(b.view.shownPoints, (QList<int>{1, 2}));
}

void AmplitudeRunTest::exactReadingRunStoresTheSettingReached()
{
    Bench b(Analogowy);
    b.addRange(1, 10, QStringLiteral("V"));
    b.addPoint(1, 1, 5);
    b.addPoint(1, 2, 7.5L);
    b.addPoint(1, 3, 9);
    b.addPoint(1, 4, 9.5L, false);
    const QByteArray third = bytesOf(b.point(1, 3));
    const QByteArray fourth = bytesOf(b.point(1, 4));

    // Point 1: three steps up on the second digit; point 2: one step down
    // on the last; point 3: "Przerwij pomiary".
    b.onReading([](TForm_PomiaryDO *d) {
        d->selectDigit(2);
        for (int i = 0; i < 3; ++i)
            d->clickUp();
        d->OkBtnClick();
    });
    b.onReading([](TForm_PomiaryDO *d) {
        d->clickDown();
        d->OkBtnClick();
    });
    b.onReading([](TForm_PomiaryDO *d) { d->PrzerwBtnClick(); });
    b.state.startMeasurements();
    b.t.link.open();

    QVERIFY(!b.run.runRange(1, PointChoice::Ticked));

    QCOMPARE(b.lines(), (QStringList{"open", "<Z2F0N5.000000O>", "<Z2N5.000100O>", "<Z2N5.000200O>",
                                     "<Z2N5.000300O>", "1500ms", "<Z2N7.500000O>", "<Z2N7.499990O>",
                                     "1500ms", "<Z2N9.000000O>"}));
    QCOMPARE(b.shown.size(), 3);
    QCOMPARE(b.shown[0].meterRange, QStringLiteral("10V"));
    QCOMPARE(b.shown[0].calibratorRange, QStringLiteral("10V"));
    QCOMPARE(b.shown[0].value, QStringLiteral("5,00000V"));
    QCOMPARE(b.shown[0].frequency, QStringLiteral("DC"));
    QCOMPARE(b.reading.settings().DoklKal, 5);
    QCOMPARE(b.reading.settings().FunkcjaKal, QStringLiteral("F0"));
    QVERIFY(near(b.reading.settings().NastawaMax, 20.5L));
    QCOMPARE(b.reading.settings().NastawaMin, 0.0L);

    const ConstPunktAmpl first = b.point(1, 1);
    QVERIFY(first.Zmierzony());
    QVERIFY(near(first.Nk(), 5.0003L));
    QVERIFY(near(first.Wm(), 5));
    QCOMPARE(first.JmBk(), QStringLiteral("V"));
    QCOMPARE(int(first.Dokl()), 5);
    QVERIFY(near(first.Bk(), 5.0003L * 0.0002L + 0.000408L));
    QVERIFY(near(first.Bmr(), -0.0003L));
    QVERIFY(near(first.Bmd(), 0.025L));
    QVERIFY(near(b.point(1, 2).Nk(), 7.49999L));
    QVERIFY(b.point(1, 2).Zmierzony());
    QCOMPARE(bytesOf(b.point(1, 3)), third);
    QCOMPARE(bytesOf(b.point(1, 4)), fourth);
    QVERIFY(b.range(1).Zmierzony());
    QVERIFY(!b.session.isSaved());
    QCOMPARE(b.view.shownPoints, (QList<int>{1, 2}));
    // The row under way was highlighted in turn, and is not after the abort.
    QCOMPARE(b.view.progress, (QList<int>{1, 2, 3, 0}));
    // The abort button centred the window itself; the run did not get to.
    QCOMPARE(b.view.centred, 0);
}

void AmplitudeRunTest::exactSettingRunSendsItsOwnFrame_data()
{
    QTest::addColumn<int>("cz");
    QTest::addColumn<double>("hertz");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("frequency");
    QTest::newRow("DC: range before F0") << 0 << 0.0 << "<Z2F0N5.00000O>"
                                         << "DC";
    QTest::newRow("50 Hz: function first") << 1 << 50.0 << "<F1Z2N5.00000O>"
                                           << "50";
    QTest::newRow("60 Hz") << 2 << 60.0 << "<F2Z2N5.00000O>"
                           << "60";
    QTest::newRow("400 Hz") << 3 << 400.0 << "<F3Z2N5.00000O>"
                            << "400";
    QTest::newRow("user frequency") << 4 << 45.5 << "<F4V45.5Z2N5.00000O>"
                                    << "45,5";
    // Stored as 45.2999999999884, sent as typed.
    QTest::newRow("user frequency stored inexactly") << 4 << 45.3 << "<F4V45.3Z2N5.00000O>"
                                                     << "45,3";
}

void AmplitudeRunTest::exactSettingRunSendsItsOwnFrame()
{
    QFETCH(int, cz);
    QFETCH(double, hertz);
    QFETCH(QString, frame);
    QFETCH(QString, frequency);

    Bench b(Cyfrowy, QStringLiteral("R-707F"));
    b.addRange(1, 20, QStringLiteral("V"), cz, hertz);
    b.addPoint(1, 1, 5);
    b.addPoint(1, 2, 15);
    b.typed(QStringLiteral("5,01"));
    b.typed(QStringLiteral("14,98"));
    b.t.link.open();

    QVERIFY(b.run.runRange(1, PointChoice::Ticked));

    const QString second = QString(frame).replace(QStringLiteral("N5."), QStringLiteral("N15."));
    // The exact-setting run waits for nothing: the operator reads the meter.
    QCOMPARE(b.lines(), (QStringList{"open", frame, second}));
    QCOMPARE(b.shown[0].meterRange, QStringLiteral("20V"));
    QCOMPARE(b.shown[0].calibratorRange, QStringLiteral("10V"));
    QCOMPARE(b.shown[0].value, QStringLiteral("5,00000V"));
    QCOMPARE(b.shown[0].frequency, frequency);

    const ConstPunktAmpl first = b.point(1, 1);
    QVERIFY(first.Zmierzony());
    QVERIFY(near(first.Nk(), 5));
    QVERIFY(near(first.Wm(), 5.01L));
    QCOMPARE(first.JmBk(), QStringLiteral("V"));
    QCOMPARE(int(first.Dokl()), 5);
    const long double bk = cz == 0 ? 5 * 0.0002L + 0.000408L : 5 * 0.0005L + 0.00107L;
    QVERIFY(near(first.Bk(), bk));
    QVERIFY(near(first.Bmr(), 0.01L));
    QVERIFY(near(b.point(1, 2).Wm(), 14.98L));
    QVERIFY(near(b.point(1, 2).Bmr(), -0.02L));
    QCOMPARE(b.view.centred, 1);
}

void AmplitudeRunTest::threeRunsInARowOverMilliAndWholeUnits_data()
{
    QTest::addColumn<QString>("typ");
    QTest::newRow("exact reading") << Analogowy;
    QTest::newRow("exact setting") << Cyfrowy;
}

void AmplitudeRunTest::threeRunsInARowOverMilliAndWholeUnits()
{
    QFETCH(QString, typ);
    const bool reading = typ == Analogowy;

    Bench b(typ);
    if (reading) {
        // 500 mV goes to the 1 V range and is kept in volts; 50 mV stays
        // in millivolts.
        b.addRange(1, 1000, QStringLiteral("mV"));
        b.addPoint(1, 1, 500);
        b.addPoint(1, 2, 50);
    } else {
        // 0.05 V goes to the 100 mV range and is kept in millivolts.
        b.addRange(1, 1, QStringLiteral("V"));
        b.addPoint(1, 1, 0.05L);
        b.addPoint(1, 2, 0.5L);
    }

    for (int run = 1; run <= 3; ++run) {
        b.t.transcript.clear();
        b.shown.clear();
        if (reading) {
            b.readingOk();
            b.readingOk();
        } else {
            b.typed(QStringLiteral("0,0501"));
            b.typed(QStringLiteral("0,5002"));
        }
        b.measureCurrentRange();
        QVERIFY2(b.messages().isEmpty(), qPrintable(b.messages().join('|')));

        const ConstPunktAmpl first = b.point(1, 1);
        const ConstPunktAmpl second = b.point(1, 2);
        if (reading) {
            // Every run starts the function anew.
            QCOMPARE(b.lines(), (QStringList{"open", "<Z1F0N0.500000O>", "1500ms",
                                             "<Z0N50.000000O>", "1500ms", "<S>", "close"}));
            QCOMPARE(b.shown[0].value, QStringLiteral("500,000000mV"));
            QCOMPARE(b.shown[0].calibratorRange, QStringLiteral("1V"));
            QCOMPARE(b.shown[1].value, QStringLiteral("50,0000mV"));
            // The setting reached is shown, and read back, in the calibrator
            // range's unit.
            QCOMPARE(b.shown[0].unit, QStringLiteral("V"));
            QCOMPARE(b.shown[1].unit, QStringLiteral("mV"));
            QVERIFY(near(first.Wm(), 0.5L));
            QVERIFY(near(first.Nk(), 0.5L));
            QCOMPARE(first.JmBk(), QStringLiteral("V"));
            QVERIFY(near(second.Wm(), 50));
            QVERIFY(near(second.Nk(), 50));
            QCOMPARE(second.JmBk(), QStringLiteral("mV"));
        } else {
            QCOMPARE(b.lines(),
                     (QStringList{"open", "<Z0F0N50.0000O>", "<Z1F0N0.500000O>", "<S>", "close"}));
            QCOMPARE(b.shown[0].value, QStringLiteral("50,0000mV"));
            QCOMPARE(b.shown[0].calibratorRange, QStringLiteral("100mV"));
            QCOMPARE(b.shown[1].value, QStringLiteral("0,500000V"));
            QVERIFY(near(first.Nk(), 50));
            QVERIFY(near(first.Wm(), 50.1L));
            QCOMPARE(first.JmBk(), QStringLiteral("mV"));
            QCOMPARE(int(first.Dokl()), 4);
            QVERIFY(near(second.Nk(), 0.5L));
            QVERIFY(near(second.Wm(), 0.5002L));
            QCOMPARE(second.JmBk(), QStringLiteral("V"));
            // Bmr in millivolts, Bmd in volts: 0.5 % of 0.0501 V.
            QVERIFY(near(first.Bmr(), 0.1L));
            QVERIFY(near(first.Bmd(), 0.0501L * 0.5L / 100));
        }
    }
}

void AmplitudeRunTest::abortKeepsEarlierPointsAndTheRestAsTheyWere_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("exact reading, Przerwij") << Analogowy << false;
    QTest::newRow("exact reading, close box") << Analogowy << true;
    QTest::newRow("exact setting, Przerwij") << Cyfrowy << false;
    QTest::newRow("exact setting, close box") << Cyfrowy << true;
}

void AmplitudeRunTest::abortKeepsEarlierPointsAndTheRestAsTheyWere()
{
    QFETCH(QString, typ);
    QFETCH(bool, closeBox);
    const bool reading = typ == Analogowy;

    Bench b(typ);
    // Five points of a volt range, all measured on the 100 mV range.
    b.addRange(1, 1, QStringLiteral("V"));
    for (int j = 1; j <= 5; ++j)
        b.addPoint(1, j, j / 100.0L);
    auto ok = [&b, reading] {
        if (reading)
            b.readingOk();
        else
            b.typed(QStringLiteral("0,01"));
    };
    auto abort = [&b, reading, closeBox] {
        if (reading)
            b.onReading([closeBox](TForm_PomiaryDO *d) {
                closeBox ? d->pressCloseBox() : d->PrzerwBtnClick();
            });
        else
            b.onSetting([closeBox](TForm_PomiaryDN *d) {
                closeBox ? d->pressCloseBox() : d->BitBtn_PomDN_PrzerwijClick();
            });
    };

    // A first point aborted at once keeps what was typed: nothing is half
    // converted into millivolts.
    const QByteArray untouched = bytesOf(b.point(1, 1));
    abort();
    b.t.link.open();
    QVERIFY(!b.run.runRange(1, PointChoice::Ticked));
    QCOMPARE(bytesOf(b.point(1, 1)), untouched);
    QVERIFY(!b.range(1).Zmierzony());
    QVERIFY(b.session.isSaved());

    for (int j = 1; j <= 5; ++j)
        ok();
    QVERIFY(b.run.runRange(1, PointChoice::Ticked));
    QList<QByteArray> before;
    for (int j = 1; j <= 5; ++j)
        before.append(bytesOf(b.point(1, j)));

    // Again, aborting at point 3 of 5.
    b.t.transcript.clear();
    ok();
    ok();
    abort();
    QVERIFY(!b.run.runRange(1, PointChoice::Ticked));
    QCOMPARE(b.frames().size(), 3);
    for (int j = 3; j <= 5; ++j)
        QCOMPARE(bytesOf(b.point(1, j)), before[j - 1]);
    QCOMPARE(b.point(1, 3).JmBk(), QStringLiteral("mV"));
    QVERIFY(near(b.point(1, 3).Nk(), 30));

    // A third run finds every point in millivolts still: the frames carry
    // 30 mV, not 30 V or 0.03 mV.
    b.t.transcript.clear();
    for (int j = 1; j <= 5; ++j)
        ok();
    QVERIFY(b.run.runRange(1, PointChoice::Ticked));
    const QString expected =
        reading ? QStringLiteral("<Z0N30.000000O>") : QStringLiteral("<Z0F0N30.0000O>");
    QCOMPARE(b.frames().at(2), expected);
    QVERIFY(near(b.point(1, 3).Nk(), 30));
}

void AmplitudeRunTest::highVoltageWarning_data()
{
    QTest::addColumn<QList<double>>("points");
    QTest::addColumn<QStringList>("frames");
    // The last standby is the end of the run's.
    QTest::newRow("Z3 then Z4 warns once")
        << QList<double>{150, 500}
        << QStringList{"<S>", "<Z3F0N150.0000O>", "<Z4F0N500.000O>", "<S>"};
    QTest::newRow("Z3, Z2, Z3 warns twice")
        << QList<double>{150, 15, 150} << QStringList{"<S>", "<Z3F0N150.0000O>", "<Z2F0N15.00000O>",
                                                      "<S>", "<Z3F0N150.0000O>", "<S>"};
}

void AmplitudeRunTest::highVoltageWarning()
{
    QFETCH(QList<double>, points);
    QFETCH(QStringList, frames);

    Bench b(Cyfrowy);
    b.addRange(1, 1000, QStringLiteral("V"));
    for (int j = 1; j <= points.size(); ++j) {
        b.addPoint(1, j, points[j - 1]);
        b.typed(QStringLiteral("1"));
    }
    b.measureCurrentRange();

    // The standby frame follows the warning, before the setting.
    QCOMPARE(b.frames(), frames);
    QCOMPARE(b.messages().size(), frames.count(QStringLiteral("<S>")) - 1);
    const PromptMessage warning = b.t.prompts.messages.first();
    QCOMPARE(warning.text, QStringLiteral("Zaciski wysokonapięciowe  -  HIGH VOLTAGE"));
    QCOMPARE(warning.caption, QStringLiteral("Uwaga"));
    QCOMPARE(warning.icon, PromptIcon::Warning);

    // The run ended on a high-voltage range, warned; the next run warns
    // again before its first point all the same. After an abort, too.
    b.t.prompts.messages.clear();
    b.onSetting([](TForm_PomiaryDN *d) { d->BitBtn_PomDN_PrzerwijClick(); });
    b.measureCurrentRange();
    QCOMPARE(b.messages(), QStringList{PointLoop::highVoltageText});
    b.t.prompts.messages.clear();
    b.typed(QStringLiteral("1"));
    for (int j = 2; j <= points.size(); ++j)
        b.range(1).Punkty(j).setWl(false);
    b.measureCurrentRange();
    QCOMPARE(b.messages().size(), 1);
}

void AmplitudeRunTest::resultsShowInTheUnitBesideThem_data()
{
    QTest::addColumn<double>("zak");
    QTest::addColumn<QString>("jm");
    QTest::addColumn<double>("nominal");
    QTest::addColumn<QString>("indication");
    QTest::addColumn<double>("storedBmd");  // in the range unit
    QTest::addColumn<QStringList>("cells"); // Bmr, Bmd, Bk and their unit
    QTest::addColumn<QList<double>>("numbers");

    // 250 mV goes to the calibrator's 1 V range: the permissible 1.275 mV
    // shows as volts beside "V", and the actual 5 mV exceeds it.
    QTest::newRow("300 mV range on the 1 V range")
        << 300.0 << "mV" << 250.0 << "255" << 1.275
        << QStringList{"0,005000*", "0,001275", "0,000091", "V"}
        << QList<double>{0.005, 0.001275, 0.0000908};
    // 0.2 A goes to the 100 mA range and shows in milliamperes.
    QTest::newRow("1 A range on the 100 mA range")
        << 1.0 << "A" << 0.2 << "0,2002" << 0.001001
        << QStringList{"0,2000", "1,0010", "0,0461", "mA"} << QList<double>{0.2, 1.001, 0.04612};
}

void AmplitudeRunTest::resultsShowInTheUnitBesideThem()
{
    QFETCH(double, zak);
    QFETCH(QString, jm);
    QFETCH(double, nominal);
    QFETCH(QString, indication);
    QFETCH(double, storedBmd);
    QFETCH(QStringList, cells);
    QFETCH(QList<double>, numbers);

    Bench b(Cyfrowy);
    b.addRange(1, zak, jm);
    b.addPoint(1, 1, nominal);
    b.typed(indication);
    b.measureCurrentRange();
    QVERIFY(near(b.point(1, 1).Bmd(), storedBmd));
    // The dialog said the indication was taken in the range's unit.
    QCOMPARE(b.shown[0].unit, jm);

    AmplitudeGridRules rules(b.session);
    QStringList grid;
    for (int column : {AmplitudeTags::BmrColumn, AmplitudeTags::BmdColumn, AmplitudeTags::BkColumn,
                       AmplitudeTags::UnitColumn})
        grid.append(rules.text(GridArea::Points, column, 1));
    QStringList expected = cells;
    expected[0].remove(QLatin1Char('*'));
    QCOMPARE(grid, expected);
    QCOMPARE(rules.decision(1) == Decision::Fail, cells[0].endsWith(QLatin1Char('*')));

    const OutputRange range{Characteristic::Amplitude, 1};
    const ReportContent::Row row = ReportContent::fill(b.record(), {}, range).rows.value(0);
    QCOMPARE((QStringList{row.cells[2], row.cells[3], row.cells[4], row.cells[5]}), cells);
    const WorkbookContent workbook = WorkbookContent::fill(b.record(), {}, range);
    for (int column = 3; column <= 5; ++column)
        QVERIFY2(near(*workbook.cell(14, column)->number, numbers[column - 3]),
                 qPrintable(QString::number(column)));
    QCOMPARE(workbook.cell(14, 6)->text, cells[3]);
}

void AmplitudeRunTest::everyEndingLeavesTheOutputInStandby_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<int>("cz");
    QTest::addColumn<QString>("ending"); // what the second point meets
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("messages");

    const QStringList setting{"open", "<Z2F0N5.00000O>", "<Z2F0N7.00000O>", "<S>", "close"};
    const QStringList none;
    QTest::newRow("end") << Cyfrowy << 0 << "ok" << setting << none;
    QTest::newRow("Przerwij pomiary")
        << Analogowy << 0 << "abort"
        << QStringList{"open", "<Z2F0N5.000000O>", "1500ms", "<Z2N7.000000O>", "<S>", "close"}
        << none;
    QTest::newRow("close box") << Cyfrowy << 0 << "close box" << setting << none;
    // The second point's frame is lost, then the line works again.
    QTest::newRow("link error") << Cyfrowy << 0 << "link error"
                                << QStringList{"open", "<Z2F0N5.00000O>", "<S>", "close"}
                                << QStringList{"Błąd zapisu do portu komunikacyjnego."};
    QTest::newRow("every range, stopped")
        << Cyfrowy << 0 << "stop all" << setting << QStringList{MeasureCommand::stopQuestionText};
    // An R-707 has no frequency setting: nothing but the standby goes out.
    const QString refused = PointLoop::noFrequencySettingText(QStringLiteral("R-707"));
    QTest::newRow("user frequency on an R-707")
        << Cyfrowy << 4 << "ok" << QStringList{"open", "<S>", "close"}
        << QStringList{refused, refused};
}

void AmplitudeRunTest::everyEndingLeavesTheOutputInStandby()
{
    QFETCH(QString, typ);
    QFETCH(int, cz);
    QFETCH(QString, ending);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, messages);

    Bench b(typ);
    b.addRange(1, 10, QStringLiteral("V"), cz, 99.99);
    b.addPoint(1, 1, 5);
    b.addPoint(1, 2, 7);
    for (int j = 1; j <= (ending == QLatin1String("ok") ? 2 : 1); ++j)
        typ == Analogowy ? b.readingOk() : b.typed(QStringLiteral("5"));
    if (ending == QLatin1String("link error"))
        b.t.link.framesBeforeWriteFailure = b.t.link.failingWrites = 1;
    else if (typ == Analogowy)
        b.onReading([](TForm_PomiaryDO *d) { d->PrzerwBtnClick(); });
    else
        b.onSetting([ending](TForm_PomiaryDN *d) {
            ending == QLatin1String("close box") ? d->pressCloseBox()
                                                 : d->BitBtn_PomDN_PrzerwijClick();
        });
    b.t.prompts.answers.push_back(PromptButton::Yes);
    b.choose(ending == QLatin1String("stop all") ? TForm_Pomiary::WszystkieZakresy
                                                 : TForm_Pomiary::BiezacyZakres,
             TForm_Pomiary::Zaznaczone);

    b.command.Menu_PomiaryClick();

    QCOMPARE(b.lines(), lines);
    QCOMPARE(b.t.link.sent.last(), Frames::standbyFrame());
    QCOMPARE(b.messages(), messages);
    // A point refused for its frequency keeps what was typed, unmeasured.
    QCOMPARE(b.point(1, 1).Zmierzony(), cz == 0);
}

void AmplitudeRunTest::everyRangeAsksWhetherToStop_data()
{
    QTest::addColumn<bool>("noTicks");
    QTest::addColumn<bool>("stop");
    QTest::newRow("abort, go on") << false << false;
    QTest::newRow("abort, stop") << false << true;
    QTest::newRow("nothing ticked, go on") << true << false;
    QTest::newRow("nothing ticked, stop") << true << true;
}

void AmplitudeRunTest::everyRangeAsksWhetherToStop()
{
    QFETCH(bool, noTicks);
    QFETCH(bool, stop);

    Bench b(Cyfrowy);
    for (int k = 1; k <= 3; ++k) {
        b.addRange(k, 10, QStringLiteral("V"));
        b.addPoint(k, 1, k);
    }
    b.typed(QStringLiteral("1"));
    if (noTicks)
        b.range(2).Punkty(1).setWl(false);
    else
        b.onSetting([](TForm_PomiaryDN *d) { d->BitBtn_PomDN_PrzerwijClick(); });
    if (!stop)
        b.typed(QStringLiteral("3"));
    b.t.prompts.answers.push_back(stop ? PromptButton::Yes : PromptButton::No);
    b.session.setCurrentRange(Characteristic::Amplitude, 2);

    b.choose(TForm_Pomiary::WszystkieZakresy, TForm_Pomiary::Zaznaczone);
    b.command.Menu_PomiaryClick();

    QCOMPARE(b.messages(), QStringList{"Czy przerwać pomiary na wszystkich zakresach?"});
    const PromptMessage question = b.t.prompts.messages.first();
    QCOMPARE(question.caption, QStringLiteral("Przerwij pomiary"));
    QCOMPARE(question.icon, PromptIcon::Question);
    QCOMPARE(question.buttons, PromptButton::Yes | PromptButton::No);
    QVERIFY(b.point(1, 1).Zmierzony());
    QVERIFY(!b.point(2, 1).Zmierzony());
    QCOMPARE(b.point(3, 1).Zmierzony(), !stop);
    QCOMPARE(b.lines().last(), QStringLiteral("close"));
    // Only the current range's rows are on show.
    QCOMPARE(b.view.shownPoints, QList<int>{});
}

void AmplitudeRunTest::checksBeforeTheLinkOpens_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<double>("zak");
    QTest::addColumn<QString>("jm");
    QTest::addColumn<int>("cz");
    QTest::addColumn<QString>("message");
    const QString highCurrent = MeasureCommand::highCurrentText;
    const QString unknown = MeasureCommand::unknownModelText;
    QTest::newRow("30 A DC") << "R-707C" << 30.0 << "A" << 0 << highCurrent;
    QTest::newRow("20.5 A DC") << "R-707FC" << 20.5 << "A" << 0 << highCurrent;
    QTest::newRow("30 A DC, unknown model") << "R-708" << 30.0 << "A" << 0 << highCurrent;
    QTest::newRow("30 A at 50 Hz") << "R-707C" << 30.0 << "A" << 1 << QString();
    QTest::newRow("20 A DC") << "R-707" << 20.0 << "A" << 0 << QString();
    QTest::newRow("30000 mA DC") << "R-707" << 30000.0 << "mA" << 0 << QString();
    QTest::newRow("unknown model") << "R-708" << 10.0 << "V" << 0 << unknown;
    QTest::newRow("no model") << "" << 10.0 << "V" << 0 << unknown;
}

void AmplitudeRunTest::checksBeforeTheLinkOpens()
{
    QFETCH(QString, model);
    QFETCH(double, zak);
    QFETCH(QString, jm);
    QFETCH(int, cz);
    QFETCH(QString, message);

    Bench b(Cyfrowy, model);
    b.addRange(1, 10, QStringLiteral("V"));
    // The offending range need not be the current one.
    b.addRange(2, zak, jm, cz, cz ? 50 : 0);
    b.state.OstatniaFunkcja = QStringLiteral("F1");
    b.t.prompts.defaultDialogHandler = [](QDialog *) { return int(QDialog::Rejected); };

    b.command.Menu_PomiaryClick();

    if (message.isEmpty()) {
        QVERIFY(b.messages().isEmpty());
        QCOMPARE(b.t.prompts.dialogsShown, QStringList{"TForm_Pomiary"});
        QCOMPARE(b.lines(), (QStringList{"open", "close"}));
        QVERIFY(b.state.OstatniaFunkcja.isEmpty());
        return;
    }
    QCOMPARE(b.messages(), QStringList{message});
    QCOMPARE(b.t.prompts.messages.first().caption, QStringLiteral("Uwaga!"));
    QCOMPARE(b.t.prompts.messages.first().icon, PromptIcon::Warning);
    QVERIFY(b.t.prompts.dialogsShown.isEmpty());
    QVERIFY(b.lines().isEmpty());
}

void AmplitudeRunTest::expiredStandardIsAskedAboutFirst_data()
{
    // The clock's day is 14.03.2025.
    QTest::addColumn<QDate>("validUntil");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("measured");
    QTest::newRow("valid through the day") << QDate(2025, 3, 14) << 0 << false << true;
    QTest::newRow("no validity given") << QDate() << 0 << false << true;
    QTest::newRow("expired the day before, go on")
        << QDate(2025, 3, 13) << int(PromptButton::Yes) << true << true;
    QTest::newRow("expired, stop") << QDate(2024, 12, 31) << int(PromptButton::No) << true << false;
}

void AmplitudeRunTest::expiredStandardIsAskedAboutFirst()
{
    QFETCH(QDate, validUntil);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, measured);

    LabSettings lab;
    lab.standardSerial = QStringLiteral("12345");
    lab.standardCertificate = QStringLiteral("AP-77/2024");
    lab.standardValidUntil = validUntil;
    lab.save();
    const auto forget = qScopeGuard(
        [] { QSettings(LabSettings::filePath(), QSettings::IniFormat).remove("Laboratorium"); });
    Bench b(Cyfrowy, QStringLiteral("R-707C"));
    b.addRange(1, 20, QStringLiteral("V"));
    b.addPoint(1, 1, 5);
    // An earlier verification of the meter, with another standard.
    DocumentExtension earlier;
    CertificateData::recordMeasurement(earlier, QDate(2024, 3, 1),
                                       {QStringLiteral("R-707"), QStringLiteral("999"), {}, {}});
    b.session.setExtension(earlier);
    if (answer)
        b.t.prompts.answers.push_back(PromptButton(answer));
    b.typed(QStringLiteral("5,01"));

    b.measureCurrentRange();

    const QString question =
        QStringLiteral("Świadectwo wzorca straciło ważność dnia %1. Kontynuować?")
            .arg(validUntil.toString(QStringLiteral("dd.MM.yyyy")));
    QCOMPARE(b.messages(), asked ? QStringList{question} : QStringList{});
    if (asked)
        QCOMPARE(b.t.prompts.messages.first().buttons, PromptButton::Yes | PromptButton::No);
    QCOMPARE(b.point(1, 1).Zmierzony(), measured);
    if (!measured) {
        QVERIFY(b.lines().isEmpty());
        QVERIFY(b.t.prompts.dialogsShown.isEmpty());
        QCOMPARE(b.session.extension(), earlier);
        return;
    }
    // The day and the standard of this run replace the earlier ones.
    QCOMPARE(CertificateData::of(b.session.extension()).verifiedOn, QDate(2025, 3, 14));
    QCOMPARE(StandardInUse::of(b.session.extension()),
             (StandardInUse{QStringLiteral("R-707C"), QStringLiteral("12345"),
                            QStringLiteral("AP-77/2024"), validUntil}));
}

void AmplitudeRunTest::frequencyCharacteristicWaitsForItsRuns()
{
    Bench b(Cyfrowy);
    b.addRange(1, 30, QStringLiteral("A"));
    b.session.setShownView([] { return DocumentSession::View::Frequency; });

    // Nothing measures the frequency characteristic yet.
    b.command.Menu_PomiaryClick();
    QVERIFY(b.messages().isEmpty());
    QVERIFY(b.lines().isEmpty());
    QVERIFY(b.t.prompts.dialogsShown.isEmpty());

    // Once it does, the amplitude table's 100 A check holds there too, and
    // the choice goes to the frequency runs.
    FakeRuns frequency;
    b.command.setFrequencyRuns(&frequency);
    b.command.Menu_PomiaryClick();
    QCOMPARE(b.messages(), QStringList{MeasureCommand::highCurrentText});

    b.range(1).setCz(1);
    b.choose(TForm_Pomiary::WszystkieZakresy, TForm_Pomiary::Wszystkie);
    b.command.Menu_PomiaryClick();
    QCOMPARE(frequency.ran, (QList<QPair<int, PointChoice>>{{1, PointChoice::AllDefined},
                                                            {2, PointChoice::AllDefined}}));
    QCOMPARE(b.lines(), (QStringList{"open", "<S>", "close"}));
}

void AmplitudeRunTest::linkFailureStopsTheRunKeepingEarlierPoints_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<int>("framesBeforeFailure");
    // Exact setting: the run's own frame for point 2 fails. Exact reading:
    // point 2 comes up, and its first step fails.
    QTest::newRow("exact setting") << Cyfrowy << 1;
    QTest::newRow("exact reading") << Analogowy << 2;
}

void AmplitudeRunTest::linkFailureStopsTheRunKeepingEarlierPoints()
{
    QFETCH(QString, typ);
    QFETCH(int, framesBeforeFailure);

    Bench b(typ);
    for (int k = 1; k <= 2; ++k) {
        b.addRange(k, 1000, QStringLiteral("V"));
        for (int j = 1; j <= 3; ++j)
            b.addPoint(k, j, 100 * j);
    }
    const QByteArray second = bytesOf(b.point(1, 2));
    const QByteArray other = bytesOf(b.point(2, 1));
    if (typ == Analogowy) {
        b.readingOk();
        b.onReading([](TForm_PomiaryDO *d) {
            d->clickUp();
            d->OkBtnClick();
        });
    } else {
        b.typed(QStringLiteral("100,1"));
    }
    b.choose(TForm_Pomiary::WszystkieZakresy, TForm_Pomiary::Zaznaczone);
    b.t.link.framesBeforeWriteFailure = framesBeforeFailure + 1; // the standby frame

    b.command.Menu_PomiaryClick();

    // One box with the link's message; no question about the other ranges.
    QCOMPARE(b.t.prompts.messages.size(), 2);
    QCOMPARE(b.t.prompts.messages[0].text, PointLoop::highVoltageText);
    QCOMPARE(b.t.prompts.messages[1].text, QStringLiteral("Błąd zapisu do portu komunikacyjnego."));
    QCOMPARE(b.t.prompts.messages[1].caption, QStringLiteral("Błąd komunikacji"));
    QCOMPARE(b.lines().last(), QStringLiteral("close"));
    QVERIFY(!b.t.link.isOpen());
    QVERIFY(b.point(1, 1).Zmierzony());
    QVERIFY(b.range(1).Zmierzony());
    QCOMPARE(bytesOf(b.point(1, 2)), second);
    QCOMPARE(bytesOf(b.point(2, 1)), other);
    // The calibrator may not be in standby: the next run warns again.
    QVERIFY(!b.state.OstrzezenieWN);
}

void AmplitudeRunTest::menuCommandFillsTheGridRow()
{
    TestServices t;
    MeasurementState state;
    TForm_Sprawdzanie window(t.services);
    TForm_Czestotliwosc frequencyDialog(t.prompts, &window);
    AmplitudePage page(t.services, window.session(), window.frame(), frequencyDialog);
    TForm_PomiaryDO reading(t.services, state);
    TForm_PomiaryDN setting(t.services, state);
    TForm_Pomiary chooser(t.services);
    MeasureMenu menu(t.services, state, window.session(), window, *window.Menu_Pomiary, page,
                     reading, setting, chooser);
    window.show();

    DocumentSession &session = window.session();
    session.setMeterDialog([&session](bool) {
        session.record().setTyp(Cyfrowy);
        return true;
    });
    session.newDocument();
    TZakresAmpl range = session.record().ZakresyAmpl(1);
    range.setZak(20);
    range.setJm(QStringLiteral("V"));
    range.setKmm(0.5L);
    range.setKmzDod(QStringLiteral("0"));
    range.Punkty(1).setWl(true);
    page.grid().showDocument();
    QVERIFY(session.isSaved());
    // The point's setting is still in its cell when the command is chosen.
    QVERIFY(page.grid().moveTo({GridArea::Points, 2, 1}, {}));
    QTest::keyClicks(page.view().editor(), QStringLiteral("5"));

    t.prompts.dialogHandlers.push_back({QStringLiteral("TForm_Pomiary"), [](QDialog *dialog) {
                                            auto *d = qobject_cast<TForm_Pomiary *>(dialog);
                                            d->PPOKClick();
                                            return d->result();
                                        }});
    CharacteristicGrid &grid = page.grid();
    bool highlighted = false;
    t.prompts.dialogHandlers.push_back(
        {QStringLiteral("TForm_PomiaryDN"), [&grid, &highlighted](QDialog *dialog) {
             // While the operator reads the meter, the grid shows which point.
             highlighted = grid.cell(GridArea::Points, 2, 1).inProgress;
             auto *d = qobject_cast<TForm_PomiaryDN *>(dialog);
             d->typeIndication(QStringLiteral("5,01"));
             d->pressOk();
             return d->result();
         }});
    window.Menu_Pomiary->setEnabled(true);
    window.Menu_Pomiary->trigger();

    QCOMPARE(t.transcript.lines(), (QStringList{"open", "<Z2F0N5.00000O>", "<S>", "close"}));
    QVERIFY(highlighted);
    QCOMPARE(grid.progressRow(), 0);
    const auto text = [&grid](int column) { return grid.cell(GridArea::Points, column, 1).text; };
    QCOMPARE(text(1), QStringLiteral("5,01000"));
    QCOMPARE(text(2), QStringLiteral("5,00000"));
    QCOMPARE(text(3), QStringLiteral("0,01000"));
    QCOMPARE(text(6), QStringLiteral("V"));
    QVERIFY(!session.isSaved());
}

ORVANE_TEST_MAIN(AmplitudeRunTest)
#include "tst_amplituderun.moc"
