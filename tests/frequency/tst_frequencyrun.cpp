#include "core/amplitude/amplitudegrid.h"
#include "core/characteristic/characteristicgrid.h"
#include "core/characteristic/errormath.h"
#include "core/document/documentsession.h"
#include "core/frequency/frequencygrid.h"
#include "core/frequency/frequencyrun.h"
#include "core/measure/measurecommand.h"
#include "core/measure/pointloop.h"
#include "core/output/chartcontent.h"
#include "core/output/reportcontent.h"
#include "core/output/workbookcontent.h"
#include "gui/measure/tform_pomiary.h"
#include "gui/measure/tform_pomiarydn_cz.h"
#include "gui/measure/tform_pomiarydo_cz.h"
#include "tests/support/core/testmain.h"
#include "tests/support/gui/runbench.h"

#include <QLineEdit>

#include <functional>

namespace {

// The amplitude side, which these tests never show.
class NoRuns : public RangeRuns
{
public:
    int rangeCount() const override { return 0; }
    int currentRange() const override { return 1; }
    bool runRange(int, PointChoice) override { return false; }
};

// The frequency runs and the command, with the frequency characteristic on
// show.
struct Bench : RunBench<TForm_PomiaryDO_Cz, TForm_PomiaryDN_Cz>
{
    FrequencyRun run{t.services, state, session, dialogs, view};
    NoRuns amplitude;
    MeasureCommand command{t.services, state, session, amplitude, procedure};
    // What the dialogs showed: the setting or the indication, and the
    // frequency.
    QStringList shown;

    explicit Bench(const QString &typ, const QString &model = QStringLiteral("R-707"))
        : RunBench(typ, model)
    {
        command.setFrequencyRuns(&run);
        session.setShownView([] { return DocumentSession::View::Frequency; });
    }

    bool analogowy() { return record().isAnalogowy(); }
    TZakresCz range(int k) { return record().ZakresyCz(k); }
    TPunktCz point(int k, int j) { return range(k).Punkty(j); }

    void addRange(int k, long double zak, const QString &jm, long double amplitude)
    {
        TZakresCz r = range(k);
        r.setZak(zak);
        r.setJm(jm);
        r.setNkDN_WmDO(amplitude);
        r.setKmm(0.5L);
        r.setKmz(0.1L);
        r.setKmzDod(QStringLiteral("0"));
    }

    // cz 0..2 for 50, 60 and 400 Hz, 3 for the user's own.
    void addPoint(int k, int j, int cz, long double hertz, bool ticked = true)
    {
        TPunktCz p = point(k, j);
        p.setCz(cz);
        p.setCzHz(hertz);
        p.setWpisany(true);
        p.setWl(ticked);
    }

    // The operator accepts the next point: types an indication, or steps
    // the calibrator up the given number of times on the last digit.
    void accept(const QString &indication = QStringLiteral("0,151"), int steps = 0)
    {
        if (analogowy()) {
            t.prompts.dialogHandlers.push_back(
                {QStringLiteral("TForm_PomiaryDO_Cz"), [this, steps](QDialog *dialog) {
                     auto *d = qobject_cast<TForm_PomiaryDO_Cz *>(dialog);
                     d->activateIfPending();
                     shown << d->Edit_PomDO_Cz_WskazanieMiernika->text()
                           << d->Edit_PomDO_Cz_Czestotliwosc->text();
                     for (int i = 0; i < steps; ++i)
                         d->clickUp();
                     d->pressOk();
                     return d->result();
                 }});
            return;
        }
        t.prompts.dialogHandlers.push_back(
            {QStringLiteral("TForm_PomiaryDN_Cz"), [this, indication](QDialog *dialog) {
                 auto *d = qobject_cast<TForm_PomiaryDN_Cz *>(dialog);
                 shown << d->Edit_PomDN_Cz_NastawaKalibratora->text()
                       << d->Edit_PomDN_Cz_Czestotliwosc->text();
                 d->typeIndication(indication);
                 d->pressOk();
                 return d->result();
             }});
    }

    void abort()
    {
        const QString name = analogowy() ? QStringLiteral("TForm_PomiaryDO_Cz")
                                         : QStringLiteral("TForm_PomiaryDN_Cz");
        t.prompts.dialogHandlers.push_back(
            {name, [this](QDialog *dialog) {
                 if (auto *d = qobject_cast<TForm_PomiaryDO_Cz *>(dialog))
                     d->BitBtn_PomDO_Cz_PrzerwijClick();
                 else
                     qobject_cast<TForm_PomiaryDN_Cz *>(dialog)->BitBtn_PomDN_Cz_PrzerwijClick();
                 return dialog->result();
             }});
    }

