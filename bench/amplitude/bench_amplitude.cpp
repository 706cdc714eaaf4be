// The amplitude table on a full document: how long entering another range
// takes (the 35-row point grid is refilled), and how long opening a full
// document takes until the window is painted, beside an empty one.

#include "bench/benchmain.h"
#include "core/characteristic/errormath.h"
#include "core/document/documentfile.h"
#include "core/document/documentsession.h"
#include "gui/characteristic/amplitude/amplitudepage.h"
#include "gui/document/characteristicframe.h"
#include "gui/document/tform_sprawdzanie.h"
#include "gui/panel/tform_czestotliwosc.h"
#include "tests/amplitude/fulldocument.h"
#include "tests/support/core/testservices.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct Window
{
    TestServices t;
    TForm_Sprawdzanie window{t.services};
    TForm_Czestotliwosc frequencyDialog{t.prompts, &window};
    AmplitudePage page{t.services, window.session(), window.frame(), frequencyDialog};

    Window()
    {
        window.resize(639, 920);
        window.show();
        QApplication::processEvents();
    }

    void open(const QString &name)
    {
        t.prompts.openNames.push_back(name);
        window.session().openDocument();
        window.repaint();
    }
};

QString fileOf(const TDaneSprawdzania &record, QTemporaryDir &dir, const QString &name)
{
    const QString path = dir.filePath(name);
    DocumentFile::write(record, path);
    return path;
}

void BM_EnterRangeRefillsPoints(benchmark::State &state)
{
    QTemporaryDir dir;
    Window w;
    w.open(fileOf(fullDocument(), dir, QStringLiteral("full.cal")));
    int k = 1;
    for (auto _ : state) {
        k = k % 35 + 1;
        // Entering the value cell of another range, as a click does; the
        // cell left holds what it showed.
        CharacteristicGrid &grid = w.page.grid();
        CellInput shown;
        if (const auto current = grid.currentCell())
            shown.text = grid.cell(*current).text;
        grid.moveTo({GridArea::Ranges, 1, k}, shown);
        if (state.range(0))
            w.window.repaint();
    }
    state.SetLabel(state.range(0) ? "refill and paint" : "refill");
}
BENCHMARK(BM_EnterRangeRefillsPoints)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_OpenUntilPainted(benchmark::State &state)
{
    QTemporaryDir dir;
    TDaneSprawdzania empty;
    empty.setNazwa(QStringLiteral("pusty"));
    empty.setTyp(QStringLiteral("Analogowy"));
    empty.setWidokAmpl(true);
    const bool full = state.range(0) != 0;
    const QString name = full ? fileOf(fullDocument(), dir, QStringLiteral("full.cal"))
                              : fileOf(empty, dir, QStringLiteral("empty.cal"));
    Window w;
    for (auto _ : state)
        w.open(name);
    state.SetLabel(full ? "full document" : "empty document");
}
BENCHMARK(BM_OpenUntilPainted)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PointErrorsOfAFullRange(benchmark::State &state)
{
    TDaneSprawdzania record = fullDocument();
    TZakresAmpl range = record.ZakresyAmpl(1);
    for (auto _ : state)
        ErrorMath::computeRange(range);
}
BENCHMARK(BM_PointErrorsOfAFullRange)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return benchmarkMain(argc, argv, {.windows = true});
}
