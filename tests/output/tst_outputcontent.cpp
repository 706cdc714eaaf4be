#include "core/document/documentextension.h"
#include "core/output/chartcontent.h"
#include "core/output/printplan.h"
#include "core/output/reportcontent.h"
#include "core/output/reportlayout.h"
#include "core/output/spreadsheetexport.h"
#include "core/output/workbookcontent.h"
#include "core/output/workbookfile.h"
#include "tests/output/outputdocuments.h"
#include "tests/output/xlsxcells.h"
#include "tests/support/core/testmain.h"
#include "tests/support/core/testservices.h"

#include <QDir>
#include <QTemporaryDir>

using namespace OutputDocuments;

namespace {

const QString Tick = ReportLayout::checkMark();

// A range of one measured, ticked amplitude point.
TDaneSprawdzania onePoint(long double zak, const QString &jm, long double wm, long double nk,
                          long double bmr, long double bmd, const char *jmBk)
{
    TDaneSprawdzania record;
    record.setTyp(QStringLiteral("Cyfrowy"));
    setAmplitudeRange(record, 1, zak, jm, {{1, wm, nk, bmr, bmd, 0, jmBk, 4, true, true}});
    return record;
}

struct Expected
{
    QString cell;
    // A QString for a text cell, a double for a number cell, nothing for an
    // empty cell.
    QVariant value;
    QString format;
};

// Every letter half as wide as the font is high.
struct HalfEmMeasurer : TextMeasurer
{
    double width(const QString &text, const PageFont &font) const override
    {
        return text.size() * font.pixelSize * 0.5;
    }
};

class NoOpener : public FileOpener
{
public:
    bool open(const QString &) override { return true; }
};

} // namespace

Q_DECLARE_METATYPE(TDaneSprawdzania)
Q_DECLARE_METATYPE(OutputRange)
Q_DECLARE_METATYPE(QList<Expected>)
Q_DECLARE_METATYPE(QList<QList<double>>)

class OutputContentTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reportShowsEachDefinedPointOnceWithTheVerdict_data();
    void reportShowsEachDefinedPointOnceWithTheVerdict();
    void boxTextsShrinkThenAreCut();
    void rangesWithNothingToShowAreRefused_data();
    void rangesWithNothingToShowAreRefused();
    void workbookCellsReadBack_data();
    void workbookCellsReadBack();
    void chartSeriesAndScales_data();
    void chartSeriesAndScales();
    void outputsJudgeByTheDocumentsRule_data();
    void outputsJudgeByTheDocumentsRule();
};

void OutputContentTest::reportShowsEachDefinedPointOnceWithTheVerdict_data()
{
    QTest::addColumn<TDaneSprawdzania>("record");
    QTest::addColumn<OutputRange>("range");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<QList<bool>>("red");

    // Point 2 was measured on the 1 V range: 2 mV of actual error against
    // 1 mV permitted is out of tolerance, and both print in volts beside
    // "V", though Bmd is kept as 1 mV. The point after the gap moves up; the
    // point not measured shows only what was typed.
    QTest::newRow("amplitude") << amplitude() << OutputRange{Characteristic::Amplitude, 1}
                               << QStringList{"Charakterystyka amplitudowa",
                                              "Metoda dokładnego odczytu",
                                              "Wartość: 100mV",
                                              "Częstotliwość: 50Hz",
                                              "Klasa: 0,5000% wartości mierzonej, 0,1000% zakresu",
                                              "Wskazanie miernika badanego",
                                              "Nastawa amplitudy kalibratora"}
                               << QList<QStringList>{{"50,0000", "49,9800", "0,0200", "0,3000",
                                                      "0,0123", "mV", Tick},
                                                     {"0,080000", "0,078000", "0,002000*",
                                                      "0,001000", "0,000056", "V", ""},
                                                     {"90", "", "", "", "", "", Tick}}
                               << QList<bool>{false, true, false};
    QTest::newRow("frequency, exact reading")
        << frequencyAnalogowy() << OutputRange{Characteristic::Frequency, 1}
        << QStringList{"Charakterystyka czestotliwościowa",
                       "Metoda dokładnego odczytu",
                       "Wartość: 10V",
                       "Wskazanie miernika badanego: 5V",
                       "Klasa: 1% wartości mierzonej, 0,5% zakresu + 2mV",
                       "Nastawa amplitudy kalibratora",
                       "Nastawa częstotliwości kalibratora"}
        << QList<QStringList>{{"4,99000", "50Hz", "0,01000", "0,10200", "0,00357", "V", Tick},
                              {"5,20000", "55,5Hz", "-0,20000*", "0,10200", "0,00367", "V", Tick}}
        << QList<bool>{false, true};
    QTest::newRow("frequency, exact setting")
        << frequencyCyfrowy() << OutputRange{Characteristic::Frequency, 1}
        << QStringList{"Charakterystyka czestotliwościowa",
                       "Metoda dokładnej nastawy",
                       "Wartość: 10V",
                       "Nastawa amplitudy kalibratora: 5V",
                       "Klasa: 0,2% wartości mierzonej, 0,5% zakresu",
                       "Wskazanie miernika badanego",
                       "Nastawa częstotliwości kalibratora"}
        << QList<QStringList>{{"5,01000", "60Hz", "0,01000", "0,07500", "0,00357", "V", Tick},
                              {"", "400Hz", "", "", "", "", Tick}}
        << QList<bool>{false, false};
}