    // "Po&miary" with the procedure chooser answered.
    void measure(int zakresy = TForm_Pomiary::BiezacyZakres, int punkty = TForm_Pomiary::Zaznaczone)
    {
        choose(zakresy, punkty);
        command.Menu_PomiaryClick();
    }
};

} // namespace

class FrequencyRunTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runDrivesTheCalibratorAndStoresThePoint_data();
    void runDrivesTheCalibratorAndStoresThePoint();
    void amplitudeIsNeverScaledTwice_data();
    void amplitudeIsNeverScaledTwice();
    void everyRangeWithTheStopQuestion_data();
    void everyRangeWithTheStopQuestion();
    void resultsFollowAClassEdit_data();
    void resultsFollowAClassEdit();
    void failuresKeepWhatWasMeasured_data();
    void failuresKeepWhatWasMeasured();
};

void FrequencyRunTest::runDrivesTheCalibratorAndStoresThePoint_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QStringList>("frames");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<double>("measured");

    // 5 V on a 20 V meter range: the calibrator's 10 V range, five decimals,
    // the function first; 45.3 Hz goes out as typed, not as the
    // 45.2999999999884 it is stored as. The run ends in standby.
    QTest::newRow("exact setting")
        << Cyfrowy << "R-707F" << QStringList{"<F4V45.3Z2N5.00000O>", "<F2Z2N5.00000O>", "<S>"}
        << QStringList{"5,00000V", "45,3", "5,00000V", "60"} << 5.02;
    // The dialog sends the mark with six decimals; its steps go without the
    // function, which the calibrator keeps until it changes.
    const QStringList steps{"<Z2N5.000010O>", "<Z2N5.000020O>"};
    QTest::newRow("exact reading")
        << Analogowy << "R-707FC"
        << QStringList{"<F4V45.3Z2N5.000000O>"} + steps + QStringList{"<F2Z2N5.000000O>"} + steps +
               QStringList{"<S>"}
        << QStringList{"5,00000V", "45,3", "5,00000V", "60"} << 5.00002;
    // Without a frequency setting the point on 45.3 Hz is refused before
    // anything goes out, and the next one is measured.
    QTest::newRow("exact setting, no frequency setting")
        << Cyfrowy << "R-707" << QStringList{"<F2Z2N5.00000O>", "<S>"}
        << QStringList{"5,00000V", "60"} << 5.02;
    QTest::newRow("exact reading, no frequency setting")
        << Analogowy << "R-707C" << QStringList{"<F2Z2N5.000000O>"} + steps + QStringList{"<S>"}
        << QStringList{"5,00000V", "60"} << 5.00002;
}

void FrequencyRunTest::runDrivesTheCalibratorAndStoresThePoint()
{
    QFETCH(QString, typ);
    QFETCH(QString, model);
    QFETCH(QStringList, frames);
    QFETCH(QStringList, shown);
    QFETCH(double, measured);

    Bench b(typ, model);
    const bool refused = !b.t.services.model.hasFrequencySetting();
    b.addRange(1, 20, QStringLiteral("V"), 5);
    b.addPoint(1, 1, 3, 45.3L);
    b.addPoint(1, 2, 1, 60);
    b.addPoint(1, 3, 2, 400, false);
    const QByteArray first = bytesOf(b.point(1, 1));
    const QByteArray third = bytesOf(b.point(1, 3));
    b.accept(QStringLiteral("5,02"), 2);
    b.accept(QStringLiteral("5,02"), 2);

    b.measure();

    QCOMPARE(b.frames(), frames);
    QCOMPARE(b.t.transcript.lines().first(), QStringLiteral("open"));
    QCOMPARE(b.t.transcript.lines().last(), QStringLiteral("close"));
    QCOMPARE(b.shown, shown);
    QCOMPARE(b.messages(),
             refused ? QStringList{PointLoop::noFrequencySettingText(model)} : QStringList());
    for (int j = refused ? 2 : 1; j <= 2; ++j) {
        const ConstPunktCz point = b.point(1, j);
        QVERIFY(point.Zmierzony());
        QVERIFY(near(point.WmDN_NkDO(), measured));
        QCOMPARE(point.JmBk(), QStringLiteral("V"));
        QCOMPARE(int(point.Dokl()), 5);
        // The calibrator's AC error at the setting, in volts.
        const long double setting = typ == Cyfrowy ? 5 : measured;
        QVERIFY(near(point.Bk(), setting * 0.0005L + 0.00107L));
        // Indication minus setting; the class of the indication plus the
        // class of the range.
        QVERIFY(near(point.Bmr(), typ == Cyfrowy ? measured - 5 : 5 - measured));
        const long double indication = typ == Cyfrowy ? measured : 5;
        QVERIFY(near(point.Bmd(), indication * 0.5L / 100 + 20 * 0.1L / 100));
    }
    if (refused)
        QCOMPARE(bytesOf(b.point(1, 1)), first);
    QCOMPARE(bytesOf(b.point(1, 3)), third);
    QVERIFY(b.range(1).Zmierzony());
    QVERIFY(near(b.range(1).NkDN_WmDO(), 5));
    QVERIFY(!b.session.isSaved());
    // The other method's table is not touched.
    const ConstZakresCz other =
        typ == Cyfrowy ? b.record().ZakresyCzDO(1) : b.record().ZakresyCzDN(1);
    QVERIFY(other.isEmpty() && !other.Punkty(1).Wpisany());
    QCOMPARE(b.view.shownPoints, refused ? QList<int>{2} : (QList<int>{1, 2}));
}

