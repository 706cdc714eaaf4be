#include "bench/benchmain.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLocale>

#include <benchmark/benchmark.h>

#include <memory>

int benchmarkMain(int argc, char **argv, const BenchmarkProgram &program)
{
    std::unique_ptr<QCoreApplication> application;
    if (program.windows) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QApplication>(argc, argv);
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (program.beforeRun)
        program.beforeRun();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (program.afterRun)
        program.afterRun();
    return 0;
}