void OutputContentTest::reportShowsEachDefinedPointOnceWithTheVerdict()
{
    QFETCH(TDaneSprawdzania, record);
    QFETCH(OutputRange, range);
    QFETCH(QStringList, lines);
    QFETCH(QList<QStringList>, rows);
    QFETCH(QList<bool>, red);

    const ReportContent report = ReportContent::fill(record, {}, range);
    QCOMPARE(report.nazwa, QStringLiteral("Nazwa: Woltomierz LM-3"));
    QCOMPARE(report.numer, QStringLiteral("Numer: 0042"));
    QCOMPARE((QStringList{report.title, report.metoda, report.zakres, report.secondLine,
                          report.klasa, report.headers[0], report.headers[1]}),
             lines);
    QList<QStringList> shown;
    QList<bool> shownRed;
    for (const ReportContent::Row &row : report.rows) {
        QStringList cells(row.cells.begin(), row.cells.end());
        cells.append(row.ticked ? Tick : QString());
        shown.append(cells);
        shownRed.append(row.outOfTolerance);
    }
    QCOMPARE(shown, rows);
    QCOMPARE(shownRed, red);

    // Only the filled rows are framed on the page, each at its own row.
    int framedCells = 0;
    for (const ReportLayout::Item &item : ReportLayout::items(report, HalfEmMeasurer())) {
        if (item.framed && item.box.top() >= ReportLayout::cellBox(1, 1).top()) {
            ++framedCells;
            QVERIFY(item.box.top() <= ReportLayout::cellBox(int(rows.size()), 1).top());
            QCOMPARE(item.red, item.text.endsWith(QLatin1Char('*')));
        }
    }
    QCOMPARE(framedCells, rows.size() * ReportContent::Columns);
}

void OutputContentTest::boxTextsShrinkThenAreCut()
{
    ReportContent report;
    report.nazwa = QStringLiteral("Nazwa: Multimetr cyfrowy typu MX-3850");
    report.numer = QStringLiteral("Numer: 1234567890 1234567890 1234567890 1234567890");
    report.metoda = QStringLiteral("Metoda dokładnej nastawy");
    report.klasa = QStringLiteral("Klasa: 0,3333% wartości mierzonej, 0,3333% zakresu + 0.002mV");
    // Where a line starts, its box's right edge, what it shows, its size.
    const struct
    {
        QPoint at;
        int boxRight;
        QString shown;
        int pixelSize;
    } lines[] = {{{109, 106}, 311, report.nazwa, 10},
                 {{109, 132}, 311, "Numer: 1234567890 1234567890 1234567890 123…", 9},
                 {{109, 158}, 311, report.metoda, 13},
                 {{328, 158}, 702, report.klasa, 12}};
    const HalfEmMeasurer measurer;
    const QList<ReportLayout::Item> items = ReportLayout::items(report, measurer);
    for (const auto &line : lines) {
        const auto item = std::find_if(items.begin(), items.end(), [&](const auto &placed) {
            return placed.box.topLeft() == line.at;
        });
        QVERIFY(item != items.end());
        QCOMPARE(item->text, line.shown);
        QCOMPARE(item->font.pixelSize, line.pixelSize);
        QVERIFY(line.at.x() + measurer.width(item->text, item->font) < line.boxRight);
    }
}

