#pragma once

#include <functional>

// What one benchmark program adds around its run.
struct BenchmarkProgram
{
    // Windows are made: a QApplication, offscreen unless QT_QPA_PLATFORM
    // names another platform, with Polish numbers as the program shows them.
    // Otherwise a QCoreApplication.
    bool windows = false;
    // After the arguments are read, before the run: benchmarks that are
    // registered at run time, and what they need.
    std::function<void()> beforeRun = {};
    // After the run, while the application still exists: the ratios a
    // program prints, and whatever must go before the application does.
    std::function<void()> afterRun = {};
};

// The main() of every benchmark program: the application, benchmark's own
// arguments (an unknown one ends the program with 1), the run.
int benchmarkMain(int argc, char **argv, const BenchmarkProgram &program = {});
