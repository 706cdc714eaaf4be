// Assessing a full document against loading it, in one run: the budget and
// decision of every measured point (35 amplitude ranges and 35 frequency
// ranges of 35 points, under four zones, with a resolution on every range)
// against reading the same document, record and extension block, from its
// file. The goal is an assessment of at most the load.
//
//   cmake --build build -j2 --target bench_uncertainty &&
//   build/bench/characteristic/bench_uncertainty

#include "bench/benchmain.h"
#include "bench/timedrun.h"
#include "core/characteristic/uncertainty.h"
#include "core/document/documentfile.h"
#include "tests/amplitude/fulldocument.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

DocumentExtension fullExtension()
{
    DocumentExtension extension;
    extension.setDecisionRule(DecisionRule::FourZone);
    for (int k = 1; k <= TDaneSprawdzania::Slots; ++k) {
        extension.setResolution(Characteristic::Amplitude, k, 0.001L * k);
        extension.setResolution(Characteristic::Frequency, k, 0.01L * k);
    }
    return extension;
}

const QString &documentPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("full.cal"));
        DocumentFile::write(fullDocument(), fullExtension(), p);
        return p;
    }();
    return path;
}

void BM_LoadDocument(benchmark::State &state)
{
    const QString path = documentPath();
    timed(state, "load", [&] { benchmark::DoNotOptimize(DocumentFile::load(path)); });
}
BENCHMARK(BM_LoadDocument)->Unit(benchmark::kMicrosecond);

// The document's own rule (four zones), and simple acceptance, which asks
// the verdict of every point.
void BM_AssessDocument(benchmark::State &state)
{
    const DocumentFile::StoredDocument document = DocumentFile::load(documentPath());
    Uncertainty::Settings settings = Uncertainty::Settings::of(document.extension);
    if (state.range(0))
        settings.rule = DecisionRule::Simple;
    int points = 0;
    timed(state, state.range(0) ? "assess, simple" : "assess", [&] {
        const auto assessed =
            Uncertainty::assessDocument(document.record, document.extension, settings);
        points = int(assessed.size());
        benchmark::DoNotOptimize(assessed);
    });
    state.counters["points"] = points;
}
BENCHMARK(BM_AssessDocument)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void printRatios()
{
    const auto load = perIteration().find("load");
    if (load == perIteration().end())
        return;
    std::printf("\nWall time per iteration against loading the document (%.3f ms):\n",
                load->second);
    for (const auto &[name, ms] : perIteration())
        std::printf("  %-20s %8.3f ms  %6.2fx\n", name.c_str(), ms, ms / load->second);
}

} // namespace

int main(int argc, char **argv)
{
    return benchmarkMain(argc, argv, {.afterRun = printRatios});
}
