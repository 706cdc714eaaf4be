#include "core/document/documentfile.h"
#include "core/output/reportlayout.h"
#include "gui/document/characteristicframe.h"
#include "gui/document/tform_sprawdzanie.h"
#include "gui/output/chartpage.h"
#include "gui/output/outputmenu.h"
#include "gui/output/tform_drukowanie.h"
#include "tests/output/outputdocuments.h"
#include "tests/output/xlsxcells.h"
#include "tests/support/core/testmain.h"
#include "tests/support/core/testservices.h"

#include <QCheckBox>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLineSeries>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace OutputDocuments;

namespace {

QString pageName(const OutputPage &page)
{
    if (std::holds_alternative<ReportContent>(page))
        return QStringLiteral("table");
    return std::get<ChartContent>(page).kind == ChartKind::Points ? QStringLiteral("points")
                                                                  : QStringLiteral("errors");
}

class RecordingPrinter : public PagePrinter
{
public:
    void print(const QList<OutputPage> &pages) override
    {
        QStringList job;
        for (const OutputPage &page : pages)
            job.append(pageName(page));
        jobs.append(job);
    }
    QList<QStringList> jobs;
};

class RecordingOpener : public FileOpener
{
public:
    bool open(const QString &fileName) override
    {
        opened.append(fileName);
        return answer;
    }
    bool answer = false;
    QStringList opened;
};

// The verification window with a document opened from a file, as the
// operator has it before printing.
struct Window
{
    TestServices t;
    TForm_Sprawdzanie window{t.services};
    OutputMenu menu{t.services, window.session(), window.frame(), *window.Menu_Plik_Drukuj,
                    *window.Menu_Plik_Excel_Otworz};
    QTemporaryDir dir;

    explicit Window(const TDaneSprawdzania &record)
    {
        const QString file = dir.filePath(QStringLiteral("dokument.cal"));
        DocumentFile::write(record, file);
        t.prompts.openNames.push_back(file);
        window.session().openDocument();
        t.prompts.fileRequests.clear();
    }
};

QList<bool> enabledBoxes(TForm_Drukowanie *dialog)
{
    return {dialog->CB1->isEnabled(), dialog->CB2->isEnabled(), dialog->CB3->isEnabled()};
}

void mark(TForm_Drukowanie *dialog, const QList<bool> &marks)
{
    dialog->CB1->setChecked(marks[0]);
    dialog->CB2->setChecked(marks[1]);
    dialog->CB3->setChecked(marks[2]);
}

// The operator picks printing to this file in the printer dialog.
void choosePdfInThePrinterDialog(ScriptedPrompts &prompts, const QString &pdf)
{
    prompts.dialogHandlers.push_back({"PrinterSetupDialog1", [pdf](QDialog *dialog) {
                                          QPrinter *printer =
                                              static_cast<QPrintDialog *>(dialog)->printer();
                                          printer->setOutputFormat(QPrinter::PdfFormat);
                                          printer->setOutputFileName(pdf);
                                          return int(QDialog::Accepted);
                                      }});
}

QString run(const QString &program, const QStringList &arguments, int *status = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(120000);
    if (status)
        *status = process.exitCode();
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

// A word of a PDF page and its box, in points from the page's corner.
struct Word
{
    int page;
    QString text;
    QRectF box;
};

QList<Word> pdfWords(const QString &pdf)
{
    const QString html =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression word(
        QStringLiteral("<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<Word> words;
    int page = 0;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        if (match.captured(0) == QLatin1String("<page ")) {
            ++page;
            continue;
        }
        words.append({page, match.captured(5),
                      QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                             QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()))});
    }
    return words;
}

// A design rectangle of the report in points.
QRectF inPoints(const QRect &design)
{
    return QRectF(design.x() * 0.75, design.y() * 0.75, design.width() * 0.75,
                  design.height() * 0.75);
}

bool wordIn(const QList<Word> &words, int page, const QString &text, const QRectF &area)
{
    for (const Word &word : words) {
        if (word.page == page && word.text == text && area.contains(word.box.center()))
            return true;
    }
    return false;
}

} // namespace

