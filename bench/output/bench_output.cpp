// The outputs of a full range against the amplitude range switch, in one
// run: a chart tab (building the chart of 35 points and painting it), the
// report written as PDF, and the workbook written as .xlsx. The goal is a
// chart tab of at most twice a range switch.
//
//   cmake --build build -j2 --target bench_output && build/bench/output/bench_output

#include "bench/benchmain.h"
#include "bench/timedrun.h"
#include "core/document/documentfile.h"
#include "core/document/documentsession.h"
#include "core/output/workbookcontent.h"
#include "core/output/workbookfile.h"
#include "gui/characteristic/amplitude/amplitudepage.h"
#include "gui/document/characteristicframe.h"
#include "gui/document/tform_sprawdzanie.h"
#include "gui/output/chartpage.h"
#include "gui/output/pagepainter.h"
#include "gui/panel/tform_czestotliwosc.h"
#include "tests/amplitude/fulldocument.h"
#include "tests/support/core/testservices.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

// Every point of every range ticked, so that a chart has 35 points.
TDaneSprawdzania everyPointTicked()
{
    TDaneSprawdzania record = fullDocument();
    for (int k = 1; k <= TDaneSprawdzania::Slots; ++k) {
        for (int j = 1; j <= TDaneSprawdzania::Slots; ++j)
            record.ZakresyAmpl(k).Punkty(j).setWl(true);
    }
    return record;
}

void BM_AmplitudeRangeSwitch(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.cal"));
    DocumentFile::write(fullDocument(), path);
    TestServices t;
    TForm_Sprawdzanie window{t.services};
    TForm_Czestotliwosc frequencyDialog{t.prompts, &window};
    AmplitudePage page{t.services, window.session(), window.frame(), frequencyDialog};
    window.resize(639, 920);
    window.show();
    QApplication::processEvents();
    t.prompts.openNames.push_back(path);
    window.session().openDocument();
    window.repaint();
    int k = 1;
    timed(state, "range switch", [&] {
        k = k % 35 + 1;
        // Entering the value cell of another range, as a click does; the
        // cell left holds what it showed.
        CharacteristicGrid &grid = page.grid();
        CellInput shown;
        if (const auto current = grid.currentCell())
            shown.text = grid.cell(*current).text;
        grid.moveTo({GridArea::Ranges, 1, k}, shown);
        window.repaint();
    });
}
BENCHMARK(BM_AmplitudeRangeSwitch)->Unit(benchmark::kMillisecond);

void BM_ChartTab(benchmark::State &state)
{
    TestServices t;
    const TDaneSprawdzania record = everyPointTicked();
    ChartPage page;
    page.resize(ChartPage::DesignWidth, ChartPage::DesignHeight);
    page.show();
    QApplication::processEvents();
    const ChartKind kind = state.range(0) ? ChartKind::Errors : ChartKind::Points;
    int k = 1;
    timed(state, state.range(0) ? "errors chart tab" : "points chart tab", [&] {
        k = k % 35 + 1;
        page.build(record, {}, ChartTable::Amplitude, kind, k, t.prompts);
        // The chart lays itself out through posted events before it paints.
        QCoreApplication::sendPostedEvents();
        page.repaint();
    });
}
BENCHMARK(BM_ChartTab)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ReportPdf(benchmark::State &state)
{
    QTemporaryDir dir;
    const TDaneSprawdzania record = everyPointTicked();
    const PrintPlan::Marks marks{true, state.range(0) != 0, state.range(0) != 0};
    const QList<OutputPage> pages =
        PrintPlan::build(record, {}, {Characteristic::Amplitude, 1}, marks).pages;
    PdfPagePrinter printer(dir.filePath(QStringLiteral("raport.pdf")));
    timed(state, state.range(0) ? "report PDF, table and charts" : "report PDF, table",
          [&] { printer.print(pages); });
}
BENCHMARK(BM_ReportPdf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_Workbook(benchmark::State &state)
{
    QTemporaryDir dir;
    const TDaneSprawdzania record = everyPointTicked();
    const QString file = dir.filePath(QStringLiteral("zakres.xlsx"));
    timed(state, "workbook", [&] {
        WorkbookFile::write(WorkbookContent::fill(record, {}, {Characteristic::Amplitude, 1}),
                            file);
    });
}
BENCHMARK(BM_Workbook)->Unit(benchmark::kMillisecond);

void summarise()
{
    const auto base = perIteration().find("range switch");
    if (base == perIteration().end())
        return;
    std::printf("\nWall time per iteration against the amplitude range switch (offscreen):\n");
    for (const auto &[name, ms] : perIteration())
        std::printf("  %-30s %8.2f ms  %6.2fx\n", name.c_str(), ms, ms / base->second);
}

} // namespace

int main(int argc, char **argv)
{
    return benchmarkMain(argc, argv, {.windows = true, .afterRun = summarise});
}