void FrequencyRunTest::amplitudeIsNeverScaledTwice_data()
{
    QTest::addColumn<QString>("typ");
    for (const QString &typ : {Cyfrowy, Analogowy})
        QTest::newRow(qPrintable(typ)) << typ;
}

void FrequencyRunTest::amplitudeIsNeverScaledTwice()
{
    QFETCH(QString, typ);

    Bench b(typ);
    FrequencyGridRules rules(b.session);
    b.addRange(1, 1, QStringLiteral("V"), 0.15L);
    b.addPoint(1, 1, 0, 50);
    b.addPoint(1, 2, 0, 50);

    // Every frame of a run sends the amplitude on the 100 mV range.
    const auto sentAt = [&b](const QString &value) {
        QStringList frames = b.frames();
        QCOMPARE(frames.takeLast(), QStringLiteral("<S>"));
        QVERIFY(!frames.isEmpty());
        for (const QString &frame : frames)
            QVERIFY2(frame.contains(QStringLiteral("Z0N") + value), qPrintable(frame));
        b.t.transcript.clear();
    };
    // The amplitude as the grid, the report, the charts and the workbook
    // show it: in the range's volts, whatever unit a run left it in.
    const auto shownEverywhere = [&b, &rules](const QString &amplitude) {
        QCOMPARE(rules.text(GridArea::Ranges, FrequencyTags::AmplitudeColumn, 1), amplitude);
        const OutputRange range{Characteristic::Frequency, 1};
        QVERIFY(ReportContent::fill(b.record(), {}, range).secondLine.endsWith(amplitude + "V"));
        const ChartTable table = ChartContent::tableOf(b.record(), Characteristic::Frequency);
        const auto chart = ChartContent::build(b.record(), {}, table, ChartKind::Points, 1);
        QVERIFY(chart && chart->subheading.endsWith(amplitude + "V"));
        const double number = *WorkbookContent::fill(b.record(), {}, range).cell(8, 4)->number;
        QCOMPARE(QLocale().toString(number), amplitude);
    };

    // Three runs in a row, the last one with a point measured for the first
    // time: 150 mV goes out each time, and the record holds 150 in "mV".
    for (int run = 1; run <= 3; ++run) {
        if (run == 3) {
            b.addPoint(1, 3, 1, 60);
            b.point(1, 1).setWl(false);
        }
        b.accept(QStringLiteral("150,1"));
        b.accept(QStringLiteral("150,1"));
        b.measure();
        sentAt(QStringLiteral("150.0000"));
        QVERIFY(near(b.range(1).NkDN_WmDO(), 150));
        QCOMPARE(ErrorMath::amplitudeUnit(b.range(1)), QStringLiteral("mV"));
        shownEverywhere(QStringLiteral("0,15"));
    }
    QVERIFY(b.point(1, 3).Zmierzony());
    QCOMPARE(b.point(1, 3).JmBk(), QStringLiteral("mV"));

    // An amplitude typed between runs is in volts. The same one typed again
    // changes nothing; a new one takes the results measured at the old one
    // away, and the next run sends it scaled once.
    const GridCellRef cell{GridArea::Ranges, FrequencyTags::AmplitudeColumn, 1};
    QVERIFY(!rules.leave(cell, {QStringLiteral("0,15"), true}).changed);
    QVERIFY(b.point(1, 2).Zmierzony());
    QVERIFY(rules.leave(cell, {QStringLiteral("0,2"), true}).changed);
    QVERIFY(!b.point(1, 2).Zmierzony() && !b.point(1, 3).Zmierzony());
    QVERIFY(near(b.range(1).NkDN_WmDO(), 0.2L));
    b.accept();
    b.accept();
    b.measure();
    sentAt(QStringLiteral("200.0000"));
    QVERIFY(near(b.range(1).NkDN_WmDO(), 200));

    // An abort leaves the amplitude as the record held it, and the run
    // after it sends the same again.
    b.abort();
    b.measure();
    b.t.transcript.clear();
    QVERIFY(near(b.range(1).NkDN_WmDO(), 200));
    b.accept();
    b.accept();
    b.measure();
    sentAt(QStringLiteral("200.0000"));
    shownEverywhere(QStringLiteral("0,2"));
}