void OutputContentTest::rangesWithNothingToShowAreRefused_data()
{
    QTest::addColumn<TDaneSprawdzania>("record");
    QTest::addColumn<OutputRange>("range");
    QTest::addColumn<QString>("refusal");

    QTest::newRow("range 0") << amplitude() << OutputRange{Characteristic::Amplitude, 0}
                             << "Nie ma zakresu nr 0: zakresy mają numery od 1 do 35.";
    QTest::newRow("range 36") << frequencyCyfrowy() << OutputRange{Characteristic::Frequency, 36}
                              << "Nie ma zakresu nr 36: zakresy mają numery od 1 do 35.";
    QTest::newRow("empty amplitude slot")
        << amplitude() << OutputRange{Characteristic::Amplitude, 2} << "Zakres nr 2 jest pusty.";
    // The frequency range of an exact-reading document lives in ZakresyCzDO;
    // its ZakresyCzDN slot is empty.
    QTest::newRow("empty frequency slot")
        << frequencyAnalogowy() << OutputRange{Characteristic::Frequency, 2}
        << "Zakres nr 2 jest pusty.";
}

void OutputContentTest::rangesWithNothingToShowAreRefused()
{
    QFETCH(TDaneSprawdzania, record);
    QFETCH(OutputRange, range);
    QFETCH(QString, refusal);

    QCOMPARE(OutputRanges::refusal(record, range), refusal);
    const PrintPlan::Marks enabled = PrintPlan::enabled(record, range);
    QVERIFY(!enabled.table && !enabled.points && !enabled.errors);

    QTemporaryDir dir;
    TestServices t;
    NoOpener opener;
    QVERIFY(SpreadsheetExport::send(record, {}, range, dir.path(), opener, t.prompts).isEmpty());
    QCOMPARE(t.prompts.texts(), QStringList{refusal});
    QVERIFY(QDir(dir.path()).isEmpty());
}

void OutputContentTest::workbookCellsReadBack_data()
{
    QTest::addColumn<TDaneSprawdzania>("record");
    QTest::addColumn<OutputRange>("range");
    QTest::addColumn<QList<Expected>>("expected");

    const QString w20 = QStringLiteral("0.0000000000");
    // Points 1, 2 and 5 land on rows 14, 15 and 18; the point not measured
    // has only the indication that was typed. The errors are in the unit of
    // column F, as the report prints them: 0.0000123 V as 0.0123 mV, 1 mV
    // as 0.001 V. Each number is the shortest decimal its six-byte real
    // stores, with no binary noise.
    QTest::newRow("amplitude") << amplitude() << OutputRange{Characteristic::Amplitude, 1}
                               << QList<Expected>{
                                      {"A3", "miernik :", {}},
                                      {"B3", "Woltomierz LM-3", {}},
                                      {"F3", "0042", {}},
                                      {"A5",
                                       "sprawdzany metodą dokładnego odczytu (dokładnego "
                                       "ustawienia wskazania miernika, zadanego wskazania "
                                       "na mierniku badanym)",
                                       {}},
                                      {"D7", 100.0, "0.0"},
                                      {"E7", "mV", {}},
                                      {"D8", "50Hz", {}},
                                      {"D9", 0.5, "0.00"},
                                      {"D10", 0.1, "0.00"},
                                      {"F10", {}, {}},
                                      {"G10", {}, {}},
                                      {"A12", "wskazanie", {}},
                                      {"B13", "kalibratora", {}},
                                      {"F13", "j.m.", {}},
                                      {"A14", 50.0, w20},
                                      {"B14", 49.98, w20},
                                      {"E14", 0.0123, w20},
                                      {"F14", "mV", {}},
                                      {"C15", 0.002, w20},
                                      {"D15", 0.001, w20},
                                      {"E15", 0.0000556, w20},
                                      {"A16", {}, {}},
                                      {"A17", {}, {}},
                                      {"A18", 90.0, w20},
                                      {"B18", {}, {}},
                                  };
    QTest::newRow("frequency, exact reading")
        << frequencyAnalogowy() << OutputRange{Characteristic::Frequency, 1}
        << QList<Expected>{{"A8", "wskazanie miernika :", {}},
                           {"D8", 5.0, w20},
                           {"E8", "V", {}},
                           {"F10", "+", {}},
                           {"G10", "2mV", {}},
                           {"A12", "nastawa", {}},
                           {"A13", "kalibratora", {}},
                           {"B13", "częstotliwości", {}},
                           {"A14", 4.99, w20},
                           {"B15", " 55.50Hz", {}},
                           {"C15", -0.2, w20}};
    QTest::newRow("frequency, exact setting")
        << frequencyCyfrowy() << OutputRange{Characteristic::Frequency, 1}
        << QList<Expected>{{"A5",
                            "sprawdzany metodą dokładnej nastawy (dokładnego nastawiania "
                            "wartości mierzonej, zadanego wskazania na wzorcu)",
                            {}},
                           {"A8", "nastawa kalibratora :", {}},
                           {"A12", "wskazanie", {}},
                           {"A13", "miernika", {}},
                           {"B14", " 60.00Hz", {}},
                           {"A15", 0.0, w20},
                           {"B15", {}, {}}};
    TDaneSprawdzania withoutMethod = frequencyCyfrowy();
    withoutMethod.setTyp(QString());
    QTest::newRow("frequency without a method")
        << withoutMethod << OutputRange{Characteristic::Frequency, 1}
        << QList<Expected>{{"A3", {}, {}}, {"A14", {}, {}}};
}