Q_DECLARE_METATYPE(TDaneSprawdzania)

class OutputTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void printSelectionEnablesAndOrdersThePages_data();
    void printSelectionEnablesAndOrdersThePages();
    void marksAndThePrinterChoiceHoldForLaterPrints();
    void commandLineWritesTheReportAndTheWorkbook();
    void commandLineRefusals_data();
    void commandLineRefusals();
    void outputsLeaveHostileTargetsAlone_data();
    void outputsLeaveHostileTargetsAlone();
    void spreadsheetIsWrittenAndOpened();
    void refusedChartKeepsWhatThePageShowed();
    void chartHeadingKeepsItsSecondLine();
    void printerChosenAfterAFailedPrintIsUsed();
};

void OutputTest::printSelectionEnablesAndOrdersThePages_data()
{
    QTest::addColumn<TDaneSprawdzania>("record");
    QTest::addColumn<int>("range");
    QTest::addColumn<QList<bool>>("marks");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QList<bool>>("enabled");
    QTest::addColumn<QStringList>("printed");
    QTest::addColumn<QStringList>("messages");

    const QList<bool> all{true, true, true};
    const QStringList everything{"table", "points", "errors"};
    QTest::newRow("everything") << amplitude() << 1 << all << true << all << everything
                                << QStringList{};
    QTest::newRow("cancelled") << amplitude() << 1 << all << false << all << QStringList{}
                               << QStringList{};

    // A box marked earlier and disabled now does not print.
    TDaneSprawdzania unnamed = amplitude();
    unnamed.setNazwa(QString());
    QTest::newRow("meter without a name")
        << unnamed << 1 << all << true << QList<bool>{false, true, true}
        << QStringList{"points", "errors"} << QStringList{};
    TDaneSprawdzania unmeasured = amplitude();
    unmeasured.ZakresyAmpl(1).setZmierzony(false);
    QTest::newRow("range not measured")
        << unmeasured << 1 << all << true << QList<bool>{true, false, false} << QStringList{"table"}
        << QStringList{};

    TDaneSprawdzania unticked = amplitude();
    unticked.ZakresyAmpl(1).Punkty(1).setWl(false);
    QTest::newRow("no measured point ticked")
        << unticked << 1 << QList<bool>{false, true, false} << true << all << QStringList{}
        << QStringList{"Nie zaznaczono punktów do wykresu"};
    QTest::newRow("empty range") << amplitude() << 2 << all << true << QList<bool>{}
                                 << QStringList{} << QStringList{"Zakres nr 2 jest pusty."};
}

void OutputTest::printSelectionEnablesAndOrdersThePages()
{
    QFETCH(TDaneSprawdzania, record);
    QFETCH(int, range);
    QFETCH(QList<bool>, marks);
    QFETCH(bool, ok);
    QFETCH(QList<bool>, enabled);
    QFETCH(QStringList, printed);
    QFETCH(QStringList, messages);

    Window w(record);
    RecordingPrinter printer;
    w.menu.setPagePrinter(&printer);
    w.window.session().setCurrentRange(Characteristic::Amplitude, range);
    QList<bool> shownEnabled;
    w.t.prompts.dialogHandlers.push_back({"Form_Drukowanie", [&](QDialog *dialog) {
                                              auto *form = static_cast<TForm_Drukowanie *>(dialog);
                                              shownEnabled = enabledBoxes(form);
                                              mark(form, marks);
                                              return ok ? QDialog::Accepted : QDialog::Rejected;
                                          }});
    w.window.Menu_Plik_Drukuj->trigger();

    QCOMPARE(shownEnabled, enabled);
    QCOMPARE(printer.jobs, printed.isEmpty() ? QList<QStringList>{} : QList<QStringList>{printed});
    QCOMPARE(w.t.prompts.texts(), messages);
}