void FrequencyRunTest::everyRangeWithTheStopQuestion_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("thirdMeasured");

    for (const QString &typ : {Cyfrowy, Analogowy}) {
        QTest::addRow("%s, go on", qPrintable(typ)) << typ << int(PromptButton::No) << true;
        QTest::addRow("%s, stop", qPrintable(typ)) << typ << int(PromptButton::Yes) << false;
    }
}

void FrequencyRunTest::everyRangeWithTheStopQuestion()
{
    QFETCH(QString, typ);
    QFETCH(int, answer);
    QFETCH(bool, thirdMeasured);

    Bench b(typ);
    for (int k = 1; k <= 3; ++k) {
        b.addRange(k, 10, QStringLiteral("V"), k);
        b.addPoint(k, 1, 0, 50, false);
        b.addPoint(k, 2, 2, 400, false);
    }
    const QByteArray untouched = bytesOf(b.point(2, 2));
    b.accept(QStringLiteral("1,01"));
    b.accept(QStringLiteral("1,01"));
    b.accept(QStringLiteral("2,01"));
    b.abort();
    b.accept(QStringLiteral("3,01"));
    b.accept(QStringLiteral("3,01"));
    b.t.prompts.answers.push_back(PromptButton(answer));

    // Every range, every defined point, whether ticked or not.
    b.measure(TForm_Pomiary::WszystkieZakresy, TForm_Pomiary::Wszystkie);

    QCOMPARE(b.messages(), QStringList{MeasureCommand::stopQuestionText});
    QVERIFY(b.point(1, 2).Zmierzony());
    QVERIFY(b.point(2, 1).Zmierzony());
    QCOMPARE(bytesOf(b.point(2, 2)), untouched);
    QCOMPARE(b.point(3, 2).Zmierzony(), thirdMeasured);
    // The run puts the window back after an abort as after its end.
    QCOMPARE(b.view.centred, thirdMeasured ? 3 : 2);
}

void FrequencyRunTest::resultsFollowAClassEdit_data()
{
    QTest::addColumn<bool>("frequency");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("classText");
    QTest::addColumn<QString>("bmd");

    // 5.02 V read at 5 V: 0.02 V against 0.1 % of 5.02 V. Each edit widens
    // the permissible error past 0.02 V.
    QTest::newRow("amplitude, % w. mierz.") << false << 3 << "0,5"
                                            << "0,02510";
    QTest::newRow("amplitude, additive term") << false << 4 << "0+20mV"
                                              << "0,02502";
    QTest::newRow("frequency, % zakresu") << true << 4 << "0,2"
                                          << "0,02502";
}