void OutputContentTest::workbookCellsReadBack()
{
    QFETCH(TDaneSprawdzania, record);
    QFETCH(OutputRange, range);
    QFETCH(QList<Expected>, expected);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("zakres.xlsx"));
    WorkbookFile::write(WorkbookContent::fill(record, {}, range), file);
    const QHash<QString, XlsxCell> cells = xlsxCells(file);
    for (const Expected &e : expected) {
        const XlsxCell cell = cells.value(e.cell);
        if (!e.value.isValid()) {
            QVERIFY2(!cells.contains(e.cell), qPrintable(e.cell));
        } else if (e.value.typeId() == QMetaType::QString) {
            QVERIFY2(!cell.isNumber, qPrintable(e.cell));
            QCOMPARE(cell.text, e.value.toString());
        } else {
            QVERIFY2(cell.isNumber, qPrintable(e.cell));
            QVERIFY2(cell.number == e.value.toDouble(),
                     qPrintable(e.cell + ": " + QString::number(cell.number, 'g', 17)));
            QCOMPARE(cell.format, e.format);
        }
    }
}

void OutputContentTest::chartSeriesAndScales_data()
{
    QTest::addColumn<TDaneSprawdzania>("record");
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("axisTitle");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QList<QList<double>>>("series");
    QTest::addColumn<QList<double>>("scale");

    const int ampl = int(ChartTable::Amplitude);
    const int points = int(ChartKind::Points);
    const int errors = int(ChartKind::Errors);
    const QString inV = QStringLiteral("Wartości w punktach pomiarowych [V]");
    const QString inMV = QStringLiteral("Wartości w punktach pomiarowych [mV]");
    const QString ofErrors = QStringLiteral("Wartości błędów");

    QTest::newRow("10 V range on the 10 V range")
        << onePoint(10, "V", 5.01L, 5, 0, 0, "V") << ampl << points << inV << 6
        << QList<QList<double>>{{5}, {5.01}} << QList<double>{0, 5.01 * 1.07, 0.501};
    QTest::newRow("100 mV range on the 1 V range")
        << onePoint(100, "mV", 0.0502L, 0.05L, 0, 0, "V") << ampl << points << inMV << 3
        << QList<QList<double>>{{50}, {50.2}} << QList<double>{0, 50.2 * 1.07, 5.02};
    QTest::newRow("all values negative")
        << onePoint(10, "V", -4.9L, -5, 0, 0, "V") << ampl << points << inV << 6
        << QList<QList<double>>{{-5}, {-4.9}} << QList<double>{-5 * 1.07, 0, 0.5};
    // Bmr is in volts, the unit of the calibrator range; Bmd is already in
    // millivolts, the unit of the meter's range.
    QTest::newRow("errors of a 100 mV range on the 1 V range")
        << onePoint(100, "mV", 0.0502L, 0.05L, 0.0002L, 0.5L, "V") << ampl << errors << ofErrors
        << 4 << QList<QList<double>>{{0.2}, {0.5}, {-0.5}}
        << QList<double>{-0.5 * 1.07, 0.5 * 1.07, 0.1};
    QTest::newRow("errors all positive")
        << onePoint(10, "V", 5.1L, 5, 0.1L, 0, "V") << ampl << errors << ofErrors << 4
        << QList<QList<double>>{{0.1}, {0}, {0}} << QList<double>{0, 0.107, 0.01};
    // Exact reading: the calibrator's settings against the one indication.
    QTest::newRow("frequency, exact reading")
        << frequencyAnalogowy() << int(ChartTable::FrequencyDO) << points << inV << 6
        << QList<QList<double>>{{4.99, 5.2}, {5, 5}} << QList<double>{0, 5.2 * 1.07, 0.52};

    TDaneSprawdzania unticked = amplitude();
    unticked.ZakresyAmpl(1).Punkty(1).setWl(false);
    QTest::newRow("no measured point ticked") << unticked << ampl << points << QString() << 0
                                              << QList<QList<double>>{} << QList<double>{};
    QTest::newRow("range not measured")
        << frequencyAnalogowy() << int(ChartTable::FrequencyDN) << errors << QString() << 0
        << QList<QList<double>>{} << QList<double>{};
}