void OutputTest::marksAndThePrinterChoiceHoldForLaterPrints()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("wydruk.pdf"));
    Window w(amplitude());
    w.t.prompts.dialogHandlers.push_back({"Form_Drukowanie", [](QDialog *dialog) {
                                              auto *form = static_cast<TForm_Drukowanie *>(dialog);
                                              mark(form, {true, true, true});
                                              QTest::mouseClick(form->Button1, Qt::LeftButton);
                                              return QDialog::Accepted;
                                          }});
    choosePdfInThePrinterDialog(w.t.prompts, pdf);
    w.window.Menu_Plik_Drukuj->trigger();
    QCOMPARE(w.t.prompts.dialogsShown, (QStringList{"Form_Drukowanie", "PrinterSetupDialog1"}));
    QVERIFY(run(QStringLiteral("pdfinfo"), {pdf}).contains(QRegularExpression("Pages: +3\n")));

    QVERIFY(QFile::remove(pdf));
    QList<bool> kept;
    w.t.prompts.dialogHandlers.push_back(
        {"Form_Drukowanie", [&](QDialog *dialog) {
             auto *form = static_cast<TForm_Drukowanie *>(dialog);
             kept = {form->CB1->isChecked(), form->CB2->isChecked(), form->CB3->isChecked()};
             return QDialog::Accepted;
         }});
    w.window.Menu_Plik_Drukuj->trigger();
    QCOMPARE(kept, (QList<bool>{true, true, true}));
    QVERIFY(run(QStringLiteral("pdfinfo"), {pdf}).contains(QRegularExpression("Pages: +3\n")));
    QVERIFY(w.t.prompts.messages.isEmpty());
}

void OutputTest::commandLineWritesTheReportAndTheWorkbook()
{
    QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("lm3.cal"));
    DocumentFile::write(amplitude(), document);
    const QString pdf = dir.filePath(QStringLiteral("lm3.pdf"));
    int status = -1;
    QString output = run(QStringLiteral(ORVANE707_PATH),
                         {"--report", document, pdf, "--pages", "table,points,errors"}, &status);
    QVERIFY2(status == 0, qPrintable(output));

    const QList<Word> words = pdfWords(pdf);
    QCOMPARE(words.last().page, 3);
    using ReportLayout::cellBox;
    QVERIFY(wordIn(words, 1, "Charakterystyka", QRectF(205, 40, 80, 15)));
    QVERIFY(wordIn(words, 1, "Miernik", inPoints(QRect(163, 83, 100, 22))));
    QVERIFY(wordIn(words, 1, "LM-3", inPoints(QRect(109, 106, 202, 20))));
    QVERIFY(wordIn(words, 1, "0,5000%", inPoints(QRect(328, 158, 374, 20))));
    QVERIFY(wordIn(words, 1, "0,0123", inPoints(cellBox(1, 5))));
    QVERIFY(wordIn(words, 1, "0,002000*", inPoints(cellBox(2, 3))));
    QVERIFY(wordIn(words, 1, ReportLayout::checkMark(), inPoints(cellBox(1, 7))));
    QVERIFY(wordIn(words, 1, "90", inPoints(cellBox(3, 1))));
    QVERIFY(wordIn(words, 1, "dopuszczalny", inPoints(QRect(540, 1045, 254, 20))));
    QVERIFY(wordIn(words, 2, "pomiarowych;", QRectF(0, 0, 595, 200)));
    QVERIFY(wordIn(words, 3, "błędów;", QRectF(0, 0, 595, 200)));

    const QString xlsx = dir.filePath(QStringLiteral("lm3.xlsx"));
    output = run(QStringLiteral(ORVANE707_PATH), {"--export", document, xlsx}, &status);
    QVERIFY2(status == 0, qPrintable(output));
    const QHash<QString, XlsxCell> cells = xlsxCells(xlsx);
    QCOMPARE(cells.value("F3").text, QStringLiteral("0042"));
    QCOMPARE(cells.value("A14").number, 50.0);

    // On a Polish desktop the C library writes numbers with a comma; the
    // file's numbers must not follow it.
    const QString locales = dir.filePath(QStringLiteral("locales"));
    QDir().mkpath(locales);
    run(QStringLiteral("localedef"),
        {"-i", "pl_PL", "-f", "UTF-8", locales + QStringLiteral("/pl_PL.UTF-8")}, &status);
    if (status != 0)
        QSKIP("localedef cannot make the Polish locale here (package locales)");
    qputenv("LOCPATH", QFile::encodeName(locales));
    qputenv("LC_ALL", "pl_PL.UTF-8");
    const QString polish = dir.filePath(QStringLiteral("pl.xlsx"));
    output = run(QStringLiteral(ORVANE707_PATH), {"--export", document, polish}, &status);
    qunsetenv("LOCPATH");
    qunsetenv("LC_ALL");
    QVERIFY2(status == 0, qPrintable(output));
    QCOMPARE(xlsxCells(polish), cells);
}

