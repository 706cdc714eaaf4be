// How fast the simulated calibrator takes the program's frames, against the
// wire: 4800 baud at 10 bits a byte is 480 bytes a second. The counter
// "xWire" is how many times faster than the wire the bytes are handled.
//
//   cmake --build build -j2 --target bench_simulator && build/bench/simulator/bench_simulator

#include "bench/benchmain.h"
#include "core/calibrator/frames.h"
#include "core/simulator/simulatedcalibrator.h"
#include "core/simulator/simulatorlog.h"

#include <benchmark/benchmark.h>

namespace {

constexpr double WireBytesPerSecond = 4800.0 / 10.0;

// A session as the program sends it: panel sends and steps, frequency mode,
// an exact-reading run stepping at a frequency of its own, a reset.
QByteArray session()
{
    QByteArray bytes;
    bytes += Frames::standbyFrame();
    bytes += Frames::panelSettingFrame(2, 0, "1.50000", false, true);
    bytes += Frames::operateFrame();
    for (int i = 0; i < 20; ++i)
        bytes += Frames::panelSettingFrame(2, 0, Frames::valueText(qint64(150000 + i), 5), false,
                                           false) +
                 Frames::operateFrame();
    bytes += Frames::frequencyFunctionFrame() + Frames::frequencyFrame(400) +
             Frames::panelSettingFrame(2, 4, "1.50000", true, true) + Frames::operateFrame();
    bytes += Frames::measurementSettingFrame(6, Frames::variableFrequencyCommand(45.5), "5.000000");
    for (int i = 0; i < 20; ++i)
        bytes += Frames::measurementSettingFrame(6, {}, Frames::valueText(qint64(5000000 + i), 6));
    bytes += Frames::resetFrame() + Frames::standbyFrame();
    return bytes;
}

void report(benchmark::State &state, qsizetype bytesPerIteration)
{
    const double bytes = double(state.iterations()) * double(bytesPerIteration);
    state.SetBytesProcessed(int64_t(bytes));
    state.counters["xWire"] =
        benchmark::Counter(bytes / WireBytesPerSecond, benchmark::Counter::kIsRate);
}

void BM_ParseFrames(benchmark::State &state)
{
    const QByteArray bytes = session();
    SimulatedCalibrator calibrator({QStringLiteral("R-707FC"), 3});
    for (auto _ : state) {
        calibrator.feed(bytes);
        benchmark::DoNotOptimize(calibrator.state());
    }
    report(state, bytes.size());
}
BENCHMARK(BM_ParseFrames);

// The headless simulator with --log: every frame also becomes a JSON line.
void BM_ParseFramesAndLogLines(benchmark::State &state)
{
    const QByteArray bytes = session();
    SimulatedCalibrator calibrator({QStringLiteral("R-707FC"), 3});
    qsizetype logged = 0;
    QObject::connect(&calibrator, &SimulatedCalibrator::handled,
                     [&logged](const SimulatorEvent &event) {
                         logged += SimulatorLog::line(event, 1.0).size();
                     });
    for (auto _ : state)
        calibrator.feed(bytes);
    benchmark::DoNotOptimize(logged);
    report(state, bytes.size());
}
BENCHMARK(BM_ParseFramesAndLogLines);

} // namespace

int main(int argc, char **argv)
{
    return benchmarkMain(argc, argv);
}