void OutputContentTest::chartSeriesAndScales()
{
    QFETCH(TDaneSprawdzania, record);
    QFETCH(int, table);
    QFETCH(int, kind);
    QFETCH(QString, axisTitle);
    QFETCH(int, decimals);
    QFETCH(QList<QList<double>>, series);
    QFETCH(QList<double>, scale);

    const auto chart = ChartContent::build(record, {}, ChartTable(table), ChartKind(kind), 1);
    QCOMPARE(chart.has_value(), !series.isEmpty());
    if (!chart)
        return;
    QCOMPARE(chart->valueAxisTitle, axisTitle);
    QCOMPARE(chart->decimals, decimals);
    QCOMPARE(chart->series.size(), series.size());
    auto near = [](double a, double b) { return qAbs(a - b) <= 1e-9 * qMax(1.0, qAbs(b)); };
    for (int s = 0; s < series.size(); ++s) {
        QCOMPARE(chart->series[s].values.size(), series[s].size());
        for (int i = 0; i < series[s].size(); ++i)
            QVERIFY2(near(chart->series[s].values[i], series[s][i]),
                     qPrintable(QStringLiteral("series %1 point %2: %3")
                                    .arg(s)
                                    .arg(i + 1)
                                    .arg(chart->series[s].values[i])));
    }
    QVERIFY(near(chart->scale.minimum, scale[0]));
    QVERIFY(near(chart->scale.maximum, scale[1]));
    QVERIFY(near(chart->scale.step, scale[2]));
}

void OutputContentTest::outputsJudgeByTheDocumentsRule_data()
{
    QTest::addColumn<DecisionRule>("rule");
    QTest::addColumn<QList<bool>>("starred");
    QTest::addColumn<QStringList>("decisions");
    // T 0.102 V and U 0.0042 V: an error of 0.1 V is between T - U and T,
    // one of -0.105 V between T and T + U.
    QTest::newRow("simple") << DecisionRule::Simple << QList<bool>{false, true}
                            << QStringList{"zgodny", "niezgodny"};
    QTest::newRow("guard band") << DecisionRule::GuardBand << QList<bool>{true, true}
                                << QStringList{"niezgodny", "niezgodny"};
    QTest::newRow("four zones") << DecisionRule::FourZone << QList<bool>{false, true}
                                << QStringList{"warunkowo zgodny", "warunkowo niezgodny"};
}

void OutputContentTest::outputsJudgeByTheDocumentsRule()
{
    QFETCH(DecisionRule, rule);
    QFETCH(QList<bool>, starred);
    QFETCH(QStringList, decisions);
    const TDaneSprawdzania record =
        frequency(QStringLiteral("Analogowy"), QStringLiteral("0"), 1,
                  {{1, 5.1L, 0, 50, 0.1L, 0.102L, 0.00357L, true},
                   {2, 4.895L, 0, 50, -0.105L, 0.102L, 0.00357L, true}});
    DocumentExtension extension;
    extension.setDecisionRule(rule);
    const OutputRange range{Characteristic::Frequency, 1};

    const ReportContent report = ReportContent::fill(record, extension, range);
    for (int j = 0; j < 2; ++j) {
        QCOMPARE(report.rows.at(j).outOfTolerance, starred.at(j));
        QCOMPARE(report.rows.at(j).cells[2].endsWith(QLatin1Char('*')), starred.at(j));
    }

    const WorkbookContent workbook = WorkbookContent::fill(record, extension, range);
    QCOMPARE(workbook.cell(13, 8)->text, QStringLiteral("Niepewność U"));
    QCOMPARE(workbook.cell(13, 10)->text, QStringLiteral("Ocena"));
    QCOMPARE(*workbook.cell(14, 8)->number, 0.0042);
    QCOMPARE(*workbook.cell(14, 9)->number, 24.2);
    QCOMPARE((QStringList{workbook.cell(14, 10)->text, workbook.cell(15, 10)->text}), decisions);

    // The acceptance limits, dashed, once there is a rule to draw them for.
    const auto chart =
        ChartContent::build(record, extension, ChartTable::FrequencyDO, ChartKind::Errors, 1);
    QVERIFY(chart);
    QCOMPARE(chart->series.size(), rule == DecisionRule::Simple ? 3 : 5);
    if (rule != DecisionRule::Simple) {
        QVERIFY(chart->series.at(3).dashed && chart->series.at(4).dashed);
        QVERIFY(qFuzzyCompare(chart->series.at(3).values.at(0), 0.0978));
        QVERIFY(qFuzzyCompare(chart->series.at(4).values.at(1), -0.0978));
    }
}

ORVANE_TEST_MAIN(OutputContentTest)
#include "tst_outputcontent.moc"