void OutputTest::commandLineRefusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");

    QTest::newRow("range beyond 35")
        << QStringList{"--report", "DOC", "OUT", "--range", "40"} << 2 << "Nie ma zakresu nr 40";
    QTest::newRow("unknown page") << QStringList{"--report", "DOC", "OUT", "--pages", "tabela"} << 2
                                  << "nieznana strona";
    QTest::newRow("both outputs") << QStringList{"--report", "--export", "DOC", "OUT"} << 2
                                  << "usage:";
    QTest::newRow("empty range") << QStringList{"--export", "DOC", "OUT", "--range", "2"} << 1
                                 << "Zakres nr 2 jest pusty.";
    QTest::newRow("frequency view of an amplitude document")
        << QStringList{"--report", "DOC", "OUT", "--view", "frequency"} << 1
        << "Zakres nr 1 jest pusty.";
    QTest::newRow("missing document") << QStringList{"--report", "NONE", "OUT"} << 1 << "none.cal";
    QTest::newRow("output folder missing")
        << QStringList{"--export", "DOC", "NODIR"} << 1 << "Nie można zapisać pliku";
}

void OutputTest::commandLineRefusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);

    QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("lm3.cal"));
    DocumentFile::write(amplitude(), document);
    arguments.replaceInStrings(QRegularExpression("^DOC$"), document);
    arguments.replaceInStrings(QRegularExpression("^NONE$"), dir.filePath("none.cal"));
    arguments.replaceInStrings(QRegularExpression("^OUT$"), dir.filePath("out"));
    arguments.replaceInStrings(QRegularExpression("^NODIR$"), dir.filePath("nie/ma/out"));
    int exitStatus = -1;
    const QString output = run(QStringLiteral(ORVANE707_PATH), arguments, &exitStatus);
    QCOMPARE(exitStatus, status);
    QVERIFY2(output.contains(message), qPrintable(output));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"lm3.cal"});
}

void OutputTest::outputsLeaveHostileTargetsAlone_data()
{
    // Each row runs a shell in an empty folder: it puts an old output "out"
    // (644) there, the row makes it hostile, the program writes out from the
    // document $DOC, and the shell answers with what is left: "link" when
    // out is a link; "fifo", "kept" (its bytes before) or the first two bytes
    // of the new file; its mode; every name in the folder. A row starting
    // with "mount" runs on a full tmpfs of its own, and writes both outputs.
    QTest::addColumn<QString>("prepare");
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("reason"); // a piece of stderr
    QTest::addColumn<QString>("left");
    QTest::newRow("full disk")
        << "mount -t tmpfs -o size=200k tmpfs \"$PWD\" && cd \"$PWD\" && cp \"$T/old\" out && "
           "cat /dev/zero > filler 2>/dev/null"
        << "--export $DOC out; \"$P\" --report $DOC out" << 1
        << "pliku out. (No space left on device)"
        << "kept 644 | out";
    QTest::newRow("links planted at temporary names")
        << "for n in .out.part .out.0.part .out.x.part; do ln -s \"$T/victim\" $n; done"
        << "--report $DOC out" << 0 << ""
        << "%P 644 | .out.0.part .out.part .out.x.part out";
    QTest::newRow("temporaries of a killed save")
        << "echo x > .out.k1.part; echo x > .other.k2.part"
        << "--export $DOC out" << 0 << ""
        << "PK 644 | .other.k2.part out";
    QTest::newRow("FIFO") << "rm out; mkfifo out"
                          << "--report $DOC out" << 1 << "pliku out. (to jest potok (FIFO)"
                          << "fifo 644 | out";
    QTest::newRow("read-only") << "chmod 444 out"
                               << "--export $DOC out" << 1 << "pliku out. (Permission denied)"
                               << "kept 444 | out";
    QTest::newRow("input as output")
        << "cp \"$DOC\" out"
        << "--export out out" << 1 << "pliku out. (to jest ten sam plik"
        << "kept 644 | out";
    QTest::newRow("input as output under another name")
        << "rm out; ln \"$DOC\" out"
        << "--report $DOC ./out" << 1 << "pliku ./out. (to jest ten sam plik"
        << "kept 644 | out";
    QTest::newRow("link followed") << "mv out \"$T/real\"; ln -s \"$T/real\" out"
                                   << "--report $DOC out" << 0 << ""
                                   << "link %P 644 | out";
    QTest::newRow("permissions kept") << "chmod 600 out"
                                      << "--export $DOC out" << 0 << ""
                                      << "PK 600 | out";
}

