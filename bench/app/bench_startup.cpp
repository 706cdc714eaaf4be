// Start-up of the program to the main window's first paint, against a bare
// QMainWindow program and the same window with one label, offscreen, their
// starts taken in turn in the same run. Each start is a child process, timed
// from spawn to its exit right after that paint; its peak resident memory
// comes from the kernel's accounting of the child.
//
//   cmake --build build -j2 --target bench_startup && build/bench/app/bench_startup

#include "bench/benchmain.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

struct Start
{
    double seconds = 0;
    double peakMiB = 0;
    int widgets = 0;
};

std::map<std::string, std::vector<Start>> starts;

// One start of the probe; false when it did not reach its first paint.
bool startOnce(const char *kind, Start &start)
{
    int out[2];
    if (pipe(out) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    char *argv[] = {const_cast<char *>(STARTUP_PROBE), const_cast<char *>(kind), nullptr};

    const auto begin = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, STARTUP_PROBE, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return false;
    }
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, size_t(n));
    close(out[0]);
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child)
        return false;
    const auto end = std::chrono::steady_clock::now();

    start.seconds = std::chrono::duration<double>(end - begin).count();
    start.peakMiB = double(usage.ru_maxrss) / 1024.0;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
           std::sscanf(text.c_str(), "widgets %d", &start.widgets) == 1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// One round starts each kind once, in turn, so that a busy moment of the
// machine falls on all of them alike rather than on one whole series.
constexpr const char *Kinds[] = {"bare", "text", "program"};

void BM_StartUpRounds(benchmark::State &state)
{
    for (auto _ : state) {
        double program = 0;
        for (const char *kind : Kinds) {
            Start start;
            if (!startOnce(kind, start)) {
                state.SkipWithError("the probe did not reach its first paint");
                return;
            }
            starts[kind].push_back(start);
            if (std::string(kind) == "program")
                program = start.seconds;
        }
        state.SetIterationTime(program);
    }
}

BENCHMARK(BM_StartUpRounds)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

void summarise()
{
    const auto bare = starts.find("bare");
    const auto program = starts.find("program");
    if (bare == starts.end() || program == starts.end() || bare->second.empty() ||
        program->second.empty())
        return;
    const auto medians = [](const std::vector<Start> &list, double Start::*field) {
        std::vector<double> values;
        for (const Start &start : list)
            values.push_back(start.*field);
        return median(values);
    };
    const double bareTime = medians(bare->second, &Start::seconds) * 1000;
    const double programTime = medians(program->second, &Start::seconds) * 1000;
    const double bareMemory = medians(bare->second, &Start::peakMiB);
    const double programMemory = medians(program->second, &Start::peakMiB);
    const auto text = starts.find("text");
    std::printf("\nStart-up to the main window's first paint (medians, offscreen):\n");
    std::printf("  bare QMainWindow  %7.1f ms  %6.1f MiB peak RSS  %4d widgets\n", bareTime,
                bareMemory, bare->second.back().widgets);
    std::printf("  orvane707         %7.1f ms  %6.1f MiB peak RSS  %4d widgets\n", programTime,
                programMemory, program->second.back().widgets);
    std::printf("  ratio             %7.2fx     %6.2fx\n", programTime / bareTime,
                programMemory / bareMemory);
    if (text != starts.end() && !text->second.empty()) {
        // The same window with one label: what the font database costs any
        // program that shows text, which the bare window never loads.
        const double textTime = medians(text->second, &Start::seconds) * 1000;
        const double textMemory = medians(text->second, &Start::peakMiB);
        std::printf("  with one label    %7.1f ms  %6.1f MiB peak RSS\n", textTime, textMemory);
        std::printf("  ratio to it       %7.2fx     %6.2fx\n", programTime / textTime,
                    programMemory / textMemory);
    }
}

} // namespace

int main(int argc, char **argv)
{
    // The children draw offscreen and keep their settings out of the user's.
    char configHome[] = "/tmp/orvane-startup-XXXXXX";
    if (!mkdtemp(configHome)) {
        std::perror("mkdtemp");
        return 1;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("XDG_CONFIG_HOME", configHome, 1);
    setenv("XDG_RUNTIME_DIR", configHome, 1);
    // The offscreen platform warns that it cannot raise the splash.
    setenv("QT_LOGGING_RULES", "default.warning=false", 1);

    // One unmeasured start of each, so that neither pays for a cold disk cache.
    Start warmUp;
    if (!startOnce("bare", warmUp) || !startOnce("text", warmUp) || !startOnce("program", warmUp)) {
        std::fprintf(stderr, "bench_startup: %s did not reach its first paint\n", STARTUP_PROBE);
        return 1;
    }

    const int result = benchmarkMain(argc, argv, {.afterRun = summarise});
    std::error_code ignored;
    std::filesystem::remove_all(configHome, ignored);
    return result;
}
