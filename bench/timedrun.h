#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <string>

// Wall time per iteration of each benchmark, kept by name for the ratios a
// program prints after its run.
inline std::map<std::string, double> &perIteration()
{
    static std::map<std::string, double> times;
    return times;
}

// Times work() alone in every iteration, after prepare(), which is not
// timed.
template <typename Work, typename Prepare>
void timed(benchmark::State &state, const std::string &name, Work work, Prepare prepare)
{
    double total = 0;
    for (auto _ : state) {
        prepare();
        const auto begin = std::chrono::steady_clock::now();
        work();
        total += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
                     .count();
    }
    perIteration()[name] = total / double(state.iterations());
}

template <typename Work> void timed(benchmark::State &state, const std::string &name, Work work)
{
    timed(state, name, work, [] {});
}