void OutputTest::outputsLeaveHostileTargetsAlone()
{
    QFETCH(QString, prepare);
    QFETCH(QString, arguments);
    QFETCH(int, status);
    QFETCH(QString, reason);
    QFETCH(QString, left);
    QTemporaryDir dir;
    const bool fullDisk = prepare.startsWith(QStringLiteral("mount"));
    if (fullDisk && QProcess::execute(QStringLiteral("unshare"),
                                      {"-rm", "mount", "-t", "tmpfs", "tmpfs", dir.path()}) != 0)
        QSKIP("no tmpfs can be mounted here");
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("f")));
    DocumentFile::write(amplitude(), dir.filePath(QStringLiteral("lm3.cal")));
    const QString script =
        QStringLiteral("P='%1'; T='%2'; DOC=\"$T/lm3.cal\"; ")
            .arg(QStringLiteral(ORVANE707_PATH), dir.path()) +
        "seq 5000 > \"$T/old\"; cp \"$T/old\" out; chmod 644 out; echo secret > \"$T/victim\"; " +
        prepare + "; [ -f out ] && cp out \"$T/before\"; \"$P\" " + arguments +
        "; s=$?; rm -f filler; [ -L out ] && printf 'link '; "
        "if [ -p out ]; then printf 'fifo '; elif cmp -s \"$T/before\" out; then printf 'kept '; "
        "else printf '%s ' \"$(head -c 2 out)\"; fi; "
        "[ \"$(cat \"$T/victim\")\" = secret ] || printf 'victim written '; "
        "printf '%s | ' \"$(stat -L -c %a out)\"; ls -A | sort | tr '\\n' ' '; exit $s";
    QProcess shell;
    shell.setWorkingDirectory(dir.filePath(QStringLiteral("f")));
    shell.start(fullDisk ? QStringLiteral("unshare") : QStringLiteral("sh"),
                (fullDisk ? QStringList{"-rm", "sh"} : QStringList()) + QStringList{"-c", script});
    QVERIFY(shell.waitForFinished(120000));
    const QString err = QString::fromUtf8(shell.readAllStandardError());
    QCOMPARE(QString::fromUtf8(shell.readAllStandardOutput()).trimmed(), left);
    QVERIFY2(shell.exitCode() == status && err.contains(reason), qPrintable(err));
    // The libraries' own lines stay out of it.
    QVERIFY2(!err.contains(QStringLiteral("QPainter")) && !err.contains(QStringLiteral("[ERROR]")),
             qPrintable(err));
}

void OutputTest::spreadsheetIsWrittenAndOpened()
{
    QTemporaryDir dir;
    Window w(amplitude());
    RecordingOpener opener;
    w.menu.setFileOpener(&opener);
    w.menu.setWorkbookDirectory(dir.filePath(QStringLiteral("cache")));

    w.window.Menu_Plik_Excel_Otworz->trigger();
    const QString first = dir.filePath(QStringLiteral("cache/Woltomierz LM-3 zakres 1 100mV.xlsx"));
    QCOMPARE(opener.opened, QStringList{first});
    QCOMPARE(xlsxCells(first).value("B3").text, QStringLiteral("Woltomierz LM-3"));
    QCOMPARE(w.t.prompts.texts(), QStringList{"Cannot start Excel/Excel not installed ?"});
    QCOMPARE(w.t.prompts.messages.first().detail, first);

    // The workbook sent before may have been edited and saved: a new one
    // takes another name.
    opener.answer = true;
    w.window.Menu_Plik_Excel_Otworz->trigger();
    QCOMPARE(opener.opened.last(),
             dir.filePath(QStringLiteral("cache/Woltomierz LM-3 zakres 1 100mV (2).xlsx")));
    QCOMPARE(w.t.prompts.messages.size(), 1);
}