void FrequencyRunTest::resultsFollowAClassEdit()
{
    QFETCH(bool, frequency);
    QFETCH(int, column);
    QFETCH(QString, classText);
    QFETCH(QString, bmd);

    // The same point out of tolerance in both tables: measured in the
    // frequency one, stored as measured in the amplitude one.
    Bench b(Cyfrowy);
    b.addRange(1, 10, QStringLiteral("V"), 5);
    b.range(1).setKmm(0.1L);
    b.range(1).setKmz(0);
    b.addPoint(1, 1, 0, 50);
    b.accept(QStringLiteral("5,02"));
    b.measure();
    TZakresAmpl amplitude = b.record().ZakresyAmpl(1);
    amplitude.setZak(10);
    amplitude.setJm(QStringLiteral("V"));
    amplitude.setKmm(0.1L);
    amplitude.setKmzDod(QStringLiteral("0"));
    amplitude.setZmierzony(true);
    TPunktAmpl point = amplitude.Punkty(1);
    point.setNk(5);
    point.setWm(5.02L);
    point.setJmBk(QStringLiteral("V"));
    point.setDokl(5);
    point.setWpisany(true);
    point.setZmierzony(true);
    ErrorMath::computeRange(amplitude);
    b.session.setSaved(true);

    AmplitudeGridRules amplitudeRules(b.session);
    FrequencyGridRules frequencyRules(b.session);
    CharacteristicGrid grid(frequency ? static_cast<GridRules &>(frequencyRules) : amplitudeRules,
                            b.session, b.t.prompts);
    grid.showDocument();
    QVERIFY(grid.cell(GridArea::Points, 3, 1).alarm);
    QCOMPARE(grid.cell(GridArea::Points, 4, 1).text, QStringLiteral("0,00502"));

    QVERIFY(grid.moveTo({GridArea::Ranges, column, 1}, {}));
    QVERIFY(grid.leave({classText, true}, CharacteristicGrid::CommitMode::Interactive));

    // The red point is black at once, with the new permissible error.
    QVERIFY(!grid.cell(GridArea::Points, 3, 1).alarm);
    QCOMPARE(grid.cell(GridArea::Points, 4, 1).text, bmd);
    QVERIFY(!b.session.isSaved());
    QVERIFY(b.messages().isEmpty());
}

void FrequencyRunTest::failuresKeepWhatWasMeasured_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("jm");
    QTest::addColumn<double>("amplitude");
    QTest::addColumn<int>("framesBeforeFailure");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("measured"); // points measured afterwards

    QTest::newRow("unknown model") << Cyfrowy << ""
                                   << "V" << 5.0 << -1 << MeasureCommand::unknownModelText << 0;
    QTest::newRow("link fails at the second point") << Cyfrowy << "R-707"
                                                    << "V" << 5.0 << 1 << "" << 1;
    QTest::newRow("link fails in the dialog") << Analogowy << "R-707"
                                              << "V" << 5.0 << 1 << "" << 0;
    QTest::newRow("beyond an R-707")
        << Cyfrowy << "R-707"
        << "A" << 25.0 << -1 << "Wartosc nastawy 25A przekracza zakres kalibratora!!! " << 0;
    QTest::newRow("on the 100 A range of an R-707C") << Cyfrowy << "R-707C"
                                                     << "A" << 25.0 << -1 << "" << 2;
    QTest::newRow("beyond an R-707FC")
        << Analogowy << "R-707FC"
        << "A" << 101.0 << -1 << "Wartość nastawy 101A przekracza zakres kalibratora!!! " << 0;
    QTest::newRow("no method") << ""
                               << "R-707"
                               << "V" << 5.0 << -1 << "" << 0;
}

void FrequencyRunTest::failuresKeepWhatWasMeasured()
{
    QFETCH(QString, typ);
    QFETCH(QString, model);
    QFETCH(QString, jm);
    QFETCH(double, amplitude);
    QFETCH(int, framesBeforeFailure);
    QFETCH(QString, message);
    QFETCH(int, measured);

    Bench b(typ, model);
    for (TZakresCz range : {b.record().ZakresyCzDN(1), b.record().ZakresyCzDO(1)}) {
        range.setZak(100);
        range.setJm(jm);
        range.setNkDN_WmDO(amplitude);
        for (int j = 1; j <= 2; ++j) {
            range.Punkty(j).setCzHz(50);
            range.Punkty(j).setWpisany(true);
            range.Punkty(j).setWl(true);
        }
    }
    const TDaneSprawdzania before = b.record();
    b.t.link.framesBeforeWriteFailure = framesBeforeFailure;
    for (int j = 0; j < 2; ++j)
        b.accept(QStringLiteral("5"), 1);

    b.measure();

    int count = 0;
    for (int j = 1; j <= 2; ++j)
        count += b.record().ZakresyCzDN(1).Punkty(j).Zmierzony() +
                 b.record().ZakresyCzDO(1).Punkty(j).Zmierzony();
    QCOMPARE(count, measured);
    if (framesBeforeFailure >= 0) {
        // The link's message in the general error box; the link is closed.
        QCOMPARE(b.t.prompts.messages.size(), 1);
        QCOMPARE(b.t.transcript.lines().last(), QStringLiteral("close"));
    } else if (!message.isEmpty()) {
        QCOMPARE(b.messages().value(0), message);
    } else {
        QVERIFY(b.messages().isEmpty());
    }
    if (measured == 0)
        QVERIFY(b.record() == before);
}

ORVANE_TEST_MAIN(FrequencyRunTest)
#include "tst_frequencyrun.moc"
