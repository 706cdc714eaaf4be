#include "core/document/certificatedata.h"
#include "core/document/documentextension.h"
#include "core/document/labsettings.h"
#include "core/output/certificatecontent.h"
#include "core/output/certificatelayout.h"
#include "core/output/chartcontent.h"
#include "core/output/printplan.h"
#include "core/output/reportcontent.h"
#include "core/output/reportlayout.h"
#include "core/output/spreadsheetexport.h"
#include "core/output/workbookcontent.h"
#include "core/output/workbookfile.h"
#include "tests/amplitude/fulldocument.h"
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

// A certificate's texts, a line each: the header; every field as "label:
// value" and the method; each section's title, each table's heading lines
// joined by " | " and its rows joined by blanks; the mark's note, the
// conclusion, the remarks and the signatures.
QStringList certificateLines(const CertificateContent &content)
{
    QStringList lines{content.labName};
    lines += content.labLines;
    lines << content.title << content.number;
    for (const CertificateContent::Block &block : content.blocks) {
        for (const CertificateContent::Field &field : block.fields)
            lines.append(field.label + QStringLiteral(": ") + field.value);
        if (block.heading == QLatin1String("Metoda sprawdzenia"))
            lines += block.paragraphs;
    }
    for (const CertificateContent::Section &section : content.sections) {
        lines.append(section.title);
        for (const CertificateContent::Table &table : section.tables) {
            lines.append(table.heading.join(QStringLiteral(" | ")));
            for (const CertificateContent::Row &row : table.rows)
                lines.append(QStringList(row.begin(), row.end()).join(QLatin1Char(' ')));
        }
    }
    lines << content.markNote << content.conclusion;
    lines += content.remarks;
    for (const CertificateContent::Field &signature : content.signatures)
        lines.append(signature.label + QStringLiteral(": ") + signature.value);
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(TDaneSprawdzania)
Q_DECLARE_METATYPE(OutputRange)
Q_DECLARE_METATYPE(QList<Expected>)
Q_DECLARE_METATYPE(QList<QList<double>>)
Q_DECLARE_METATYPE(DocumentExtension)
Q_DECLARE_METATYPE(LabSettings)

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
    void certificateSaysWhatTheDocumentHolds_data();
    void certificateSaysWhatTheDocumentHolds();
    void certificateTablesGoOnOverPagesWholeRowsHeaded();
    void certificateOfNothingMeasuredStatesNoConformity();
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

void OutputContentTest::certificateSaysWhatTheDocumentHolds_data()
{
    QTest::addColumn<TDaneSprawdzania>("record");
    QTest::addColumn<DocumentExtension>("extension");
    QTest::addColumn<LabSettings>("lab");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("terms");

    LabSettings lab;
    lab.name = QStringLiteral("Laboratorium Pomiarów Elektrycznych");
    lab.address = QStringLiteral("ul. Źródlana 5, 90-001 Łódź");
    lab.accreditation = QStringLiteral("AP 123");
    lab.performedBy = QStringLiteral("Kto inny");
    DocumentExtension described;
    certificateData().storeIn(described);
    const StandardInUse standard{QStringLiteral("R-707C"), QStringLiteral("12345"),
                                 QStringLiteral("AP-77/2024"), QDate(2025, 6, 30)};
    standard.storeIn(described);

    // The fields of the first page, but for the day the standard is valid
    // to.
    const QStringList describedFields{
        "Nazwa: Woltomierz LM-3",
        "Numer: 0042",
        "Typ: analogowy",
        "Nazwa: Zakład Energetyczny",
        "Adres: ul. Długa 1, Kraków",
        "Miejsce sprawdzenia: siedziba laboratorium",
        "Data sprawdzenia: 31.01.2025",
        "Data wystawienia: 03.02.2025",
        "Następne sprawdzenie: 28.02.2026 (co 13 mies.)",
        "Metoda dokładnego odczytu",
        "Temperatura: 23,1 °C",
        "Wilgotność względna: 45 %",
        "Kalibrator: R-707C",
        "Numer fabryczny: 12345",
        "Świadectwo wzorcowania: AP-77/2024",
    };
    // Point 2 was measured on the 1 V range and is out of tolerance.
    const QStringList amplitudeResults{
        "Charakterystyka amplitudowa",
        "Zakres nr 1 | Wartość: 100mV; Częstotliwość: 50Hz; Rozdzielczość: nie podano (bez "
        "składowej rozdzielczości) | Klasa: 0,5000% wartości mierzonej, 0,1000% zakresu",
        "1 50,0000 49,9800 0,0200 0,3000 0,015 20,0:1 zgodny mV",
        "2 0,080000 0,078000 0,002000 0,001000 0,000065 15,3:1 niezgodny V",
        "",
        "Miernik nie spełnia wymagań klasy dokładności."};
    QTest::newRow("amplitude only")
        << amplitude() << described << lab
        << QStringList{"Laboratorium Pomiarów Elektrycznych", "ul. Źródlana 5, 90-001 Łódź",
                       "Akredytacja nr AP 123", "ŚWIADECTWO SPRAWDZENIA", "Nr ŚW/12/2025"} +
               describedFields + QStringList{"Ważne do: 30.06.2025"} + amplitudeResults +
               QStringList{"Miernik po naprawie.", "Bez obudowy.", "Wykonał: Jan Kowalski",
                           "Zatwierdził: Anna Żółkiewska"}
        << "Prosta akceptacja (ILAC-G8 4.2.1): punkt jest zgodny"
        << "dokładność kalibratora (rozkład prostokątny); bez składowej rozdzielczości.";

    // The amplitude point is between T - U and T, and below the minimum
    // ratio with the resolution in its budget; of the frequency points one
    // passes and one is between T - U and T. The standard expired before the
    // day of the verification.
    TDaneSprawdzania both = frequency(QStringLiteral("Analogowy"), QStringLiteral("2mV"), 1,
                                      {{1, 4.99L, 0, 50, 0.01L, 0.102L, 0.00357L, true},
                                       {2, 5.1L, 3, 55.5L, -0.1L, 0.102L, 0.00367L, true}});
    setAmplitudeRange(both, 1, 1, QStringLiteral("V"),
                      {{1, 1.0024L, 1, 0.0024L, 0.0025L, 0.0002408L, "V", 6, true, true}});
    DocumentExtension judged = described;
    judged.setDecisionRule(DecisionRule::FourZone);
    judged.setResolution(Characteristic::Amplitude, 1, 0.001L);
    StandardInUse expired = standard;
    expired.validUntil = QDate(2025, 1, 30);
    expired.storeIn(judged);
    QTest::newRow("both characteristics")
        << both << judged << LabSettings()
        << QStringList{"—", "ŚWIADECTWO SPRAWDZENIA", "Nr ŚW/12/2025"} + describedFields +
               QStringList{
                   "Ważne do: 30.01.2025",
                   "Charakterystyka amplitudowa",
                   "Zakres nr 1 | Wartość: 1V; Częstotliwość: 50Hz; Rozdzielczość: 0,001V | "
                   "Klasa: 0,5000% wartości mierzonej, 0,1000% zakresu",
                   "1 1,002400 1,000000 0,002400 0,002500 0,00065 3,8:1* warunkowo zgodny V",
                   "Charakterystyka częstotliwościowa",
                   "Zakres nr 1 | Wartość: 10V; Wskazanie miernika badanego: 5V; "
                   "Rozdzielczość: nie podano (bez składowej rozdzielczości) | Klasa: 1% "
                   "wartości mierzonej, 0,5% zakresu + 2mV",
                   "1 5,00000 4,99000 0,01000 0,10200 0,0042 24,2:1 zgodny V",
                   "2 5,00000 5,10000 -0,10000 0,10200 0,0043 23,7:1 warunkowo zgodny V",
                   "* – TUR < 4:1: stosunek T/U niższy od przyjętego minimum.",
                   "Wynik warunkowy: 2 pkt. warunkowo zgodnych, 0 pkt. warunkowo niezgodnych "
                   "(reguła: Cztery strefy).",
                   "Pomiary wykonano wzorcem, którego świadectwo wzorcowania straciło ważność "
                   "dnia 30.01.2025.",
                   "Miernik po naprawie.",
                   "Bez obudowy.",
                   "Wykonał: Jan Kowalski",
                   "Zatwierdził: Anna Żółkiewska"}
        << "Cztery strefy (ILAC-G8 4.2.3): z pasmem ochronnym w = U punkt jest zgodny"
        << "dokładność kalibratora (rozkład prostokątny) oraz rozdzielczość miernika na "
           "zakresach, na których ją podano (na pozostałych bez składowej rozdzielczości).";

    // Nothing is made up: the lab's default names are the dialog's, not the
    // certificate's, and the day of issue is the day it is made.
    QTest::newRow("no certificate data")
        << amplitude() << DocumentExtension() << lab
        << QStringList{"Laboratorium Pomiarów Elektrycznych",
                       "ul. Źródlana 5, 90-001 Łódź",
                       "Akredytacja nr AP 123",
                       "ŚWIADECTWO SPRAWDZENIA",
                       "Nr —",
                       "Nazwa: Woltomierz LM-3",
                       "Numer: 0042",
                       "Typ: analogowy",
                       "Nazwa: —",
                       "Adres: —",
                       "Miejsce sprawdzenia: —",
                       "Data sprawdzenia: —",
                       "Data wystawienia: 06.05.2025",
                       "Następne sprawdzenie: —",
                       "Metoda dokładnego odczytu",
                       "Temperatura: —",
                       "Wilgotność względna: —",
                       "Kalibrator: —",
                       "Numer fabryczny: —",
                       "Świadectwo wzorcowania: —",
                       "Ważne do: —"} +
               amplitudeResults + QStringList{"—", "Wykonał: —", "Zatwierdził: —"}
        << "Prosta akceptacja (ILAC-G8 4.2.1)"
        << "; bez składowej rozdzielczości.";
}

void OutputContentTest::certificateSaysWhatTheDocumentHolds()
{
    QFETCH(TDaneSprawdzania, record);
    QFETCH(DocumentExtension, extension);
    QFETCH(LabSettings, lab);
    QFETCH(QStringList, lines);
    QFETCH(QString, rule);
    QFETCH(QString, terms);

    const CertificateContent content =
        CertificateContent::fill(record, extension, lab, QDate(2025, 5, 6));
    QCOMPARE(certificateLines(content), lines);
    QVERIFY(content.blocks.at(6).paragraphs.first().startsWith(rule));
    QVERIFY2(content.blocks.at(7).paragraphs.first().endsWith(terms),
             qPrintable(content.blocks.at(7).paragraphs.first()));
    QCOMPARE(content.closing,
             (QStringList{"Wyniki odnoszą się wyłącznie do sprawdzonego przyrządu.",
                          "Świadectwo może być powielane wyłącznie w całości."}));
}

void OutputContentTest::certificateTablesGoOnOverPagesWholeRowsHeaded()
{
    // 35 ranges of 35 points in each characteristic.
    const TDaneSprawdzania record = fullDocument();
    const CertificateContent content =
        CertificateContent::fill(record, DocumentExtension(), LabSettings(), QDate(2025, 5, 6));
    const QList<CertificatePage> pages = CertificateLayout::pages(content, HalfEmMeasurer());
    const int count = int(pages.size());
    QVERIFY(count > 2);

    int rows = 0;
    for (int p = 0; p < count; ++p) {
        // The framed cells of a page, by the line they start on.
        QMap<int, QStringList> lines;
        for (const PageItem &item : pages.at(p).items) {
            if (item.box.top() >= CertificateLayout::ContentTop)
                QVERIFY2(item.box.bottom() <= CertificateLayout::ContentBottom,
                         qPrintable(item.text));
            if (item.framed)
                lines[item.box.top()].append(item.text);
        }
        const QString number = CertificateLayout::pageText(p + 1, count);
        QCOMPARE(std::count_if(pages.at(p).items.begin(), pages.at(p).items.end(),
                               [&](const PageItem &item) { return item.text == number; }),
                 1);
        if (lines.isEmpty())
            continue;
        // Each row whole on its page, the column headers above the first.
        QCOMPARE(lines.first().first(), QStringLiteral("Pkt"));
        for (const QStringList &line : lines) {
            QCOMPARE(line.size(), CertificateContent::Columns);
            rows += line.first() == QLatin1String("Pkt") ? 0 : 1;
        }
    }
    QCOMPARE(rows, 2 * 35 * 35);
    // The end stays together on the last page.
    const QList<PageItem> &last = pages.last().items;
    for (const QString &text : {QStringLiteral("Stwierdzenie zgodności"), QStringLiteral("Wykonał"),
                                content.closing.last()})
        QVERIFY(std::any_of(last.begin(), last.end(),
                            [&](const PageItem &item) { return item.text == text; }));
}

void OutputContentTest::certificateOfNothingMeasuredStatesNoConformity()
{
    // Every point of none measured is no point found conforming.
    TDaneSprawdzania record = amplitude();
    record.ZakresyAmpl(1).setZmierzony(false);
    const CertificateContent content =
        CertificateContent::fill(record, {}, LabSettings(), QDate(2025, 5, 6));
    QVERIFY(content.sections.isEmpty());
    QCOMPARE(content.conclusion,
             QStringLiteral("Nie zmierzono żadnego punktu: zgodności nie stwierdza się."));
    const QList<CertificatePage> pages = CertificateLayout::pages(content, HalfEmMeasurer());
    QCOMPARE(pages.size(), 1);
}

ORVANE_TEST_MAIN(OutputContentTest)
#include "tst_outputcontent.moc"