void OutputTest::refusedChartKeepsWhatThePageShowed()
{
    TestServices t;
    ChartPage page;
    QVERIFY(page.build(amplitude(), {}, ChartTable::Amplitude, ChartKind::Errors, 1, t.prompts));
    auto actual = [&] {
        return static_cast<QLineSeries *>(page.chart()->series().first())->points();
    };
    const QList<QPointF> shown = actual();
    QCOMPARE(shown, (QList<QPointF>{{1, 0.02}}));

    TDaneSprawdzania unticked = amplitude();
    unticked.ZakresyAmpl(1).Punkty(1).setWl(false);
    QVERIFY(!page.build(unticked, {}, ChartTable::Amplitude, ChartKind::Errors, 1, t.prompts));
    QCOMPARE(t.prompts.texts(), QStringList{"Nie zaznaczono punktów do wykresu"});
    QCOMPARE(t.prompts.messages.first().caption, QStringLiteral("Wykres"));
    QCOMPARE(page.chart()->series().size(), 3);
    QCOMPARE(actual(), shown);
}

void OutputTest::chartHeadingKeepsItsSecondLine()
{
    TDaneSprawdzania record = amplitude();
    record.setNazwa(QStringLiteral("Multimetr cyfrowy typu MX-3850"));
    record.setNumer(QStringLiteral("WWWWWWWWWWWWWWWWWWWW"));
    record.ZakresyAmpl(1).setZak(7.5L);
    record.ZakresyAmpl(1).setJm(QStringLiteral("V"));
    ChartPage page;
    page.resize(ChartPage::DesignWidth, ChartPage::DesignHeight);
    page.show();
    for (ChartKind kind : {ChartKind::Points, ChartKind::Errors}) {
        page.showChart(*ChartContent::build(record, {}, ChartTable::Amplitude, kind, 1));
        page.chart()->layout()->activate();
        // The title as the chart shows it, its lines apart.
        QString title;
        for (QGraphicsItem *item : page.scene()->items()) {
            if (auto *text = dynamic_cast<QGraphicsTextItem *>(item);
                text && text->toPlainText().startsWith(QStringLiteral("Wykres")))
                title = text->toPlainText();
        }
        QVERIFY2(
            title.endsWith(QLatin1Char('\n') + QStringLiteral("Zakres: 7,5V, Częstotliwość: 50Hz")),
            qPrintable(title));
    }
}

void OutputTest::printerChosenAfterAFailedPrintIsUsed()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("wydruk.pdf"));
    Window w(amplitude());
    w.t.prompts.defaultDialogHandler = [](QDialog *dialog) {
        mark(static_cast<TForm_Drukowanie *>(dialog), {true, false, false});
        return int(QDialog::Accepted);
    };
    // The printer of a machine without printers, whatever this one has: a
    // PDF file without a name. The first print fails and says so.
    w.menu.printer().setOutputFormat(QPrinter::PdfFormat);
    w.menu.printer().setOutputFileName(QString());
    w.window.Menu_Plik_Drukuj->trigger();
    QCOMPARE(w.t.prompts.messages.size(), 1);
    choosePdfInThePrinterDialog(w.t.prompts, pdf);
    w.menu.Form_Drukowanie->Button1Click();
    w.window.Menu_Plik_Drukuj->trigger();
    QCOMPARE(w.t.prompts.messages.size(), 1);
    QVERIFY(run(QStringLiteral("pdfinfo"), {pdf}).contains(QRegularExpression("Pages: +1\n")));
}

ORVANE_TEST_MAIN(OutputTest)
#include "tst_output.moc"
